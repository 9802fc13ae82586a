#pragma once
#include "platform/richtext/RichText.h"
#include "platform/richtext/TextRange.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

// How the box logic talks to the user: alerts, questions, sheets, panels and
// sounds. What the windows show is not asked for here: they follow the
// box's notifications. The program implements it with dialogs; tests with a
// scripted fake. Nothing here blocks on anything but a question, which is
// answered by the index of its button.
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
    // A kind of file an open panel offers: choosing it shows the files with
    // these extensions and allows one file or several.
    struct FileKind {
        QString title;
        QStringList extensions;
        bool multipleSelection = false;
        friend bool operator==(const FileKind&, const FileKind&) = default;
    };
    struct OpenPanel {
        QString title;
        QString prompt;
        QList<FileKind> kinds;  // the first is chosen at first
    };
    struct OpenPanelChoice {
        int kind = 0;
        QStringList paths;
    };

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

    // A modal open panel with a chooser of the kinds; answers the kind chosen
    // and the paths, none when cancelled.
    virtual std::optional<OpenPanelChoice> runOpenPanel(const OpenPanel& panel) = 0;

    // The number sheet ("Go To Slip Number", "Merge With Slip Number", the
    // slip link's "Slip ID"): its OK button reaches the box with the field's
    // text.
    virtual void beginNumberSheet(const QString& label) = 0;
    virtual void endNumberSheet() = 0;

    // The modal template window.
    virtual void openTemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection) = 0;
    virtual RichText templateWindowText() const = 0;
    virtual QList<TextRange> templateWindowSelection() const = 0;
    virtual void closeTemplateWindow() = 0;

    virtual void playSound(Sound sound) = 0;
    virtual void beep() = 0;

    // A busy indicator while a slow fetch runs; always switched off again.
    virtual void setBusy(bool busy) = 0;
    // The progress panel of a long walk: text and a value in per cent; a
    // negative value shows work without a known end.
    virtual void showProgress(const QString& text, double percent) = 0;
    virtual void setProgress(double percent) = 0;
    virtual void hideProgress() = 0;
};

}  // namespace fendle
