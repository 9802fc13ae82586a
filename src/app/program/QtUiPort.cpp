#include "app/program/QtUiPort.h"

#include "app/dialogs/NumberSheet.h"
#include "app/dialogs/OpenPanelWithKinds.h"
#include "app/windows/TemplateWindow.h"
#include "document/Box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace fendle {

namespace {

QMessageBox* makeMessageBox(const UiPort::Alert& alert, QWidget* parent) {
    // A message with nothing to decide informs; one with a choice warns of what it may cost.
    const QMessageBox::Icon icon = alert.buttons.size() > 1 ? QMessageBox::Warning : QMessageBox::Information;
    auto* box = new QMessageBox(icon, QString(), alert.message, QMessageBox::NoButton, parent);
    box->setInformativeText(alert.informativeText);
    const QStringList buttons = alert.buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : alert.buttons;
    for (int i = 0; i < buttons.size(); ++i) {
        // "Install & Load" shows its "&" rather than making a mnemonic of it.
        QPushButton* button = box->addButton(QString(buttons[i]).replace(QLatin1Char('&'), QStringLiteral("&&")),
                                             QMessageBox::ActionRole);
        button->setProperty("buttonIndex", i);
        if (i == 0) box->setDefaultButton(button);
    }
    return box;
}

}  // namespace

QtUiPort::QtUiPort() = default;

QtUiPort::~QtUiPort() {
    delete numberSheet_.data();
    delete templateWindow_.data();
    delete progress_.data();
}

QWidget* QtUiPort::parentWidget() const {
    if (window_) return window_.data();
    return QApplication::activeWindow();
}

void QtUiPort::showAlert(const Alert& alert) {
    QMessageBox* box = makeMessageBox(alert, parentWidget());
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (alert.style == AlertStyle::Sheet && window_) {
        // A sheet does not stop the box: the code that raised it goes on.
        box->setWindowModality(Qt::WindowModal);
        box->open();
        return;
    }
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
}

int QtUiPort::askQuestion(const Alert& question) {
    QMessageBox* box = makeMessageBox(question, parentWidget());
    box->setWindowModality(window_ && question.style == AlertStyle::Sheet ? Qt::WindowModal : Qt::ApplicationModal);
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    // Closing without a button counts as the last one, the cancelling one.
    const int answer = clicked ? clicked->property("buttonIndex").toInt()
                               : int(std::max<qsizetype>(0, question.buttons.size() - 1));
    delete box;
    return answer;
}

std::optional<UiPort::OpenPanelChoice> QtUiPort::runOpenPanel(const OpenPanel& panel) {
    OpenPanelWithKinds dialog(panel, parentWidget());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return OpenPanelChoice{dialog.kind(), dialog.selectedFiles()};
}

void QtUiPort::beginNumberSheet(const QString& label) {
    if (!box_) return;
    endNumberSheet();
    Box* box = box_;
    numberSheet_ = new NumberSheet(label, parentWidget());
    QObject::connect(numberSheet_, &NumberSheet::okPressed, numberSheet_, [box](const QString& text) {
        UndoManager::EventScope event(box->undoManager());
        box->numberSheetOK(text);
    });
    QObject::connect(numberSheet_, &NumberSheet::cancelPressed, numberSheet_, [box] { box->goToCancel(); });
    numberSheet_->open();
}

void QtUiPort::endNumberSheet() {
    if (!numberSheet_) return;
    NumberSheet* sheet = numberSheet_;
    numberSheet_ = nullptr;
    sheet->hide();
    sheet->deleteLater();
}

void QtUiPort::openTemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection) {
    if (!box_) return;
    closeTemplateWindow();
    Box* box = box_;
    templateWindow_ = new TemplateWindow(text, selection, parentWidget());
    QObject::connect(templateWindow_, &TemplateWindow::okPressed, templateWindow_, [box] {
        UndoManager::EventScope event(box->undoManager());
        box->templateOK();
    });
    QObject::connect(templateWindow_, &TemplateWindow::cancelPressed, templateWindow_, [box] { box->templateCancel(); });
    QObject::connect(templateWindow_, &TemplateWindow::deletePressed, templateWindow_, [box] { box->templateDelete(); });
    templateWindow_->open();
}

RichText QtUiPort::templateWindowText() const { return templateWindow_ ? templateWindow_->text() : RichText(); }

QList<TextRange> QtUiPort::templateWindowSelection() const {
    return templateWindow_ ? templateWindow_->selection() : QList<TextRange>{};
}

void QtUiPort::closeTemplateWindow() {
    if (!templateWindow_) return;
    TemplateWindow* window = templateWindow_;
    templateWindow_ = nullptr;
    window->hide();
    window->deleteLater();
}

// No sound files ship with the program; every sound is the system beep.
void QtUiPort::playSound(Sound) { QApplication::beep(); }
void QtUiPort::beep() { QApplication::beep(); }

namespace {

// The work behind a progress window runs on this thread: the window is drawn
// by delivering what is already queued (its show, expose and paint), while
// the user's input, timers and sockets wait until the work is done, so that
// nobody closes the box or starts the same work again meanwhile.
void paintProgress() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
}

}  // namespace

void QtUiPort::showProgress(const QString& text, double percent) {
    hideProgress();
    progress_ = new QProgressDialog(text, QString(), 0, 1000, parentWidget());
    progress_->setWindowModality(window_ ? Qt::WindowModal : Qt::ApplicationModal);
    // The bar is moved directly: the dialog's own setValue would run every
    // pending event of a modal dialog, timers and clicks included.
    progressBar_ = new QProgressBar(progress_);
    progressBar_->setRange(0, 1000);
    progress_->setBar(progressBar_);
    progress_->show();
    setProgress(percent);
}

void QtUiPort::setProgress(double percent) {
    if (!progressBar_) return;
    // No known end: the bar moves to and fro.
    if (percent < 0) {
        progressBar_->setRange(0, 0);
        paintProgress();
        return;
    }
    if (progressBar_->maximum() == 0) progressBar_->setRange(0, 1000);
    const int value = int(std::clamp(percent, 0.0, 100.0) * 10);
    if (value == progressBar_->value() && progress_->isVisible()) return;
    progressBar_->setValue(value);
    paintProgress();
}

void QtUiPort::hideProgress() {
    if (!progress_) return;
    QProgressDialog* panel = progress_;
    progress_ = nullptr;
    panel->hide();
    panel->deleteLater();
}

void QtUiPort::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace fendle
