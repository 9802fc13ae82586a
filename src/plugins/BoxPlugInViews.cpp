#include "plugins/BoxPlugInViews.h"

#include "document/Box.h"
#include "openmeta/OpenMetaController.h"
#include "platform/ui/UiPort.h"

#include <QCoreApplication>

namespace fendle {

QString SlipPlugInView::title() const { return slip_.title(); }
std::optional<QString> SlipPlugInView::author() const { return slip_.author(); }
QStringList SlipPlugInView::keywords() const { return slip_.keywords().toStringList(); }
QString SlipPlugInView::plainText() const { return slip_.text() ? slip_.text()->string() : QString(); }
QString SlipPlugInView::key() const { return slip_.key(); }
QString SlipPlugInView::source() const { return slip_.source().value_or(QString()); }
QDateTime SlipPlugInView::creationTime() const { return slip_.creationTime(); }
QDateTime SlipPlugInView::lastModificationTime() const { return slip_.lastModificationTime(); }

BoxPlugInViews::BoxPlugInViews(Box& box, const plugin::HostServices& services)
    : box_(box), services_(services), progress_(box) {}

qsizetype BoxPlugInViews::slipCount() const { return box_.box().slips().size(); }

void BoxPlugInViews::forEachSlip(const std::function<void(const plugin::SlipView&)>& visit) const {
    const auto& slips = box_.box().slips();
    for (auto it = slips.cbegin(); it != slips.cend(); ++it) {
        if (!it.value()) continue;
        visit(SlipPlugInView(*it.value()));
    }
}

std::optional<QString> BoxPlugInViews::filePath() const { return box_.fileName(); }

void BoxPlugInViews::OpenMeta::setUserTags(const QStringList& tags, const QString& path) const {
    // Failures are logged by the controller.
    (void)OpenMetaController().setUserTags(tags, path);
}

void BoxPlugInViews::Progress::show(const QString& description) { box_.ui().showProgress(description, -1); }

void BoxPlugInViews::Progress::setValue(double percent) {
    box_.ui().setProgress(percent);
}

void BoxPlugInViews::Progress::hide() { box_.ui().hideProgress(); }

}  // namespace fendle
