#include "platform/system/AppVersion.h"

#include "Version.h"

namespace fendle {

QString versionString() { return QStringLiteral(FENDLE_VERSION_STRING); }

}  // namespace fendle
