#pragma once
#include "cli/Command.h"
#include "platform/ui/UiPort.h"

namespace fendle::cli {

// The box logic's messages on standard error; a command that ran into one
// ends with status 2. Nothing here waits for an answer.
class CliUiPort : public UiPort {
public:
    explicit CliUiPort(Io& io) : io_(io) {}
    bool alerted() const { return alerted_; }

    void showAlert(const Alert& alert) override;
    int askQuestion(const Alert& question) override;
    void beginNumberSheet(const QString&) override {}
    void endNumberSheet() override {}
    void openTemplateWindow(const std::optional<RichText>&, const QList<TextRange>&) override {}
    RichText templateWindowText() const override { return {}; }
    QList<TextRange> templateWindowSelection() const override { return {}; }
    void closeTemplateWindow() override {}
    void playSound(Sound) override {}
    void beep() override {}
    void setBusy(bool) override {}
    void showProgress(const QString&, double) override {}
    void setProgress(double) override {}
    void hideProgress() override {}

private:
    Io& io_;
    bool alerted_ = false;
};

}  // namespace fendle::cli
