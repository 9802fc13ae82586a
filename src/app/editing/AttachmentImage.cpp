#include "app/editing/AttachmentImage.h"

#include "platform/richtext/JpegDensity.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace fendle {

QImage AttachmentImage::imageFor(const AttachmentAttribute& attachment) {
    QImage image = decode(attachment.contents);
    return image.isNull() ? fileSymbol(attachment.fileName) : image;
}

namespace {

// Reads the header only; true when the picture may be decoded.
bool acceptableHeader(QImageReader& reader, QSize& size) {
    size = reader.size();
    // A hostile file may claim a huge picture.
    return size.isValid() && !size.isEmpty() && qint64(size.width()) * size.height() <= AttachmentImage::MaximumPixels;
}

}  // namespace

namespace {
// Runs use on a reader of bytes whose header passed the checks; answers
// the empty value otherwise.
template <typename T, typename Use>
T withCheckedReader(const QByteArray& bytes, Use use) {
    if (bytes.isEmpty() || bytes.size() > AttachmentImage::MaximumBytes) return {};
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer);
    QSize size;
    if (!acceptableHeader(reader, size)) return {};
    return use(reader, size);
}
}  // namespace

QImage AttachmentImage::decode(const QByteArray& bytes) {
    return withCheckedReader<QImage>(bytes, [](QImageReader& reader, const QSize&) {
        QImage image;
        return reader.read(&image) ? image : QImage();
    });
}

QSize AttachmentImage::pixelSize(const QByteArray& bytes) {
    return withCheckedReader<QSize>(bytes, [](QImageReader&, const QSize& size) { return size; });
}

QSizeF AttachmentImage::displaySize(const QByteArray& bytes, QSize pixels) {
    const std::optional<QPointF> dpi = JpegDensity::read(bytes);
    if (!dpi) return QSizeF(pixels);
    return {pixels.width() * 72.0 / dpi->x(), pixels.height() * 72.0 / dpi->y()};
}

QImage AttachmentImage::fileSymbol(const QString& fileName) {
    QImage image(40, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1.5));
    painter.setBrush(Qt::white);
    const QPolygonF page({QPointF(4, 2), QPointF(28, 2), QPointF(36, 10), QPointF(36, 46), QPointF(4, 46)});
    painter.drawPolygon(page);
    painter.drawPolyline(QPolygonF({QPointF(28, 2), QPointF(28, 10), QPointF(36, 10)}));
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.drawText(QRectF(4, 20, 32, 20), Qt::AlignCenter, QFileInfo(fileName).suffix().left(5).toUpper());
    return image;
}

}  // namespace fendle
