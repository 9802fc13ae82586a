#pragma once
#include "platform/richtext/TextAttributes.h"

#include <QColor>
#include <QFont>

namespace fendle::look {

// The look shared by previews and thumbnails: headings in the program's
// highlight colour, the desktop's general font.
class FendleLookStyle {
public:
    static constexpr double PreviewHeadingPointSize = 14.0;
    // Thumbnails are laid out in an unscaled view, one point to the pixel.
    static constexpr int ThumbnailPixelSize = 24;

    static ColorAttribute headingColor();
    static QColor headingQColor();
    static QColor thumbnailBodyColor() { return Qt::black; }

    // Both need a QGuiApplication.
    static QString systemFontFamily();
    static FontAttribute previewHeadingFont();
    static QFont thumbnailFont();
};

}  // namespace fendle::look
