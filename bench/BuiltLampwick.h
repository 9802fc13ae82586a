#pragma once
// Lampwick as the build made it, loaded from its bundle as the program loads
// it; null when the bundle was not built.
#include "plugins/FendlePlugIn.h"
#include "plugins/PlugInBundle.h"

#include <QString>

namespace fendle::bench {

inline plugin::SpotlightProtocol* builtLampwick() {
    const Result<PlugInBundle> bundle =
        PlugInBundle::open(QStringLiteral(FENDLE_BINARY_DIR "/lib/fendle/PlugIns/Lampwick.fdlplugin"));
    if (!bundle) return nullptr;
    const Result<QObject*> root = bundle->principalClass();
    return root ? qobject_cast<plugin::SpotlightProtocol*>(*root) : nullptr;
}

}  // namespace fendle::bench
