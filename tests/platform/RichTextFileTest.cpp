#include "RtfTestSupport.h"
#include "platform/richtext/RichTextFile.h"
#include "platform/text/TextEncoding.h"
#include "support/Samples.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}
}  // namespace

TEST(RichTextFile, ReadsTheSampleRtfAndRtfd) {
    REQUIRE_SAMPLES();
    const Result<RichText> rtf = RichTextFile::read(test::samplePath(QStringLiteral("GrandPerspective-Credits.rtf")));
    ASSERT_TRUE(rtf.ok());
    EXPECT_TRUE(rtf->string().contains(QStringLiteral("Erwin Bonsma")));
    const Result<RichText> rtfd = RichTextFile::read(test::samplePath(QStringLiteral("osxcart-rtfdtest.rtfd")));
    ASSERT_TRUE(rtfd.ok());
    EXPECT_TRUE(rtfd->hasAttachments());
}

TEST(RichTextFile, ReadsTextFilesInTheirEncoding) {
    QTemporaryDir dir;
    EXPECT_EQ(RichTextFile::read(writeBytes(dir, "a.txt", "caf\xC3\xA9\n"))->string(), QStringLiteral("caf\u00E9\n"));
    EXPECT_EQ(RichTextFile::read(writeBytes(dir, "b.txt", "caf\xE9"))->string(), QStringLiteral("caf\u00E9"))
        << "not UTF-8: Windows Latin 1";
    EXPECT_EQ(RichTextFile::read(writeBytes(dir, "c.txt", QByteArray("\xFF\xFEh\0i\0", 6)))->string(), QStringLiteral("hi"));
    EXPECT_TRUE(RichTextFile::read(writeBytes(dir, "d.txt", "{\\rtf1 sniffed}"))->string() == QStringLiteral("sniffed"));
    EXPECT_FALSE(RichTextFile::read(dir.filePath(QStringLiteral("missing.rtf"))).ok());
}

TEST(RichTextFile, PlainTextRefusesCharactersTheEncodingLacks) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(RichTextFile::writePlainText(RichText(QStringLiteral("old")), path, encoding::UTF8).ok());
    const Status result = RichTextFile::writePlainText(RichText(QStringLiteral("ok \u4E2D")), path, encoding::ISOLatin1);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error().contains(QStringLiteral("U+4E2D"))) << result.error().toStdString();
    EXPECT_EQ(RichTextFile::read(path)->string(), QStringLiteral("old")) << "nothing written, the old file kept";
    ASSERT_TRUE(RichTextFile::writePlainText(RichText(QStringLiteral("\u00E9")), path, encoding::ISOLatin1).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xE9"));
}

TEST(RichTextFile, RtfFileRoundTrip) {
    QTemporaryDir dir;
    RichText text(QStringLiteral("bold"));
    text.addAttribute(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false}, text.wholeRange());
    const QString path = dir.filePath(QStringLiteral("x.rtf"));
    ASSERT_TRUE(RichTextFile::writeRtf(text, path).ok());
    EXPECT_EQ(*RichTextFile::read(path), text);
}
