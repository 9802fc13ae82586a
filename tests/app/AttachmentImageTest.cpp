#include "RichTextSamples.h"
#include "app/editing/AttachmentImage.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

// A BMP header claiming a picture of the given size, without its pixels.
QByteArray bmpHeader(qint32 width, qint32 height) {
    QByteArray bytes("BM");
    const auto put = [&bytes](quint32 value, int size) {
        for (int i = 0; i < size; ++i) bytes.append(char((value >> (8 * i)) & 0xff));
    };
    put(54, 4), put(0, 4), put(54, 4);
    put(40, 4), put(quint32(width), 4), put(quint32(height), 4), put(1, 2), put(24, 2);
    put(0, 4), put(0, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    return bytes;
}

}  // namespace

TEST(AttachmentImage, PicturesShowThemselvesAndOtherFilesAFileSymbol) {
    const QImage picture = AttachmentImage::imageFor({QStringLiteral("a.png"), pngBytes(7, 9)});
    EXPECT_EQ(picture.size(), QSize(7, 9));
    const QImage symbol = AttachmentImage::imageFor({QStringLiteral("notes.pdf"), QByteArray("%PDF-1.4")});
    EXPECT_EQ(symbol.size(), AttachmentImage::fileSymbol(QString()).size());
    EXPECT_FALSE(AttachmentImage::imageFor({QString(), QByteArray()}).isNull());
}

TEST(AttachmentImage, HostileBytesNeverMakeAHugeOrBrokenPicture) {
    EXPECT_TRUE(AttachmentImage::decode(bmpHeader(100000, 100000)).isNull());
    EXPECT_TRUE(AttachmentImage::decode(bmpHeader(-5, 0)).isNull());
    const QByteArray png = pngBytes(20, 20);
    EXPECT_TRUE(AttachmentImage::decode(png.left(20)).isNull());
    QRandomGenerator random(9);
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes = pngBytes(4, 4);
        bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        // A damaged byte gives no picture or the picture it was.
        const QImage image = AttachmentImage::decode(bytes);
        EXPECT_TRUE(image.isNull() || image.size() == QSize(4, 4)) << i;
    }
}
