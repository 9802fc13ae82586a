#include "ImportTestFiles.h"
#include "io/DelimitedImport.h"
#include "platform/TestFile.h"
#include "platform/text/TextEncoding.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

const QString Text = ColumnAssignmentsForImport::SlipText;
const QString Keywords = ColumnAssignmentsForImport::Keywords;
const QString Source = ColumnAssignmentsForImport::Source;
const QString Type = ColumnAssignmentsForImport::Type;

QString textOf(const SlipPtr& slip) { return slip->text().value_or(RichText()).string(); }

DelimitedImport importText(const QList<ColumnAssignment>& columns, const QString& text, quint32 last = 0) {
    DelimitedImport import(columns, last);
    import.parseText(text, u',');
    return import;
}

// Field by field: text, keywords joined, source, type.
QStringList fieldsOf(const SlipPtr& slip) {
    return {textOf(slip), slip->keywordsString(), slip->source().value_or("<none>"), slip->slipType().value_or("<none>")};
}

const QList<ColumnAssignment> AllFourFields{{1, Text, ""}, {2, Keywords, ""}, {3, Source, ""}, {4, Type, ""}};

}  // namespace

TEST(DelimitedImportTest, ColumnsOfOneFieldJoinInNumericOrderOfTheirOrderTexts) {
    const DelimitedImport import = importText({{1, Text, "2"}, {2, Text, "1"}, {3, Keywords, ""}}, "a,b,c\n");
    ASSERT_EQ(import.slips().size(), 1);
    EXPECT_EQ(textOf(import.slips()[0]), "ba");
    EXPECT_EQ(import.slips()[0]->keywords().toStringList(), QStringList{"c"});

    // 9 before 10, although "10" sorts first as plain text.
    EXPECT_EQ(textOf(importText({{1, Text, "10"}, {2, Text, "9"}}, "x,y").slips().value(0)), "yx");
    // The same order text twice: the later column wins.
    EXPECT_EQ(textOf(importText({{1, Text, "1"}, {2, Text, "1"}}, "x,y").slips().value(0)), "y");
    EXPECT_EQ(DelimitedImport::columnImportStringFromDictionary({}), "");
    EXPECT_EQ(DelimitedImport::columnImportStringFromDictionary({{"2", "b"}, {"", "-"}, {"a10", "z"}, {"a9", "y"}}),
              "-byz");
}

TEST(DelimitedImportTest, EachRowBecomesASlipNumberedOnFromTheBoxsLastSlip) {
    const DelimitedImport import = importText(AllFourFields, "one,\"k1, k2\",src,t\r\ntwo,,,\r\n", 40);
    ASSERT_EQ(import.slips().size(), 2);
    EXPECT_EQ(import.slips()[0]->key(), "41");
    EXPECT_EQ(import.slips()[1]->key(), "42");
    EXPECT_EQ(fieldsOf(import.slips()[0]), (QStringList{"one", "k1, k2", "src", "t"}));
    // Unassigned fields are set empty, not left absent.
    EXPECT_EQ(fieldsOf(import.slips()[1]), (QStringList{"two", "", "", ""}));
    EXPECT_FALSE(import.failure());
}

TEST(DelimitedImportTest, ARowWithTooFewColumnsStopsTheImportAndKeepsTheRowsBefore) {
    const DelimitedImport import = importText({{1, Text, ""}, {3, Keywords, ""}}, "a,b,c\nd,e,f\ng,h\ni,j,k\n");
    ASSERT_EQ(import.slips().size(), 2);
    EXPECT_EQ(textOf(import.slips()[1]), "d");
    ASSERT_TRUE(import.failure());
    EXPECT_EQ(import.failure()->message, "Too many import columns specified!");
    EXPECT_EQ(import.failure()->informativeText,
              "The file could not be imported, because it contains fewer columns than you specified in the input mask.");
    EXPECT_EQ(import.failure()->buttons, QStringList{"OK"});
}

TEST(DelimitedImportTest, NumbersBeyondTheHighestKeyStopTheImport) {
    const DelimitedImport import = importText({{1, Text, ""}}, "a\nb\nc\n", 2147483646);
    ASSERT_EQ(import.slips().size(), 1);
    EXPECT_EQ(import.slips()[0]->key(), "2147483647");
    ASSERT_TRUE(import.failure());
    EXPECT_EQ(import.failure()->message, "Too many slips to import!");
}

TEST(DelimitedImportTest, ACalcCsvImportsInUtf8AndInWindows1252) {
    for (const auto& [file, encoding] : {std::pair{"calc-utf8.csv", encoding::UTF8},
                                         std::pair{"calc-windows-1252.csv", encoding::WindowsCP1252}}) {
        SCOPED_TRACE(file);
        DelimitedImport import(AllFourFields, 0);
        import.parseTextInputFile(importDataPath(file), u',', encoding);
        EXPECT_FALSE(import.failure());
        ASSERT_EQ(import.slips().size(), 5);
        EXPECT_EQ(fieldsOf(import.slips()[0]), (QStringList{"Title", "Keywords", "Source", "Type"}));
        EXPECT_EQ(fieldsOf(import.slips()[1]),
                  (QStringList{"Café notes", "tea, coffee", "https://example.org/café", "note"}));
        EXPECT_EQ(fieldsOf(import.slips()[2]), (QStringList{"Two\nlines", "single", "", "quote"}));
        EXPECT_EQ(import.slips()[3]->keywords().toStringList(), (QStringList{"a", "b", "c"}));
        EXPECT_EQ(fieldsOf(import.slips()[4]), (QStringList{"42", "numbers", "", ""}));
    }
    DelimitedImport utf8(AllFourFields, 0);
    utf8.parseTextInputFile(importDataPath("calc-utf8.csv"), u',', encoding::UTF8);
    EXPECT_EQ(textOf(utf8.slips().value(3)), "He said \"hi\" – twice");
    DelimitedImport windows(AllFourFields, 0);
    windows.parseTextInputFile(importDataPath("calc-windows-1252.csv"), u',', encoding::WindowsCP1252);
    EXPECT_EQ(textOf(windows.slips().value(3)), "He said “hi” for 5 €");
}

TEST(DelimitedImportTest, ATabDelimitedCardIndexExportImports) {
    DelimitedImport import({{1, Text, "1"}, {2, Text, "2"}, {3, Keywords, ""}, {4, Source, ""}}, 0);
    import.parseTextInputFile(importDataPath("card-index-export.txt"), u'\t', encoding::UTF8);
    EXPECT_FALSE(import.failure());
    ASSERT_EQ(import.slips().size(), 4);
    EXPECT_EQ(fieldsOf(import.slips()[1]), (QStringList{"Zettel oneFirst line of text.", "method, reading", "Smith 2001", ""}));
    EXPECT_EQ(fieldsOf(import.slips()[2]), (QStringList{"Zettel twoA text with\ttab and\nnewline", "notes", "", ""}));
    EXPECT_EQ(fieldsOf(import.slips()[3]), (QStringList{"Zettel threePlain", "", "Brown 1999, p. 3", ""}));
}

TEST(DelimitedImportTest, UnreadableOversizedOrMisencodedFilesMakeNoSlipsAndSayWhy) {
    QTemporaryDir dir;
    DelimitedImport missing(AllFourFields, 0);
    missing.parseTextInputFile(dir.filePath("missing.csv"), u',', encoding::UTF8);
    ASSERT_TRUE(missing.failure());
    EXPECT_EQ(missing.failure()->message, "The file could not be read.");

    // A sparse file: large to the reader, nothing on the disk.
    const QString large = dir.filePath("large.csv");
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(DelimitedImport::MaxFileSize + 1));
    }
    DelimitedImport tooLarge(AllFourFields, 0);
    tooLarge.parseTextInputFile(large, u',', encoding::UTF8);
    ASSERT_TRUE(tooLarge.failure());
    EXPECT_EQ(tooLarge.failure()->message, "The file is too large to import.");
    EXPECT_TRUE(tooLarge.slips().isEmpty());

    DelimitedImport misencoded(AllFourFields, 0);
    misencoded.parseTextInputFile(writeTestFile(dir, "latin.csv", "caf\xe9,x\n"), u',', encoding::UTF8);
    ASSERT_TRUE(misencoded.failure());
    EXPECT_EQ(misencoded.failure()->message, "The file could not be read in the chosen encoding.");
    EXPECT_TRUE(misencoded.slips().isEmpty());
}

TEST(DelimitedImportTest, AByteOrderMarkIsNoPartOfTheFirstField) {
    QTemporaryDir dir;
    DelimitedImport import({{1, Text, ""}}, 0);
    import.parseTextInputFile(writeTestFile(dir, "bom.csv", "\xEF\xBB\xBF" "first,x\n"), u',', encoding::UTF8);
    EXPECT_EQ(textOf(import.slips().value(0)), "first");
}
