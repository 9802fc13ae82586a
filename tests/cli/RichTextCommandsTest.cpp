#include "platform/richtext/RichTextFile.h"
#include "platform/RtfTestSupport.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfdPackage.h"
#include "platform/text/TextEncoding.h"
#include "support/Samples.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

using namespace fendle;

namespace {
class RichTextCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCli({"new", box()}).status, 0); }
    QString box() const { return dir_.filePath(QStringLiteral("b.fendle")); }
    QString add(const QStringList& extra) {
        const CliOutcome added = runCli(QStringList{"add", box()} + extra);
        EXPECT_EQ(added.status, 0) << added.err.toStdString();
        return QString::fromUtf8(added.out).trimmed();
    }
    QTemporaryDir dir_;
};
}  // namespace

TEST_F(RichTextCommands, SamplesComeBackAsTheSameTextAndRuns) {
    REQUIRE_SAMPLES();
    const QStringList samples = {"macai-Credits.rtf", "GrandPerspective-Credits.rtf", "Cakebrew-pt-Credits.rtf",
                                 "ImageOptim-Credits-2012.rtf", "osxcart-rtfdtest.rtfd"};
    for (const QString& sample : samples) {
        const QString path = test::samplePath(sample);
        const Result<RichText> expected = RichTextFile::read(path);
        ASSERT_TRUE(expected.ok());
        const QString key = add({"--from", path});
        EXPECT_FALSE(key.isEmpty());
        if (sample.endsWith(QStringLiteral(".rtfd"))) {
            const QString folder = dir_.filePath(key + QStringLiteral(".rtfd"));
            const CliOutcome written = runCli({"text", box(), key, "--rtfd", folder});
            ASSERT_EQ(written.status, 0) << written.err.toStdString();
            const Result<RichText> back = RtfdPackage::read(folder);
            ASSERT_TRUE(back.ok());
            EXPECT_EQ(*back, *expected) << sample.toStdString() << ": attachments byte for byte";
            continue;
        }
        const CliOutcome rtf = runCli({"text", box(), key, "--rtf"});
        ASSERT_EQ(rtf.status, 0) << rtf.err.toStdString();
        const Result<RichText> back = RtfReader::read(rtf.out);
        ASSERT_TRUE(back.ok()) << sample.toStdString();
        EXPECT_EQ(back->string(), expected->string()) << sample.toStdString();
        EXPECT_TRUE(back->runs() == expected->runs())
            << sample.toStdString() << ": " << rtftest::describeDifference(*back, *expected);
    }
}

TEST_F(RichTextCommands, AddSetsFieldsAndNumbersTheSlip) {
    EXPECT_EQ(add({"--text", QStringLiteral("caf\u00E9 \u65E5"), "--keywords", "a, b", "--source", "web", "--type", "Note"}),
              QStringLiteral("2"));
    EXPECT_EQ(add({}), QStringLiteral("3"));
    const CliOutcome utf8 = runCli({"text", box(), "2", "--txt"});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_EQ(utf8.out, QStringLiteral("caf\u00E9 \u65E5").toUtf8());
    EXPECT_EQ(add({"--text", QStringLiteral("\u65E5\u672C")}), QStringLiteral("4"));
    const CliOutcome sjis = runCli({"text", box(), "4", "--txt", "--encoding", "8"});
    EXPECT_EQ(sjis.status, 0);
    EXPECT_EQ(TextEncoding::decode(sjis.out, encoding::ShiftJIS), QStringLiteral("\u65E5\u672C"));
    const CliOutcome dump = runCli({"dump", box()});
    EXPECT_TRUE(dump.out.contains("\"Note\"")) << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains("\"web\""));
}

TEST_F(RichTextCommands, RefusalsExitWithStatusTwo) {
    add({"--text", QStringLiteral("\u65E5")});
    const CliOutcome latin = runCli({"text", box(), "2", "--txt", "--encoding", "5"});
    EXPECT_EQ(latin.status, 2);
    EXPECT_TRUE(latin.err.contains("U+65E5")) << "an unencodable character is named, not dropped";
    EXPECT_TRUE(latin.out.isEmpty());
    EXPECT_EQ(runCli({"text", box(), "99"}).status, 2);
    EXPECT_EQ(runCli({"text", box(), "2", "--txt", "--encoding", "77"}).status, 2);
    EXPECT_EQ(runCli({"text", box(), "2", "--rtf", "--txt"}).status, 2);
    EXPECT_EQ(runCli({"text", box(), "2", "--rtfd", dir_.path()}).status, 2) << "a folder that is no package stays";
    EXPECT_TRUE(QFileInfo::exists(box()));
    EXPECT_EQ(runCli({"add", box(), "--from", dir_.filePath("missing.rtf")}).status, 2);
    QFile rtf(dir_.filePath(QStringLiteral("a.rtf")));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1 a}");
    rtf.close();
    EXPECT_EQ(runCli({"add", box(), "--from", rtf.fileName(), "--text", "x"}).status, 2);
    EXPECT_EQ(runCli({"add", dir_.filePath("nobox.fendle")}).status, 2);
}
