#include "app/program/DesktopServices.h"

#include <QDesktopServices>

namespace fendle {

bool DesktopServices::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace fendle
