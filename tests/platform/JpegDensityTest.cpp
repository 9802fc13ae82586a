#include "platform/richtext/JpegDensity.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

// SOI, a JFIF APP0 with the given units and densities, then EOI.
QByteArray jfif(int units, int x, int y) {
    QByteArray bytes("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01", 13);
    bytes.append(char(units));
    bytes.append(char(x >> 8)).append(char(x & 0xFF)).append(char(y >> 8)).append(char(y & 0xFF));
    bytes.append("\x00\x00\xFF\xD9", 4);
    return bytes;
}

}  // namespace

TEST(JpegDensityTest, ReadsDotsPerInchAndPerCentimetre) {
    EXPECT_EQ(JpegDensity::read(jfif(1, 144, 72)), QPointF(144, 72));
    const std::optional<QPointF> perCm = JpegDensity::read(jfif(2, 100, 50));
    ASSERT_TRUE(perCm);
    EXPECT_DOUBLE_EQ(perCm->x(), 254.0);
    EXPECT_DOUBLE_EQ(perCm->y(), 127.0);
}

TEST(JpegDensityTest, NoResolutionWithoutUnitsOrWithoutAHeader) {
    EXPECT_FALSE(JpegDensity::read(jfif(0, 1, 1)));
    EXPECT_FALSE(JpegDensity::read(jfif(1, 0, 72)));
    EXPECT_FALSE(JpegDensity::read(QByteArray("\x89PNG\r\n\x1a\n", 8)));
    EXPECT_FALSE(JpegDensity::read(QByteArray()));
    // Cut off inside the header: nothing is read past the end.
    for (int length = 0; length < jfif(1, 72, 72).size() - 4; ++length)
        EXPECT_FALSE(JpegDensity::read(jfif(1, 72, 72).left(length))) << length;
}

TEST(JpegDensityTest, WritingReplacesTheResolutionOrAddsAHeader) {
    const std::optional<QByteArray> changed = JpegDensity::withDensity(jfif(0, 1, 1), 144, 300);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->size(), jfif(0, 1, 1).size());
    EXPECT_EQ(JpegDensity::read(*changed), QPointF(144, 300));

    const QByteArray bare("\xFF\xD8\xFF\xDB\x00\x02\xFF\xD9", 8);
    const std::optional<QByteArray> added = JpegDensity::withDensity(bare, 96, 96);
    ASSERT_TRUE(added);
    EXPECT_EQ(JpegDensity::read(*added), QPointF(96, 96));
    EXPECT_TRUE(added->endsWith(bare.mid(2)));

    // Densities out of range are clamped; no JPEG, no result.
    EXPECT_EQ(JpegDensity::read(*JpegDensity::withDensity(bare, 0, 1 << 20)), QPointF(1, 65535));
    EXPECT_FALSE(JpegDensity::withDensity("not a picture", 72, 72));
}
