#include "app/dialogs/OpenPanelWithKinds.h"

#include <QComboBox>
#include <QGridLayout>

namespace fendle {

OpenPanelWithKinds::OpenPanelWithKinds(const UiPort::OpenPanel& panel, QWidget* parent)
    : QFileDialog(parent, panel.title), kinds_(panel.kinds), chooser_(new QComboBox(this)) {
    // The chooser goes into the dialogue's own layout, which only Qt's dialogue has.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::Accept, panel.prompt);
    chooser_->setObjectName(QStringLiteral("kindChooser"));
    for (const UiPort::FileKind& kind : kinds_) chooser_->addItem(kind.title);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) grid->addWidget(chooser_, grid->rowCount(), 0, 1, -1);
    connect(chooser_, &QComboBox::currentIndexChanged, this, &OpenPanelWithKinds::applyKind);
    applyKind(0);
}

int OpenPanelWithKinds::kind() const { return chooser_->currentIndex(); }

void OpenPanelWithKinds::applyKind(int index) {
    if (index < 0 || index >= kinds_.size()) {
        setNameFilter(QString());
        return;
    }
    const UiPort::FileKind& kind = kinds_[index];
    QStringList patterns;
    for (const QString& extension : kind.extensions) patterns.append(QStringLiteral("*.") + extension);
    setNameFilter(patterns.join(QLatin1Char(' ')));
    setFileMode(kind.multipleSelection ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
}

}  // namespace fendle
