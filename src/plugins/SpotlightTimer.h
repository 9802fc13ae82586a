#pragma once
#include "plugins/BoxPlugInViews.h"
#include "plugins/FendlePlugIn.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace fendle {

class Box;

// A box's cache-file generation: the Spotlight plug-in's instance for the
// box and the repeating timer that asks it to write the box's cache files.
// It lives from the box's startSpotlightTimer to its stopSpotlightTimer.
class SpotlightTimer : public QObject {
    Q_OBJECT
public:
    // None when the plug-in refuses the box.
    static std::unique_ptr<SpotlightTimer> start(Box& box, plugin::SpotlightProtocol& principalClass,
                                                 const plugin::HostServices& services,
                                                 const plugin::PreferencesView& preferences, qint64 intervalMinutes);

    // At the box's close: the sender is none.
    void generateCacheFiles(const QObject* sender) { instance_->generateCacheFiles(sender); }
    const QTimer& timer() const { return timer_; }

private:
    SpotlightTimer(Box& box, const plugin::HostServices& services);
    std::unique_ptr<BoxPlugInViews> views_;
    std::unique_ptr<plugin::SpotlightProtocol> instance_;
    QTimer timer_;
};

}  // namespace fendle
