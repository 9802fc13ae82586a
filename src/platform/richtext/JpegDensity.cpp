#include "platform/richtext/JpegDensity.h"

#include <algorithm>

namespace fendle {
namespace {

// SOI, then an APP0 segment: marker, length (16), "JFIF\0", version (2),
// units, X density, Y density, thumbnail width and height.
constexpr int App0Start = 2;
constexpr int UnitsOffset = App0Start + 11;
constexpr int HeaderEnd = App0Start + 18;

quint8 byteAt(const QByteArray& bytes, int index) { return quint8(bytes.at(index)); }
int wordAt(const QByteArray& bytes, int index) { return byteAt(bytes, index) << 8 | byteAt(bytes, index + 1); }

bool isJpeg(const QByteArray& bytes) { return bytes.size() >= 4 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8; }

bool hasJfifHeader(const QByteArray& bytes) {
    return bytes.size() >= HeaderEnd && byteAt(bytes, App0Start) == 0xFF && byteAt(bytes, App0Start + 1) == 0xE0 &&
           wordAt(bytes, App0Start + 2) >= 16 && bytes.mid(App0Start + 4, 5) == QByteArray("JFIF\0", 5);
}

void putWord(QByteArray& bytes, int index, int value) {
    bytes[index] = char(value >> 8);
    bytes[index + 1] = char(value & 0xFF);
}

}  // namespace

std::optional<QPointF> JpegDensity::read(const QByteArray& jpeg) {
    if (!isJpeg(jpeg) || !hasJfifHeader(jpeg)) return std::nullopt;
    const int units = byteAt(jpeg, UnitsOffset);
    const int x = wordAt(jpeg, UnitsOffset + 1);
    const int y = wordAt(jpeg, UnitsOffset + 3);
    // Units 0 give only the aspect ratio; the picture shows at its pixel size.
    if (x == 0 || y == 0 || (units != 1 && units != 2)) return std::nullopt;
    const double perInch = units == 2 ? 2.54 : 1.0;
    return QPointF(x * perInch, y * perInch);
}

std::optional<QByteArray> JpegDensity::withDensity(const QByteArray& jpeg, int dotsPerInchX, int dotsPerInchY) {
    if (!isJpeg(jpeg)) return std::nullopt;
    QByteArray result = jpeg;
    if (!hasJfifHeader(result)) {
        static const char header[] = {'\xFF', '\xE0', 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
        result.insert(App0Start, header, sizeof header);
    }
    result[UnitsOffset] = 1;
    putWord(result, UnitsOffset + 1, std::clamp(dotsPerInchX, 1, 0xFFFF));
    putWord(result, UnitsOffset + 3, std::clamp(dotsPerInchY, 1, 0xFFFF));
    return result;
}

}  // namespace fendle
