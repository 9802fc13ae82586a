#include "plugins/SpotlightTimer.h"

#include "document/Box.h"

namespace fendle {

SpotlightTimer::SpotlightTimer(Box& box, const plugin::HostServices& services)
    : views_(std::make_unique<BoxPlugInViews>(box, services)) {}

std::unique_ptr<SpotlightTimer> SpotlightTimer::start(Box& box, plugin::SpotlightProtocol& principalClass,
                                                      const plugin::HostServices& services,
                                                      const plugin::PreferencesView& preferences,
                                                      qint64 intervalMinutes) {
    std::unique_ptr<SpotlightTimer> timer(new SpotlightTimer(box, services));
    timer->instance_ = principalClass.initWithBox(*timer->views_, *timer->views_, preferences);
    if (!timer->instance_) return nullptr;
    // A stored slip reaches the plug-in as soon as the box files it.
    connect(&box.document(), &BoxDocument::slipChanged, timer.get(), [instance = timer->instance_.get()](const SlipPtr& slip) {
        if (slip) instance->slipChanged(SlipPlugInView(*slip));
    });
    // An interval below a minute would keep the window busy writing.
    timer->timer_.setInterval(std::chrono::minutes(std::max<qint64>(intervalMinutes, 1)));
    connect(&timer->timer_, &QTimer::timeout, timer.get(),
            [t = timer.get()] { t->instance_->generateCacheFiles(&t->timer_); });
    timer->timer_.start();
    return timer;
}

}  // namespace fendle
