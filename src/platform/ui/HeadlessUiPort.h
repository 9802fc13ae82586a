#pragma once
#include "platform/ui/UiPort.h"

namespace fendle {

// A UI port without a screen: no sheets, windows, sounds or progress; only
// alerts and questions are left to say where they go.
class HeadlessUiPort : public UiPort {
public:
    // Without a screen nobody can choose: as if cancelled.
    std::optional<OpenPanelChoice> runOpenPanel(const OpenPanel&) override { return std::nullopt; }
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

}  // namespace fendle
