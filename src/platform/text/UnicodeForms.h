#pragma once
#include <QString>

namespace fendle {

// The canonical decomposition (NFD) of a text: base letters followed by
// their combining marks, as tags are stored.
QString decomposedString(const QString& text);

// Full lower-case mapping without a locale (one character may become
// several), the case rule that makes two tags the same tag.
QString lowercaseString(const QString& text);

}  // namespace fendle
