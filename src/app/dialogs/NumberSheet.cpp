#include "app/dialogs/NumberSheet.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace fendle {

namespace {

const QRegularExpression Digits(QRegularExpression::anchoredPattern(QStringLiteral("\\d*")));

// The window title names the command; the label inside asks for the number.
QString titleFor(const QString& label) {
    if (label.startsWith(QLatin1String("Go To"))) return QStringLiteral("Go To Slip");
    if (label.startsWith(QLatin1String("Merge"))) return QStringLiteral("Merge Slips");
    return QStringLiteral("Make Slip Link");
}

}  // namespace

NumberSheet::NumberSheet(const QString& label, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(this)), refusal_(new QLabel(this)), label_(label) {
    setWindowModality(Qt::WindowModal);
    setWindowTitle(titleFor(label));
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(label, this);
    question->setBuddy(field_);
    layout->addWidget(question);
    field_->setMaxLength(16);
    field_->setValidator(new QRegularExpressionValidator(Digits, field_));
    field_->setPlaceholderText(QStringLiteral("Slip number"));
    layout->addWidget(field_);
    refusal_->setObjectName(QStringLiteral("refusal"));
    refusal_->hide();
    layout->addWidget(refusal_);
    connect(field_, &QLineEdit::textEdited, refusal_, &QLabel::hide);
    // Wide enough for the title bar to show the whole title.
    setMinimumWidth(qMax(320, fontMetrics().horizontalAdvance(windowTitle()) + 160));
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

QString NumberSheet::refusal() const { return refusal_->isHidden() ? QString() : refusal_->text(); }

void NumberSheet::pressOK() {
    const QString typed = field_->text().trimmed();
    if (!Digits.match(typed).hasMatch()) {
        refusal_->setText(QStringLiteral("\"%1\" is not a slip number. Type the number of a slip.").arg(typed));
        refusal_->show();
        field_->selectAll();
        field_->setFocus();
        return;
    }
    emit okPressed(field_->text());
}

}  // namespace fendle
