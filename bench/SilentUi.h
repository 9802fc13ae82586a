#pragma once
// A UI port that shows nothing and answers every question with its default.
#include "platform/ui/UiPort.h"

namespace fendle::bench {

class SilentUi : public UiPort {
public:
    void showAlert(const Alert&) override {}
    int askQuestion(const Alert&) override { return 0; }
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
};

}  // namespace fendle::bench
