#include "fendlelook/ThumbnailScaling.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace fendle::look {
namespace {

std::optional<QSizeF> usableMaximum(QSizeF maximumSize) {
    const double width = maximumSize.width();
    const double height = maximumSize.height();
    if (!(width >= 1) || !(height >= 1)) return std::nullopt;  // also NaN
    return QSizeF(std::min(width, ThumbnailScaling::MaximumSide), std::min(height, ThumbnailScaling::MaximumSide));
}

int wholePixels(double length) { return std::max(1, static_cast<int>(std::lround(length))); }

void clear(QPainter& painter, const QImage& context) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(context.rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

}  // namespace

std::optional<QSize> ThumbnailScaling::thumbnailSize(QSize drawing, QSizeF maximumSize) {
    const auto maximum = usableMaximum(maximumSize);
    if (!maximum || drawing.isEmpty()) return std::nullopt;
    const double scale = std::min(maximum->width() / drawing.width(), maximum->height() / drawing.height());
    return QSize(wholePixels(drawing.width() * scale), wholePixels(drawing.height() * scale));
}

std::optional<QSize> ThumbnailScaling::iconSize(QSizeF maximumSize) {
    const auto maximum = usableMaximum(maximumSize);
    if (!maximum) return std::nullopt;
    const int side = wholePixels(std::min(maximum->width(), maximum->height()));
    return QSize(side, side);
}

void ThumbnailScaling::drawScaled(const QImage& image, QImage& context) {
    QPainter painter(&context);
    clear(painter, context);
    painter.drawImage(QRectF(context.rect()), image);
}

void ThumbnailScaling::drawCentred(const QImage& image, QImage& context) {
    QPainter painter(&context);
    clear(painter, context);
    if (image.isNull()) return;
    const QSizeF fitted = QSizeF(image.size()).scaled(QSizeF(context.size()), Qt::KeepAspectRatio);
    const QPointF corner((context.width() - fitted.width()) / 2, (context.height() - fitted.height()) / 2);
    painter.drawImage(QRectF(corner, fitted), image);
}

}  // namespace fendle::look
