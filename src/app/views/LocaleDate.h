#pragma once
#include <QDateTime>
#include <QString>

namespace fendle {

// A date as people read it here: the user's locale, the local time zone.
// Files and exports keep their own fixed forms; this is for the screen only.
QString localeDateText(const QDateTime& date);

}  // namespace fendle
