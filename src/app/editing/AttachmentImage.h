#pragma once
#include "platform/richtext/TextAttributes.h"

#include <QImage>
#include <QSizeF>

namespace fendle {

// The picture an attachment shows in the text view: its own image when its
// bytes are one, else a small file symbol with the file's extension.
class AttachmentImage {
public:
    // Pictures larger than this are shown as a file symbol; the bytes stay.
    static constexpr qint64 MaximumPixels = qint64(8192) * 8192;
    static constexpr qsizetype MaximumBytes = qsizetype(256) * 1024 * 1024;

    static QImage imageFor(const AttachmentAttribute& attachment);
    // The decoded picture, or a null image when the bytes are none (or too large).
    static QImage decode(const QByteArray& bytes);
    static QImage fileSymbol(const QString& fileName);
    // The pixel size the header states; invalid for no picture or one too large.
    static QSize pixelSize(const QByteArray& bytes);
    // Points: a JPEG that states its resolution shows at pixels × 72 / dpi,
    // any other picture at its pixel size.
    static QSizeF displaySize(const QByteArray& bytes, QSize pixels);
};

}  // namespace fendle
