#include "cli/CliRunner.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/richtext/RtfReader.h"
#include "support/PdfPages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

// A box of three slips: 1 "Tea/Coffee" (flagged), 2 "Water", 3 "Tea/Coffee"
// again, with keywords that make 1 and 3 scent each other.
class ExportCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString box = dir.filePath("Drinks.fendle");

    ExportCommandTest() {
        BoxData data;
        const char* texts[] = {"Tea/Coffee\nhot", "Water\ncold", "Tea/Coffee\nagain"};
        const char* keywords[] = {"hot, drink", "cold", "hot"};
        for (quint32 n = 1; n <= 3; ++n) {
            SlipPtr slip = Slip::create(n);
            slip->setText(RichText(QString::fromUtf8(texts[n - 1])));
            slip->setKeywordsString(QString::fromLatin1(keywords[n - 1]));
            slip->setFlagged(n == 1);
            data.setSlip(slip);
        }
        EXPECT_TRUE(BoxFile::writeToURL(data, box).ok());
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    CliTextOutcome exportBox(QStringList arguments) {
        arguments.prepend(box);
        arguments.prepend("export");
        return runCliForText(arguments);
    }
};

}  // namespace

TEST_F(ExportCommandTest, AllSlipsToOneRtfFileWithTheChosenParts) {
    const CliTextOutcome outcome = exportBox({path("All.rtf"), "--parts", "keywords,scents"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, path("All.rtf") + "\n");
    const Result<RichText> text = RtfReader::read(contents(path("All.rtf")));
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text->string(),
              "Slip 1\n\nTea/Coffee\nhot\n\nKeywords: hot, drink\nScents: 3\n\n\n"
              "Slip 2\n\nWater\ncold\n\nKeywords: cold\nScents: \n\n\n"
              "Slip 3\n\nTea/Coffee\nagain\n\nKeywords: hot\nScents: 1\n");
}

TEST_F(ExportCommandTest, SeparateTitledFilesInPlainTextReplaceEachOther) {
    const CliTextOutcome outcome =
        exportBox({path("Out.txt"), "--format", "txt", "--encoding", "4", "--separate", "--titles", "--parts", ""});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{path("Out/Tea Coffee.txt"), path("Out/Water.txt"), path("Out/Tea Coffee.txt")}));
    EXPECT_EQ(contents(path("Out/Tea Coffee.txt")), "Slip 3\n\nTea/Coffee\nagain\n");
}

TEST_F(ExportCommandTest, FlaggedResultsAndTheLastShownSlip) {
    EXPECT_EQ(exportBox({path("F.txt"), "--what", "flagged", "--format", "txt", "--encoding", "4", "--parts", ""}).status, 0);
    EXPECT_EQ(contents(path("F.txt")), "Slip 1\n\nTea/Coffee\nhot\n\n");

    QFile rules(path("rules.json"));
    ASSERT_TRUE(rules.open(QIODevice::WriteOnly));
    rules.write(R"([{"RowType": 0, "Values": ["text", "contains", "cold"], "Subrules": []}])");
    rules.close();
    EXPECT_EQ(exportBox({path("R.txt"), "--search", rules.fileName(), "--format", "txt", "--encoding", "4", "--parts",
                         "", "--page-break"})
                  .status,
              0);
    EXPECT_EQ(contents(path("R.txt")), "Slip 2\n\nWater\ncold\n\n");

    if (!ExtendedAttributes::set(box, Box::LastSlipOpenAttribute, "3").ok) GTEST_SKIP() << "no user attributes here";
    EXPECT_EQ(exportBox({path("C.txt"), "--what", "current", "--format", "txt", "--encoding", "4", "--parts", ""}).status, 0);
    EXPECT_EQ(contents(path("C.txt")), "Slip 3\n\nTea/Coffee\nagain\n");
}

TEST_F(ExportCommandTest, PdfPagesAreLaidOut) {
    const CliTextOutcome outcome = exportBox({path("All.pdf"), "--format", "pdf", "--page-break"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    const QByteArray pdf = contents(path("All.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(test::pdfPageCount(pdf), 3) << "one page each";
}

TEST_F(ExportCommandTest, WrongRequestsAndFailedWritesEndWithStatusTwo) {
    for (const QStringList& arguments :
         {QStringList{path("x.rtf"), "--what", "results"}, QStringList{path("x.rtf"), "--what", "some"},
          QStringList{path("x.rtf"), "--titles"}, QStringList{path("x.rtf"), "--separate", "--page-break"},
          QStringList{path("x.rtf"), "--encoding", "12"}, QStringList{path("x.txt"), "--format", "txt", "--encoding", "99"},
          QStringList{path("x.rtf"), "--parts", "colour"}, QStringList{path("x.rtf"), "--what", "current"}}) {
        const CliTextOutcome outcome = exportBox(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments.join(' ').toStdString();
        EXPECT_FALSE(outcome.err.isEmpty());
        EXPECT_TRUE(outcome.out.isEmpty());
    }
    ASSERT_TRUE(QDir().mkpath(path("Out/2.txt")));
    const CliTextOutcome outcome = exportBox({path("Out.txt"), "--format", "txt", "--separate"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, path("Out/1.txt") + "\n") << "the file written before the failure stays";
    EXPECT_TRUE(outcome.err.contains("The file could not be written: " + path("Out/2.txt"))) << outcome.err.toStdString();
}
