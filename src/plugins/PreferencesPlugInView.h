#pragma once
#include "plugins/FendlePlugIn.h"

namespace fendle {

class Preferences;

// The application's preferences as a per-box plug-in instance holds them.
class PreferencesPlugInView : public plugin::PreferencesView {
public:
    explicit PreferencesPlugInView(const Preferences& preferences) : preferences_(preferences) {}
    qint64 integerForKey(const QString& key) const override;

private:
    const Preferences& preferences_;
};

}  // namespace fendle
