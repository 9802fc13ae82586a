#pragma once
#include "platform/richtext/TextAttributes.h"

namespace fendle::rtfdefaults {

// The text system's defaults: Helvetica 12, and a natural paragraph with
// twelve left tabs every 28 points. Text carrying exactly these needs no
// attribute, so the reader leaves them out and the writer fills them in.
FontAttribute font();
const ParagraphStyleAttribute& paragraphStyle();

// RTF writes lengths in twips.
inline double pointsFromTwips(double twips) { return twips / 20.0; }
inline long twipsFromPoints(double points) { return static_cast<long>(points * 20.0 + (points < 0 ? -0.5 : 0.5)); }

}  // namespace fendle::rtfdefaults
