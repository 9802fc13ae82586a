#pragma once
#include <QString>
#include <QtGlobal>

namespace fendle {

// The integer value of a string as archived boxes read keys: leading white
// space, an optional sign, then digits up to the first other character;
// 0 when there are none, saturating at the 32-bit limits.
qint32 intValueOfString(const QString& text);

// Trims spaces and tabs (not line breaks) at both ends.
QString trimSpacesAndTabs(const QString& text);

}  // namespace fendle
