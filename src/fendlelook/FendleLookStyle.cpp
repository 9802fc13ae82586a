#include "fendlelook/FendleLookStyle.h"

#include <QFontDatabase>

namespace fendle::look {

ColorAttribute FendleLookStyle::headingColor() { return ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17, 1.0); }

QColor FendleLookStyle::headingQColor() {
    const ColorAttribute c = headingColor();
    return QColor::fromCmykF(c.components[0], c.components[1], c.components[2], c.components[3], c.alpha);
}

QString FendleLookStyle::systemFontFamily() { return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(); }

FontAttribute FendleLookStyle::previewHeadingFont() {
    FontAttribute font;
    font.family = systemFontFamily();
    font.pointSize = PreviewHeadingPointSize;
    font.bold = true;
    return font;
}

QFont FendleLookStyle::thumbnailFont() {
    QFont font(systemFontFamily());
    font.setPixelSize(ThumbnailPixelSize);
    return font;
}

}  // namespace fendle::look
