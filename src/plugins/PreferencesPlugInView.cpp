#include "plugins/PreferencesPlugInView.h"

#include "appcore/Preferences.h"

namespace fendle {

qint64 PreferencesPlugInView::integerForKey(const QString& key) const { return preferences_.integerForKey(key); }

}  // namespace fendle
