#include "app/windows/ExtraSlipWindow.h"

#include "document/Box.h"
#include "document/RtfdPatcher.h"
#include "platform/ui/UiPort.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace fendle {

namespace {
int nextWindowNumber = 1;
}  // namespace

ExtraSlipWindow::ExtraSlipWindow(Box& box, UiPort& ui, const QString& slipKey, const std::optional<QFont>& plainTextFont,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      box_(box),
      ui_(ui),
      key_(slipKey),
      number_(nextWindowNumber++),
      text_(new QTextEdit(this)),
      document_(*text_->document()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("ExtraSlipWindow"));
    text_->setReadOnly(true);
    keywords_ = makeField(plainTextFont);
    source_ = makeField(plainTextFont);
    type_ = makeField(plainTextFont);
    flagged_ = new QCheckBox(QStringLiteral("Flagged"), this);
    goTo_ = new QPushButton(QStringLiteral("Go To Slip"), this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Keywords:"), keywords_);
    fields->addRow(QStringLiteral("Source:"), source_);
    fields->addRow(QStringLiteral("Type:"), type_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(flagged_);
    buttons->addStretch(1);
    buttons->addWidget(goTo_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(420, 360);

    // The check box only asks; the box's refresh shows the flag it then holds.
    connect(flagged_, &QCheckBox::clicked, this, [this] { emit toggleFlagged(key_); });
    connect(goTo_, &QPushButton::clicked, this, [this] { emit changeCurrentSlipRequestFromWindow(key_); });
    addForwardingAction(QStringLiteral("Close All Extra Slip Windows"), &ExtraSlipWindow::closeAllExtraSlipWindows);
    addForwardingAction(QStringLiteral("Arrange Extra Slip Windows"), &ExtraSlipWindow::arrangeExtraSlipWindows);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setWindowTitle(titleFor(key_, box_.fileName()));
    updateWindow();
}

QLineEdit* ExtraSlipWindow::makeField(const std::optional<QFont>& font) {
    auto* field = new QLineEdit(this);
    field->setReadOnly(true);
    // Read-only: no frame and the window's background, so nothing invites typing.
    field->setFrame(false);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    if (font) field->setFont(*font);
    return field;
}

void ExtraSlipWindow::addForwardingAction(const QString& title, void (ExtraSlipWindow::*signal)()) {
    auto* action = new QAction(title, this);
    connect(action, &QAction::triggered, this, [this, signal] { emit(this->*signal)(); });
    addAction(action);
}

QString ExtraSlipWindow::titleFor(const QString& slipKey, const std::optional<QString>& boxFile) {
    const QString name = boxFile ? QFileInfo(*boxFile).fileName().section(QLatin1Char('.'), 0, 0) : QString();
    return QStringLiteral("Slip %1 - %2").arg(slipKey, name);
}

SlipPtr ExtraSlipWindow::displayedSlip() const { return box_.slip(key_); }

void ExtraSlipWindow::updateWindow() {
    const SlipPtr slip = displayedSlip();
    if (!slip) {
        // Removed or trashed since: nothing left to show or to act on.
        shownText_.reset();
        document_.setRichText(RichText());
        keywords_->clear();
        source_->clear();
        type_->clear();
        flagged_->setChecked(false);
        flagged_->setEnabled(false);
        goTo_->setEnabled(false);
        return;
    }
    // The window follows every refresh of the box: the text is laid out
    // (and its attachments re-read) only when it changed.
    const RichText text = slip->text().value_or(RichText());
    if (!shownText_ || !(*shownText_ == text)) {
        shownText_ = text;
        document_.setRichText(
            RtfdPatcher::patchRTFDString(text, [this](const QString& message) { ui_.displayMessage(message); }));
    }
    keywords_->setText(slip->keywordsString());
    source_->setText(slip->source().value_or(QString()));
    type_->setText(slip->slipType().value_or(QString()));
    flagged_->setChecked(slip->isFlagged());
    flagged_->setEnabled(true);
    goTo_->setEnabled(true);
}

}  // namespace fendle
