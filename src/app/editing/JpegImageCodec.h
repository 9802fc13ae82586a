#pragma once
#include "document/ImageCodec.h"

namespace fendle {

// Pictures read and written with Qt's image formats, within the limits the
// text view decodes pictures to.
class JpegImageCodec : public ImageCodec {
public:
    static constexpr int Quality = 80;

    std::optional<Info> inspect(const QByteArray& bytes) const override;
    std::optional<QByteArray> encodeJpeg(const QByteArray& bytes, QSizeF displaySize) const override;
};

}  // namespace fendle
