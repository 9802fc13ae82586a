#pragma once
#include "platform/richtext/RichText.h"
#include "platform/richtext/TextRange.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

// How the box logic talks to the user. The program implements it with
// dialogs; tests implement it with a scripted fake. Nothing here blocks on
// anything but a question, which is answered by the index of its button.
class UiPort {
public:
    enum class AlertStyle {
        Sheet,  // on the box window: displayAlert
        Modal,  // application-wide: displayMessage
    };
    struct Alert {
        AlertStyle style = AlertStyle::Sheet;
        QString message;
        QString informativeText;
        QStringList buttons{QStringLiteral("OK")};
        friend bool operator==(const Alert&, const Alert&) = default;
    };
    enum class Sound { DragToTrash, VolumeMount, EmptyTrash };

    virtual ~UiPort() = default;

    // Warning-style alerts with "OK".
    void displayAlert(const QString& message) { showAlert({AlertStyle::Sheet, message, QString()}); }
    void displayAlert(const QString& message, const QString& comment) {
        showAlert({AlertStyle::Sheet, message, comment});
    }
    void displayMessage(const QString& message) { showAlert({AlertStyle::Modal, message, QString()}); }
    virtual void showAlert(const Alert& alert) = 0;
    // A modal alert with buttons (the first is the default); answers the
    // index of the button pressed.
    virtual int askQuestion(const Alert& question) = 0;

    // The number sheet ("Go To Slip Number", "Merge With Slip Number"): its
    // OK button reaches the box with the field's text.
    virtual void beginNumberSheet(const QString& label) = 0;
    virtual void endNumberSheet() = 0;

    // The modal template window.
    virtual void openTemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection) = 0;
    virtual RichText templateWindowText() const = 0;
    virtual QList<TextRange> templateWindowSelection() const = 0;
    virtual void closeTemplateWindow() = 0;

    virtual void playSound(Sound sound) = 0;
    virtual void beep() = 0;

    // A menu item (menu "View" or "Slip") takes a new title.
    virtual void retitleMenuItem(const QString& menu, const QString& from, const QString& to) = 0;
    virtual void selectTab(const QString& label) = 0;

    // Refresh requests.
    virtual void setWindowTitle(const QString& title) = 0;
    virtual void setEditorEditable(bool editable) = 0;
    virtual void refreshToolbar() = 0;
    virtual void closeExtraSlipWindows() = 0;
    virtual void updateExtraSlipWindows() = 0;
    virtual void refreshInspector() = 0;
};

}  // namespace fendle
