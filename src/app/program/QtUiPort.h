#pragma once
#include "app/dialogs/NumberSheet.h"
#include "app/windows/TemplateWindow.h"
#include "platform/ui/UiPort.h"

#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QWidget>

namespace fendle {

class Box;

// The UI port with dialogs. A port bound to a box window shows the box's
// alerts as window-modal sheets on it; an unbound port (the application's)
// shows everything modally.
class QtUiPort : public UiPort {
public:
    QtUiPort();
    ~QtUiPort() override;
    // The box whose number sheet and template window this port shows.
    void setBox(Box* box) { box_ = box; }
    // The window the box's sheets go on; none shows them modally.
    void setWindow(QWidget* window) { window_ = window; }

    void showAlert(const Alert& alert) override;
    int askQuestion(const Alert& question) override;
    std::optional<OpenPanelChoice> runOpenPanel(const OpenPanel& panel) override;
    void beginNumberSheet(const QString& label) override;
    void endNumberSheet() override;
    void openTemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection) override;
    RichText templateWindowText() const override;
    QList<TextRange> templateWindowSelection() const override;
    void closeTemplateWindow() override;
    void playSound(Sound sound) override;
    void beep() override;
    void setBusy(bool busy) override;
    void showProgress(const QString& text, double percent) override;
    void setProgress(double percent) override;
    void hideProgress() override;

    // The sheets and windows up at the moment (tests look at them).
    NumberSheet* numberSheet() const { return numberSheet_; }
    TemplateWindow* templateWindow() const { return templateWindow_; }

private:
    Box* box_ = nullptr;
    QPointer<QWidget> window_;
    QPointer<NumberSheet> numberSheet_;
    QPointer<TemplateWindow> templateWindow_;
    QPointer<QProgressDialog> progress_;
    QPointer<QProgressBar> progressBar_;

    QWidget* parentWidget() const;
};

}  // namespace fendle
