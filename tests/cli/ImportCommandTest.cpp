#include "cli/CliRunner.h"
#include "platform/TestFile.h"
#include "support/BuildPaths.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using fendle::test::writeTestFile;

namespace {

// A new box (slip 1, empty) that files are imported into.
class ImportCommand : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString box = dir.filePath("Import.fendle");

    void SetUp() override { ASSERT_EQ(runCliForText({"new", box}).status, 0); }
    QString textOf(const QString& key) { return runCliForText({"text", box, key, "--txt"}).out; }
    static QString dataFile(const QString& name) { return fendle::test::sourceFolder() + "/tests/io/data/" + name; }
};

}  // namespace

TEST_F(ImportCommand, DelimitedTextByColumnsSavesAndPrintsTheNewKeys) {
    const QString csv = writeTestFile(dir, "rows.csv", "a,b,c\r\nd,e,f\r\n");
    const CliTextOutcome imported = runCliForText({"import", box, csv, "--columns", "1:Slip Text:2,2:Slip Text:1,3:Keywords:"});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "2\n3\n");
    EXPECT_EQ(textOf("2"), "ba");
    EXPECT_EQ(textOf("3"), "ed");
    EXPECT_EQ(runCliForText({"keywords", box}).out, "c\nf\n");

    // A .txt file is tab-delimited unless told otherwise; encodings by number.
    const CliTextOutcome calc = runCliForText({"import", box, dataFile("calc-windows-1252.csv"), "--kind", "tab",
                                               "--columns", "1:Slip Text:", "--encoding", "12"});
    ASSERT_EQ(calc.status, 0) << calc.err.toStdString();
    // Quotes still group, so the comma-separated line comes in without them.
    EXPECT_EQ(textOf("5"), "Café notes,tea, coffee,https://example.org/café,note");
}

TEST_F(ImportCommand, BoxesAndFilesByTheirExtension) {
    const QString note = writeTestFile(dir, "note.txt", "from a file");
    const CliTextOutcome imported = runCliForText(
        {"import", box, fendle::test::sourceFolder() + "/examples/Welcome.fendle", note, "--kind", "file"});
    EXPECT_EQ(imported.status, 2) << "a box is no file for a slip";

    const CliTextOutcome welcome = runCliForText({"import", box, fendle::test::sourceFolder() + "/examples/Welcome.fendle"});
    ASSERT_EQ(welcome.status, 0) << welcome.err.toStdString();
    const QStringList keys = welcome.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(keys.size(), 5);
    EXPECT_EQ(keys.first(), "2");
    EXPECT_TRUE(textOf("2").contains("Read on: 3 explains keywords.")) << textOf("2").toStdString();

    const CliTextOutcome file = runCliForText({"import", box, note, "--kind", "file"});
    ASSERT_EQ(file.status, 0) << file.err.toStdString();
    const QString key = file.out.trimmed();
    EXPECT_EQ(key.toInt(), keys.last().toInt() + 1);
    EXPECT_EQ(textOf(key), "from a file");
}

TEST_F(ImportCommand, TooFewColumnsKeepTheRowsBeforeAndFail) {
    const QString csv = writeTestFile(dir, "short.csv", "a,b\nc\nd,e\n");
    const CliTextOutcome imported = runCliForText({"import", box, csv, "--columns", "1:Slip Text:,2:Source:"});
    EXPECT_EQ(imported.status, 2);
    EXPECT_EQ(imported.out, "2\n");
    EXPECT_TRUE(imported.err.contains("Too many import columns specified!")) << imported.err.toStdString();
    EXPECT_EQ(textOf("2"), "a");
    EXPECT_EQ(runCliForText({"text", box, "3", "--txt"}).status, 2);
}

TEST_F(ImportCommand, BadArgumentsChangeNothing) {
    const QString csv = writeTestFile(dir, "rows.csv", "a\n");
    for (const QStringList& arguments : QList<QStringList>{
             {"import", box},
             {"import", box, csv},
             {"import", box, csv, "--columns", "13:Slip Text:"},
             {"import", box, csv, "--columns", "1:Author:"},
             {"import", box, csv, "--columns", "1:Slip Text:", "--encoding", "99"},
             {"import", box, csv, "--kind", "pdf"},
             {"import", box, dir.filePath("missing.csv"), "--columns", "1:Slip Text:"},
             {"import", box, writeTestFile(dir, "Broken.fendle", "not a box")},
         }) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliTextOutcome outcome = runCliForText(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_FALSE(outcome.err.isEmpty());
    }
    EXPECT_EQ(runCliForText({"text", box, "2", "--txt"}).status, 2);
}
