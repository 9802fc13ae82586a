#pragma once
#include "fendlelook/CacheFile.h"
#include "model/BoxData.h"
#include "platform/system/Result.h"

#include <QImage>
#include <QString>

namespace fendle {

// The thumbnail of a box file: the slip shown when the box last closed (its
// "LastSlipOpen" attribute), else its first slip, drawn as the slip's cache
// file is drawn, under the header "File / Slip / Source".
class BoxThumbnail {
public:
    // Boxes above this size get no thumbnail; reading them would take longer
    // than a file manager waits.
    static constexpr qint64 MaximumBoxSize = qint64(256) * 1024 * 1024;

    static Result<QImage> draw(const QString& boxPath, int size, const QString& backgroundImagePath);

    // The key named by the box file's attribute, if the box holds that slip.
    static SlipPtr slipToShow(const BoxData& box, const QString& boxPath);
    // What the slip's cache file would carry.
    static look::CacheFile cacheFileOf(const Slip& slip, const QString& boxPath);
};

}  // namespace fendle
