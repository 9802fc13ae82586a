#pragma once
#include <QByteArray>
#include <QSize>
#include <QSizeF>
#include <optional>

namespace fendle {

// Reading and writing pictures, which needs the GUI library: the program
// hands its own in, tests a fake.
class ImageCodec {
public:
    struct Info {
        QSize pixels;
        // Points: the size the picture shows at in the text.
        QSizeF displaySize;
    };

    virtual ~ImageCodec() = default;
    // None when the bytes are no picture, or one too large to decode.
    virtual std::optional<Info> inspect(const QByteArray& bytes) const = 0;
    // The picture as JPEG (quality 80) that shows at displaySize; none when
    // no bitmap could be made of it.
    virtual std::optional<QByteArray> encodeJpeg(const QByteArray& bytes, QSizeF displaySize) const = 0;
};

}  // namespace fendle
