#include "app/dialogs/ReplaceKeywordDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace fendle {

ReplaceKeywordDialog::ReplaceKeywordDialog(QWidget* parent)
    : QDialog(parent), old_(new QLineEdit(this)), new_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Replace Keyword"));
    setWindowModality(Qt::ApplicationModal);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Replace:"), old_);
    layout->addRow(QStringLiteral("With:"), new_);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] { emit replaceKeywordOK(old_->text(), new_->text()); });
}

void ReplaceKeywordDialog::openWithOldKeyword(const QString& keyword) {
    old_->setText(keyword);
    new_->clear();
    open();
    new_->setFocus();
}

}  // namespace fendle
