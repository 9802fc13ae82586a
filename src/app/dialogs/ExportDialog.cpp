#include "app/dialogs/ExportDialog.h"

#include "app/dialogs/PrintOptionsView.h"
#include "document/Box.h"
#include "io/ExportPanel.h"
#include "io/SlipExporter.h"

#include <QFileInfo>
#include <QGridLayout>

namespace fendle {

ExportDialog::ExportDialog(Box& box, QWidget* window)
    : QFileDialog(window, ExportPanel::Title),
      box_(box),
      source_(box),
      controller_(source_, box.ui(), false) {
    // The options sit in the dialogue's own layout, which only Qt's dialogue has.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setLabelText(QFileDialog::FileName, ExportPanel::NameLabel);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    if (const auto& file = box.fileName()) setDirectory(QFileInfo(*file).absolutePath());
    selectFile(ExportPanel::proposedName(box.fileName()));
    setDefaultSuffix(controller_.requiredFileType());
    connect(&controller_, &PrintViewController::requiredFileTypeChanged, this, &QFileDialog::setDefaultSuffix);

    optionsView_ = new PrintOptionsView(controller_, this);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(optionsView_, grid->rowCount(), 0, 1, grid->columnCount());
    connect(this, &QFileDialog::fileSelected, this, &ExportDialog::exportTo);
}

ExportDialog::~ExportDialog() { delete optionsView_; }

void ExportDialog::exportSlips(Box& box, QWidget& window) {
    box.storeCurrentSlip();
    (new ExportDialog(box, &window))->open();
}

void ExportDialog::exportTo(QString path) {
    // The dialogue may hand over a name without the type it asked for.
    const QString type = controller_.requiredFileType();
    if (QFileInfo(path).suffix() != type) path += u'.' + type;
    SlipExporter(controller_, box_.ui(), pdf_).exportToPath(path);
}

}  // namespace fendle
