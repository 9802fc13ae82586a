#pragma once
#include "plugins/BoxPlugInViews.h"

namespace fendle {

// A box's data lent to a plug-in without a window (the command line, the
// benchmarks): a fixed file path, real OpenMeta tags and no progress window.
class WindowlessBoxViews : public BoxDataPlugInView, public plugin::BoxView, private plugin::ProgressView {
public:
    WindowlessBoxViews(const BoxData& data, QString path, const plugin::HostServices& services)
        : BoxDataPlugInView(data), path_(std::move(path)), services_(services) {}

    std::optional<QString> filePath() const override { return path_; }
    const plugin::OpenMetaView& openMetaController() const override { return openMeta_; }
    plugin::ProgressView& progress() override { return *this; }
    const plugin::HostServices& services() const override { return services_; }

private:
    QString path_;
    const plugin::HostServices& services_;
    OpenMetaPlugInView openMeta_;

    void show(const QString&) override {}
    void setValue(double) override {}
    void hide() override {}
};

}  // namespace fendle
