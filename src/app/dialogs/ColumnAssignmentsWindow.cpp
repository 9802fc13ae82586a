#include "app/dialogs/ColumnAssignmentsWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace fendle {

ColumnAssignmentsWindow::ColumnAssignmentsWindow(QWidget* parent)
    : QDialog(parent), fileLabel_(new QLabel(this)), encodingPopup_(new QComboBox(this)) {
    setWindowTitle(ColumnAssignmentsForImport::Title);
    setModal(true);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Column"), this), 0, 0);
    grid->addWidget(new QLabel(tr("Slip field"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Order"), this), 0, 2);
    for (int column = 1; column <= ColumnAssignmentsForImport::ColumnCount; ++column) {
        auto* popup = new QComboBox(this);
        popup->addItems(ColumnAssignmentsForImport::fieldTitles());
        auto* field = new QLineEdit(this);
        field->setMaximumWidth(60);
        grid->addWidget(new QLabel(QString::number(column), this), column, 0);
        grid->addWidget(popup, column, 1);
        grid->addWidget(field, column, 2);
        popups_.append(popup);
        fields_.append(field);
    }
    encodingPopup_->addItems(ColumnAssignmentsForImport::encodingTitles());
    auto* encodingRow = new QHBoxLayout;
    encodingRow->addWidget(new QLabel(tr("Encoding:"), this));
    encodingRow->addWidget(encodingPopup_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel_);
    layout->addLayout(grid);
    layout->addLayout(encodingRow);
    layout->addWidget(buttons);
}

bool ColumnAssignmentsWindow::runDialog(ColumnAssignmentsForImport& settings) {
    showSettings(settings);
    if (exec() != QDialog::Accepted) return false;
    takeSettings(settings);
    return true;
}

void ColumnAssignmentsWindow::showSettings(const ColumnAssignmentsForImport& settings) {
    fileLabel_->setText(QFileInfo(settings.importFilename()).fileName());
    for (int column = 1; column <= ColumnAssignmentsForImport::ColumnCount; ++column) {
        columnPopup(column)->setCurrentText(settings.field(column));
        numberField(column)->setText(settings.order(column));
    }
    encodingPopup_->setCurrentIndex(settings.encodingIndex());
}

void ColumnAssignmentsWindow::takeSettings(ColumnAssignmentsForImport& settings) const {
    for (int column = 1; column <= ColumnAssignmentsForImport::ColumnCount; ++column) {
        settings.setField(column, columnPopup(column)->currentText());
        settings.setOrder(column, numberField(column)->text());
    }
    settings.setEncodingIndex(encodingPopup_->currentIndex());
}

}  // namespace fendle
