#include "app/windows/TemplateWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace fendle {

TemplateWindow::TemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection,
                               QWidget* parent)
    : QDialog(parent), textView_(new QTextEdit(this)), original_(text.value_or(RichText())) {
    setWindowTitle(QStringLiteral("Slip Template"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    textView_->setAcceptRichText(false);
    textView_->setPlainText(original_.string());
    if (!selection.isEmpty() && selection.first().end() <= original_.length()) {
        QTextCursor cursor = textView_->textCursor();
        cursor.setPosition(int(selection.first().location));
        cursor.setPosition(int(selection.first().end()), QTextCursor::KeepAnchor);
        textView_->setTextCursor(cursor);
    }
    layout->addWidget(textView_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* deleteButton = buttons->addButton(QStringLiteral("Delete"), QDialogButtonBox::DestructiveRole);
    QPushButton* cancelButton = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(okButton, &QPushButton::clicked, this, &TemplateWindow::okPressed);
    connect(deleteButton, &QPushButton::clicked, this, &TemplateWindow::deletePressed);
    connect(cancelButton, &QPushButton::clicked, this, &TemplateWindow::reject);
    layout->addWidget(buttons);
}

RichText TemplateWindow::text() const {
    const QString plain = textView_->toPlainText();
    if (plain == original_.string()) return original_;
    const Attributes style = original_.isEmpty() ? Attributes() : original_.attributesAt(0);
    return RichText(plain, style);
}

QList<TextRange> TemplateWindow::selection() const {
    const QTextCursor cursor = textView_->textCursor();
    return {TextRange{cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()}};
}

}  // namespace fendle
