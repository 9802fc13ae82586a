#pragma once
#include <QString>

namespace fendle {

// Removes a bundle folder and everything in it. A symbolic link is removed
// as a link, never followed, so nothing outside the folder goes with it.
bool removeBundleFolder(const QString& path);

}  // namespace fendle
