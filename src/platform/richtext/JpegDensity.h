#pragma once
#include <QByteArray>
#include <QPointF>
#include <optional>

namespace fendle {

// The resolution a JPEG file states in its JFIF header. A picture shows at
// pixels × 72 / dots-per-inch points, so the resolution is where a resized
// picture keeps the size it shows at.
class JpegDensity {
public:
    // Dots per inch horizontally and vertically; none when the bytes are no
    // JPEG with a JFIF header that states a resolution.
    static std::optional<QPointF> read(const QByteArray& jpeg);
    // The JPEG with its JFIF header stating these dots per inch (each
    // clamped to 1…65535); a header is added when there is none. None when
    // the bytes are no JPEG.
    static std::optional<QByteArray> withDensity(const QByteArray& jpeg, int dotsPerInchX, int dotsPerInchY);
};

}  // namespace fendle
