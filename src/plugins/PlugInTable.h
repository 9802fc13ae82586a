#pragma once
#include "platform/plist/PlistValue.h"

namespace fendle {

class Defaults;

// The saved plug-in table, "PlugInTableData": lower-cased identifier →
// {"load": bool}. Without it only the shipped Spotlight plug-in is on.
class PlugInTable {
public:
    static inline const QString DefaultsKey = QStringLiteral("PlugInTableData");
    static inline const QString SpotlightPlugInIdentifier = QStringLiteral("com.quorvel.fendle.revadizozaroriv");

    static PlistValue::Dictionary saved(const Defaults& defaults);
    static bool loadEntry(const PlistValue::Dictionary& table, const QString& identifier);
};

}  // namespace fendle
