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
    QList<OpenPanel> openPanels;
    std::deque<std::optional<OpenPanelChoice>> openPanelAnswers;
    QStringList sounds;
    int beeps = 0;
    QStringList openedSheets;
    bool sheetOpen = false;
    int closedSheets = 0;
    bool templateWindowOpen = false;
    RichText templateText;
    QList<TextRange> templateSelection;
    QList<bool> busyChanges;
    QStringList progress;  // "text value" when shown, then each new value
    bool progressShown = false;

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
    std::optional<OpenPanelChoice> runOpenPanel(const OpenPanel& panel) override {
        openPanels.append(panel);
        if (openPanelAnswers.empty()) {
            ADD_FAILURE() << "unexpected open panel: " << panel.title.toStdString();
            return std::nullopt;
        }
        std::optional<OpenPanelChoice> answer = openPanelAnswers.front();
        openPanelAnswers.pop_front();
        return answer;
    }
    void beginNumberSheet(const QString& label) override {
        openedSheets.append(label);
        sheetOpen = true;
    }
    void endNumberSheet() override {
        sheetOpen = false;
        ++closedSheets;
    }
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
    void setBusy(bool on) override { busyChanges.append(on); }
    void showProgress(const QString& text, double value) override {
        progress.append(text + " " + QString::number(value));
        progressShown = true;
    }
    void setProgress(double value) override { progress.append(QString::number(value)); }
    void hideProgress() override { progressShown = false; }

    // The messages of all alerts so far, and forgets them.
    QStringList takeMessages() {
        QStringList messages;
        for (const Alert& alert : alerts) messages.append(alert.message);
        alerts.clear();
        return messages;
    }
};

}  // namespace fendle::test
