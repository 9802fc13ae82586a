#include "app/AttachmentImage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace fendle {

QImage AttachmentImage::imageFor(const AttachmentAttribute& attachment) {
    QImage image = decode(attachment.contents);
    return image.isNull() ? fileSymbol(attachment.fileName) : image;
}

QImage AttachmentImage::decode(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > MaximumBytes) return {};
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer);
    // Look at the header first: a hostile file may claim a huge picture.
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > MaximumPixels) return {};
    QImage image;
    if (!reader.read(&image)) return {};
    return image;
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
