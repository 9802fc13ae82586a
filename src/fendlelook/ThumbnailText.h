#pragma once
#include "fendlelook/CacheFile.h"

#include <QString>

namespace fendle::look {

// What a thumbnail shows: a header naming the box, the slip and its source,
// then the start of the slip's text.
struct ThumbnailText {
    // Longer texts keep their first 999 characters and an ellipsis.
    static constexpr qsizetype MaximumTextLength = 1000;
    // The header's fields are cut too, far beyond what the view can show,
    // so that a hostile file cannot make the layout slow.
    static constexpr qsizetype MaximumFieldLength = 4000;

    QString header;
    QString body;

    static ThumbnailText from(const CacheFile& file);
    // Texts longer than limit: the first limit - 1 characters, a space and
    // "…". A surrogate pair at the cut is kept whole or not at all.
    static QString cut(const QString& text, qsizetype limit);
};

}  // namespace fendle::look
