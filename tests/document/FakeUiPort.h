#pragma once
#include "platform/ui/UiPort.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>

namespace fendle::test {

// Records everything the box asks of the user and answers questions from a
// queue; an unexpected question fails the test and answers the default.
class FakeUiPort : public UiPort {
public:
    QList<Alert> alerts;
    QList<Alert> questions;
    std::deque<int> answers;
    QStringList sounds;
    int beeps = 0;
    QStringList openedSheets;
    bool sheetOpen = false;
    bool templateWindowOpen = false;
    RichText templateText;
    QList<TextRange> templateSelection;
    QStringList menuTitles;  // "menu:from->to"
    QString selectedTab;
    QString windowTitle;
    std::optional<bool> editorEditable;
    int refreshes = 0;
    int extraWindowClosings = 0;

    void showAlert(const Alert& alert) override { alerts.append(alert); }
    int askQuestion(const Alert& question) override {
        questions.append(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question.message.toStdString();
            return 0;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beginNumberSheet(const QString& label) override {
        openedSheets.append(label);
        sheetOpen = true;
    }
    void endNumberSheet() override { sheetOpen = false; }
    void openTemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection) override {
        templateWindowOpen = true;
        templateText = text.value_or(RichText());
        templateSelection = selection;
    }
    RichText templateWindowText() const override { return templateText; }
    QList<TextRange> templateWindowSelection() const override { return templateSelection; }
    void closeTemplateWindow() override { templateWindowOpen = false; }
    void playSound(Sound sound) override {
        static const char* names[] = {"drag to trash", "Volume Mount", "empty trash"};
        sounds.append(QString::fromLatin1(names[static_cast<int>(sound)]));
    }
    void beep() override { ++beeps; }
    void retitleMenuItem(const QString& menu, const QString& from, const QString& to) override {
        menuTitles.append(menu + ":" + from + "->" + to);
    }
    void selectTab(const QString& label) override { selectedTab = label; }
    void setWindowTitle(const QString& title) override {
        windowTitle = title;
        ++refreshes;
    }
    void setEditorEditable(bool editable) override { editorEditable = editable; }
    void refreshToolbar() override {}
    void closeExtraSlipWindows() override { ++extraWindowClosings; }
    void updateExtraSlipWindows() override {}
    void refreshInspector() override {}

    // The messages of all alerts so far, and forgets them.
    QStringList takeMessages() {
        QStringList messages;
        for (const Alert& alert : alerts) messages.append(alert.message);
        alerts.clear();
        return messages;
    }
};

}  // namespace fendle::test
