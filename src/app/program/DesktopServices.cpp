#include "app/program/DesktopServices.h"

#include <QDesktopServices>

namespace fendle {

bool DesktopServices::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool DesktopServices::desktopSearch(const QString&) { return false; }

}  // namespace fendle
