#include "RtfTestSupport.h"
#include "platform/richtext/RtfdPackage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
Attributes font() {
    Attributes a;
    a.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    return a;
}
Attributes attachment(const QString& name, const QByteArray& bytes) {
    Attributes a = font();
    a.set(attr::Attachment, AttachmentAttribute{name, bytes});
    return a;
}
QByteArray binary() {
    QByteArray bytes;
    for (int i = 0; i < 1024; ++i) bytes.append(static_cast<char>(i * 7));
    return bytes;
}
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
}  // namespace

TEST(RtfdPackage, RoundTripKeepsAttachmentsByteForByte) {
    QTemporaryDir dir;
    RichText text(QStringLiteral("Picture: "), font());
    const QString marker = QString(QChar(AttachmentCharacter));
    text.append(marker, attachment(QStringLiteral("image1.png"), binary()));
    text.append(QStringLiteral(" and again "), font());
    text.append(marker, attachment(QStringLiteral("image1.png"), "other bytes {\\}"));
    text.append(marker, attachment(QStringLiteral("caf\u00E9 {1}.jpg"), QByteArray(3, '\0')));
    const QString path = dir.filePath(QStringLiteral("Slip.rtfd"));
    ASSERT_TRUE(RtfdPackage::write(text, path).ok());

    const QStringList files = QDir(path).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{"TXT.rtf", QStringLiteral("caf\u00E9 {1}.jpg"), "image1 2.png", "image1.png"}));
    const Result<RichText> back = RtfdPackage::read(path);
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_EQ(back->string(), text.string());
    EXPECT_EQ(back->attributesAt(9).get<AttachmentAttribute>(attr::Attachment),
              (AttachmentAttribute{"image1.png", binary()}));
    EXPECT_EQ(back->attributesAt(21).get<AttachmentAttribute>(attr::Attachment),
              (AttachmentAttribute{"image1 2.png", "other bytes {\\}"}))
        << "a clashing name is made unique";
    RichText expected = text;
    expected.addAttribute(attr::Attachment, AttachmentAttribute{"image1 2.png", "other bytes {\\}"}, {21, 1});
    EXPECT_EQ(*back, expected);
}

TEST(RtfdPackage, RewritingReplacesTheWholeFolder) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Slip.rtfd"));
    RichText first(QStringLiteral("x"), font());
    first.append(QString(QChar(AttachmentCharacter)), attachment(QStringLiteral("old.png"), "old"));
    ASSERT_TRUE(RtfdPackage::write(first, path).ok());
    ASSERT_TRUE(RtfdPackage::write(RichText(QStringLiteral("second"), font()), path).ok());
    EXPECT_EQ(QDir(path).entryList(QDir::Files), QStringList{"TXT.rtf"}) << "no stale attachment survives";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"Slip.rtfd"}) << "no staging folders are left behind";
    EXPECT_EQ(RtfdPackage::read(path)->string(), QStringLiteral("second"));
}

TEST(RtfdPackage, HostileNamesAndMissingFilesGiveEmptyAttachments) {
    QTemporaryDir dir;
    const QString package = dir.filePath(QStringLiteral("Evil.rtfd"));
    ASSERT_TRUE(QDir().mkpath(package));
    writeBytes(dir.filePath(QStringLiteral("secret.txt")), "SECRET");
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("secret.txt")), package + QStringLiteral("/link.txt")));
    writeBytes(package + QStringLiteral("/TXT.rtf"),
               "{\\rtf1 {{\\NeXTGraphic ../secret.txt \\width1\n}\xAC}{{\\NeXTGraphic link.txt\n}\xAC}"
               "{{\\NeXTGraphic missing.png\n}\xAC}{{\\NeXTGraphic TXT.rtf\n}\xAC}}");
    const Result<RichText> result = RtfdPackage::read(package);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->length(), 4);
    for (qsizetype i = 0; i < 4; ++i) {
        const auto a = result->attributesAt(i).get<AttachmentAttribute>(attr::Attachment);
        ASSERT_TRUE(a);
        EXPECT_TRUE(a->contents.isEmpty()) << a->fileName.toStdString();
    }
    EXPECT_FALSE(RtfdPackage::read(dir.filePath(QStringLiteral("none.rtfd"))).ok());
}

TEST(RtfdPackage, UnsafeAttachmentNamesAreNeverWritten) {
    QTemporaryDir dir;
    RichText text;
    const QString marker = QString(QChar(AttachmentCharacter));
    for (const QString& name : {QStringLiteral("../../escape.png"), QStringLiteral(".hidden"), QStringLiteral("TXT.rtf"),
                                QString()})
        text.append(marker, attachment(name, "x"));
    const QStringList names = RtfdPackage::attachmentFileNames(text);
    EXPECT_EQ(names, (QStringList{"escape.png", "Attachment.hidden", "TXT 2.rtf", "Attachment"}));
    ASSERT_TRUE(RtfdPackage::write(text, dir.filePath(QStringLiteral("p.rtfd"))).ok());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("escape.png"))));
}
