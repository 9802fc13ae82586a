#include "ExportTestBox.h"
#include "io/ExportFileWriter.h"
#include "platform/richtext/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

class ExportFileWriterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ExportOptions options;
    TextPdfRenderer pdf;
    ExportFileWriter writer{options, pdf};

    QString path(const QString& name) const { return dir.filePath(name); }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString written(const RichText& text, const QString& name) {
        const Result<QString> result = writer.writeAttributedString(text, path(name));
        EXPECT_TRUE(result.ok()) << result.error().toStdString();
        return result ? QFileInfo(*result).fileName() : QString();
    }
};

}  // namespace

TEST_F(ExportFileWriterTest, RtfNeverReplacesAFileButNumbersTheName) {
    const RichText text(QStringLiteral("Dear diary, café"));
    EXPECT_EQ(written(text, "Notes.rtf"), "Notes.rtf");
    EXPECT_EQ(written(text, "Notes.rtf"), "Notes-1.rtf");
    EXPECT_EQ(written(text, "Notes.rtf"), "Notes-2.rtf");
    put(path("Notes-3.rtf"), "kept");
    EXPECT_EQ(written(text, "Notes-3.rtf"), "Notes-4.rtf");
    EXPECT_EQ(contents(path("Notes-3.rtf")), "kept");
    // Whatever extension was asked for, RTF is written as such.
    EXPECT_EQ(written(text, "Letter.txt"), "Letter.rtf");
    const Result<RichText> read = RtfReader::read(contents(path("Notes-4.rtf")));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->string(), "Dear diary, café");
}

TEST_F(ExportFileWriterTest, PicturesMakeAPackage) {
    ExportTestBox box;
    box.addPicture(box.add(1, "With a picture "));
    EXPECT_EQ(written(*box.current->text(), "Pictures.rtf"), "Pictures.rtfd");
    EXPECT_TRUE(QFileInfo(path("Pictures.rtfd/TXT.rtf")).isFile());
    EXPECT_EQ(contents(path("Pictures.rtfd/p.png")), "png");
}

TEST_F(ExportFileWriterTest, PlainTextInTheChosenEncodingReplacesTheFile) {
    options.format = ExportFormat::PlainText;
    options.encoding = encoding::WindowsCP1252;
    put(path("Notes.txt"), "old");
    EXPECT_EQ(written(RichText(QStringLiteral("café – “ok”\n")), "Notes.txt"), "Notes.txt");
    EXPECT_EQ(contents(path("Notes.txt")), QByteArray("caf\xe9 \x96 \x93ok\x94\n"));
    options.encoding = encoding::Unicode;
    written(RichText(QStringLiteral("é")), "Notes.txt");
    const QByteArray utf16 = contents(path("Notes.txt"));
    EXPECT_TRUE(utf16 == QByteArray("\xff\xfe\xe9\x00", 4) || utf16 == QByteArray("\xfe\xff\x00\xe9", 4))
        << utf16.toHex().toStdString();
}

TEST_F(ExportFileWriterTest, ACharacterTheEncodingCannotHoldWritesNothing) {
    options.format = ExportFormat::PlainText;
    options.encoding = encoding::WindowsCP1252;
    put(path("Notes.txt"), "old");
    EXPECT_FALSE(writer.writeAttributedString(RichText(QStringLiteral("Ω")), path("Notes.txt")).ok());
    EXPECT_EQ(contents(path("Notes.txt")), "old");
}

TEST_F(ExportFileWriterTest, PdfGoesThroughTheRendererAndNoFormatWritesNothing) {
    options.format = ExportFormat::Pdf;
    EXPECT_EQ(written(RichText(QStringLiteral("one\n\ftwo")), "Slips.pdf"), "Slips.pdf");
    EXPECT_EQ(contents(path("Slips.pdf")), "%PDF-1.4\none\n\ftwo");
    options.format = ExportFormat::None;
    EXPECT_FALSE(writer.writeAttributedString(RichText(QStringLiteral("x")), path("None.rtf")).ok());
    EXPECT_FALSE(QFileInfo::exists(path("None.rtf")));
}
