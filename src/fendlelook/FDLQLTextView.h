#pragma once
#include "fendlelook/ThumbnailText.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <optional>

namespace fendle::look {

// The text view a thumbnail is drawn from: white, with the bundle's
// background image shown faintly behind the text, laid out like a text view
// of the frame's width (five points of padding on either side).
class FDLQLTextView {
public:
    static constexpr int Side = 800;
    static constexpr double BackgroundOpacity = 0.25;
    static constexpr int LinePadding = 5;
    // In the generator bundle's resource folder.
    static inline const QString BackgroundFileName = QStringLiteral("background.tif");

    // Loads backgroundImage from the file; none when it is missing or unreadable.
    FDLQLTextView(QRect frame, const QString& backgroundImagePath);

    const std::optional<QImage>& backgroundImage() const { return backgroundImage_; }
    void setText(const ThumbnailText& text) { text_ = text; }

    void drawViewBackgroundInRect(QPainter& painter, QRectF rect) const;
    // The whole view, background included. Needs a QGuiApplication.
    QImage render() const;

private:
    QRect frame_;
    std::optional<QImage> backgroundImage_;
    ThumbnailText text_;

    void drawText(QPainter& painter) const;
};

}  // namespace fendle::look
