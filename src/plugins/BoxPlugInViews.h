#pragma once
#include "plugins/FendlePlugIn.h"
#include "plugins/OpenMetaPlugInView.h"

namespace fendle {

class Box;
class BoxData;
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

// The active slips of a box's data: the trash while the box shows it.
class BoxDataPlugInView : public plugin::BoxDataView {
public:
    explicit BoxDataPlugInView(const BoxData& data) : data_(data) {}
    qsizetype slipCount() const override;
    void forEachSlip(const std::function<void(const plugin::SlipView&)>& visit) const override;

private:
    const BoxData& data_;
};

// A box as plug-ins see it: its slips, its file, its OpenMeta controller and
// its progress window.
class BoxPlugInViews : public BoxDataPlugInView, public plugin::BoxView {
public:
    BoxPlugInViews(Box& box, const plugin::HostServices& services);

    std::optional<QString> filePath() const override;
    const plugin::OpenMetaView& openMetaController() const override { return openMeta_; }
    plugin::ProgressView& progress() override { return progress_; }
    const plugin::HostServices& services() const override { return services_; }

private:
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
    OpenMetaPlugInView openMeta_;
    Progress progress_;
};

}  // namespace fendle
