#pragma once
#include <QString>

namespace fendle {

// The short version string of the application (box files carry it; plug-ins
// name the version they need).
QString versionString();

}  // namespace fendle
