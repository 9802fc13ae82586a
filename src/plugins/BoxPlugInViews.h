#pragma once
#include "plugins/FendlePlugIn.h"

namespace fendle {

class Box;
class Slip;

// A slip as plug-ins see it.
class SlipPlugInView : public plugin::SlipView {
public:
    explicit SlipPlugInView(const Slip& slip) : slip_(slip) {}
    QString title() const override;
    std::optional<QString> author() const override;
    QStringList keywords() const override;
    QString plainText() const override;
    QString key() const override;
    QString source() const override;
    QDateTime creationTime() const override;
    QDateTime lastModificationTime() const override;

private:
    const Slip& slip_;
};

// A box as plug-ins see it: its active slips (the trash while it shows it),
// its file, its OpenMeta controller and its progress window.
class BoxPlugInViews : public plugin::BoxDataView, public plugin::BoxView {
public:
    BoxPlugInViews(Box& box, const plugin::HostServices& services);

    qsizetype slipCount() const override;
    void forEachSlip(const std::function<void(const plugin::SlipView&)>& visit) const override;

    std::optional<QString> filePath() const override;
    const plugin::OpenMetaView& openMetaController() const override { return openMeta_; }
    plugin::ProgressView& progress() override { return progress_; }
    const plugin::HostServices& services() const override { return services_; }

private:
    class OpenMeta : public plugin::OpenMetaView {
    public:
        void setUserTags(const QStringList& tags, const QString& path) const override;
    };
    class Progress : public plugin::ProgressView {
    public:
        explicit Progress(Box& box) : box_(box) {}
        void show(const QString& description) override;
        void setValue(double percent) override;
        void hide() override;

    private:
        Box& box_;
    };

    Box& box_;
    const plugin::HostServices& services_;
    OpenMeta openMeta_;
    Progress progress_;
};

}  // namespace fendle
