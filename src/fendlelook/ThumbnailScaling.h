#pragma once
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <optional>

namespace fendle::look {

// How a drawing fits the largest size a thumbnail may take: scaled by one
// factor, so that it keeps its proportions.
class ThumbnailScaling {
public:
    // Larger sizes asked for are taken as this; no desktop asks for more.
    static constexpr double MaximumSide = 4096;

    // The size of the thumbnail in whole pixels (at least one); absent when
    // the maximum size is empty or not a number.
    static std::optional<QSize> thumbnailSize(QSize drawing, QSizeF maximumSize);
    // The square a file's icon is drawn into: the shorter side of the maximum.
    static std::optional<QSize> iconSize(QSizeF maximumSize);

    // Clears the whole context and draws the image into it, smoothly scaled.
    static void drawScaled(const QImage& image, QImage& context);
    // The same, keeping the image's proportions, centred.
    static void drawCentred(const QImage& image, QImage& context);
};

}  // namespace fendle::look
