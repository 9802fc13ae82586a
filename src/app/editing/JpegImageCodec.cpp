#include "app/editing/JpegImageCodec.h"

#include "app/editing/AttachmentImage.h"
#include "platform/richtext/JpegDensity.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <cmath>

namespace fendle {
namespace {

// Dots per inch that make pixels show at (at least) points; rounded down so
// that the size shown, rounded down, is the size asked for.
int dotsPerInch(int pixels, double points) { return int(std::floor(pixels * 72.0 / points)); }

}  // namespace

std::optional<ImageCodec::Info> JpegImageCodec::inspect(const QByteArray& bytes) const {
    const QSize pixels = AttachmentImage::pixelSize(bytes);
    if (!pixels.isValid() || pixels.isEmpty()) return std::nullopt;
    return Info{pixels, AttachmentImage::displaySize(bytes, pixels)};
}

std::optional<QByteArray> JpegImageCodec::encodeJpeg(const QByteArray& bytes, QSizeF displaySize) const {
    if (!(displaySize.width() > 0) || !(displaySize.height() > 0)) return std::nullopt;
    const QImage image = AttachmentImage::decode(bytes);
    if (image.isNull()) return std::nullopt;
    // JPEG has no transparency: transparent parts go white, not black.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(Quality);
    if (!writer.write(opaque)) return std::nullopt;
    return JpegDensity::withDensity(jpeg, dotsPerInch(image.width(), displaySize.width()),
                                    dotsPerInch(image.height(), displaySize.height()));
}

}  // namespace fendle
