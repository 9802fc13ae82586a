#include "plugins/BoxPlugInViews.h"

#include "document/Box.h"
#include "platform/ui/UiPort.h"

namespace fendle {

QString SlipPlugInView::title() const { return slip_.title(); }
std::optional<QString> SlipPlugInView::author() const { return slip_.author(); }
QStringList SlipPlugInView::keywords() const { return slip_.keywords().toStringList(); }
QString SlipPlugInView::plainText() const { return slip_.text() ? slip_.text()->string() : QString(); }
QString SlipPlugInView::key() const { return slip_.key(); }
QString SlipPlugInView::source() const { return slip_.source().value_or(QString()); }
QDateTime SlipPlugInView::creationTime() const { return slip_.creationTime(); }
QDateTime SlipPlugInView::lastModificationTime() const { return slip_.lastModificationTime(); }

qsizetype BoxDataPlugInView::slipCount() const { return data_.slips().size(); }

void BoxDataPlugInView::forEachSlip(const std::function<void(const plugin::SlipView&)>& visit) const {
    for (const SlipPtr& slip : data_.slips())
        if (slip) visit(SlipPlugInView(*slip));
}

BoxPlugInViews::BoxPlugInViews(Box& box, const plugin::HostServices& services)
    : BoxDataPlugInView(box.box()), box_(box), services_(services), progress_(box) {}

std::optional<QString> BoxPlugInViews::filePath() const { return box_.fileName(); }

void BoxPlugInViews::Progress::show(const QString& description) { box_.ui().showProgress(description, -1); }

void BoxPlugInViews::Progress::setValue(double percent) {
    box_.ui().setProgress(percent);
}

void BoxPlugInViews::Progress::hide() { box_.ui().hideProgress(); }

}  // namespace fendle
