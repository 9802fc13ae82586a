#pragma once
#include "BuiltModule.h"
#include "fendlelook/FDLQLTextView.h"
#include "fendlelook/ThumbnailScaling.h"

namespace fendle::test {

// The thumbnail the module should draw for a text, drawn here by the same
// view so that the module's pixels can be compared exactly.
inline QImage referenceThumbnail(const look::ThumbnailText& text, QSize size, bool withBackground = true) {
    const QString background = builtBundle() + (withBackground ? QStringLiteral("/Contents/Resources/background.tif")
                                                               : QStringLiteral("/Contents/Resources/none.tif"));
    look::FDLQLTextView view(QRect(0, 0, look::FDLQLTextView::Side, look::FDLQLTextView::Side), background);
    view.setText(text);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    look::ThumbnailScaling::drawScaled(view.render(), image);
    return image;
}

inline look::ThumbnailText thumbnailText(const QString& header, const QString& body) {
    look::ThumbnailText text;
    text.header = header;
    text.body = body;
    return text;
}

}  // namespace fendle::test
