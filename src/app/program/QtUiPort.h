#pragma once
#include "app/dialogs/NumberSheet.h"
#include "app/windows/TemplateWindow.h"
#include "platform/ui/UiPort.h"

#include <QPointer>
#include <QWidget>

namespace fendle {

class Box;

// The UI port with dialogs. A port bound to a box window shows the box's
// alerts as window-modal sheets on it and passes the refresh requests to
// it; an unbound port (the application's) shows everything modally.
class QtUiPort : public UiPort {
public:
    // What a box window does for the box: the refresh requests.
    class Window {
    public:
        virtual ~Window() = default;
        virtual QWidget* widget() = 0;
        virtual void retitleMenuItem(const QString& menu, const QString& from, const QString& to) = 0;
        virtual void selectTab(const QString& label) = 0;
        virtual void setWindowTitle(const QString& title) = 0;
        virtual void setEditorEditable(bool editable) = 0;
        virtual void refreshToolbar() = 0;
        virtual void closeExtraSlipWindows() = 0;
        virtual void updateExtraSlipWindows() = 0;
        virtual void refreshInspector() = 0;
    };

    QtUiPort();
    ~QtUiPort() override;
    // The box whose number sheet and template window this port shows.
    void setBox(Box* box) { box_ = box; }
    void setWindow(Window* window) { window_ = window; }

    void showAlert(const Alert& alert) override;
    int askQuestion(const Alert& question) override;
    void beginNumberSheet(const QString& label) override;
    void endNumberSheet() override;
    void openTemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection) override;
    RichText templateWindowText() const override;
    QList<TextRange> templateWindowSelection() const override;
    void closeTemplateWindow() override;
    void playSound(Sound sound) override;
    void beep() override;
    void retitleMenuItem(const QString& menu, const QString& from, const QString& to) override;
    void selectTab(const QString& label) override;
    void setWindowTitle(const QString& title) override;
    void setEditorEditable(bool editable) override;
    void refreshToolbar() override;
    void closeExtraSlipWindows() override;
    void updateExtraSlipWindows() override;
    void refreshInspector() override;

    // The sheets and windows up at the moment (tests look at them).
    NumberSheet* numberSheet() const { return numberSheet_; }
    TemplateWindow* templateWindow() const { return templateWindow_; }

private:
    Box* box_ = nullptr;
    Window* window_ = nullptr;
    QPointer<NumberSheet> numberSheet_;
    QPointer<TemplateWindow> templateWindow_;

    QWidget* parentWidget() const;
};

}  // namespace fendle
