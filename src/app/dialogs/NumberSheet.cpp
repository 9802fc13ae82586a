#include "app/dialogs/NumberSheet.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace fendle {

NumberSheet::NumberSheet(const QString& label, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(this)), label_(label) {
    setWindowModality(Qt::WindowModal);
    setWindowTitle(label);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(label, this));
    field_->setMaxLength(16);
    layout->addWidget(field_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    // The box closes the sheet itself once it has taken the number (or
    // keeps it up after an alert); the dialog never closes on its own.
    connect(buttons, &QDialogButtonBox::accepted, this, &NumberSheet::pressOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &NumberSheet::pressCancel);
}

QString NumberSheet::label() const { return label_; }

void NumberSheet::pressOK() { emit okPressed(field_->text()); }

}  // namespace fendle
