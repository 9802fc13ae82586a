#include "ExportTestBox.h"
#include "document/FakeUiPort.h"
#include "io/ExportPanel.h"
#include "io/SlipExporter.h"
#include "platform/richtext/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

class SlipExporterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ExportTestBox box;
    FakeUiPort ui;
    TextPdfRenderer pdf;
    PrintViewController controller{box, ui, false};
    SlipExporter exporter{controller, ui, pdf};

    SlipExporterTest() {
        controller.options().what = PrintWhat::All;
        controller.options().parts = {};
    }
    ExportOptions& options() { return controller.options(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList filesIn(const QString& folder) const {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList exportTo(const QString& name) {
        const SlipExporter::Outcome outcome = exporter.exportToPath(path(name));
        QStringList names;
        for (const QString& written : outcome.written) names.append(QDir(dir.path()).relativeFilePath(written));
        return names;
    }
};

}  // namespace

TEST_F(SlipExporterTest, OneFileHoldsThePrintString) {
    box.add(1);
    box.add(2);
    options().format = ExportFormat::PlainText;
    options().encoding = encoding::UTF8;
    options().pageBreak = true;
    EXPECT_EQ(exportTo("All.txt"), QStringList{"All.txt"});
    EXPECT_EQ(contents(path("All.txt")), "Slip 1\n\nslip 1\n\n\fSlip 2\n\nslip 2\n\n");
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(SlipExporterTest, SeparateFilesGoIntoAFolderNamedAfterThePathByKey) {
    box.add(1, "First\nbody");
    box.add(12);
    options().separateFiles = true;
    EXPECT_EQ(exportTo("Out.fdlfolder"), (QStringList{"Out/1.rtf", "Out/12.rtf"}));
    const Result<RichText> first = RtfReader::read(contents(path("Out/1.rtf")));
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first->string(), "Slip 1\n\nFirst\nbody\n");
    // An existing folder is used as it is; RTF files there are not replaced.
    EXPECT_EQ(exportTo("Out.fdlfolder"), (QStringList{"Out/1-1.rtf", "Out/12-1.rtf"}));
}

TEST_F(SlipExporterTest, TitlesNameTheFilesWithSlashesAsSpaces) {
    box.add(1, "a/b\ntext");
    box.add(2, QString(150, QChar(u'x')));
    box.add(3, "\nno first line");
    options().separateFiles = true;
    options().useTitles = true;
    options().format = ExportFormat::PlainText;
    EXPECT_EQ(filesIn(".").size(), 0);
    exportTo("Titled.fdlfolder");
    EXPECT_EQ(filesIn("Titled"), (QStringList{"3.txt", "a b.txt", QString(100, QChar(u'x')) + "[…].txt"}));
}

TEST_F(SlipExporterTest, SameTitlesReplaceInPlainTextAndAreNumberedInRtf) {
    box.add(1, "Same\none");
    box.add(2, "Same\ntwo");
    options().separateFiles = true;
    options().useTitles = true;
    options().format = ExportFormat::PlainText;
    options().encoding = encoding::UTF8;
    EXPECT_EQ(exportTo("Text.fdlfolder"), (QStringList{"Text/Same.txt", "Text/Same.txt"}));
    EXPECT_EQ(filesIn("Text"), QStringList{"Same.txt"});
    EXPECT_EQ(contents(path("Text/Same.txt")), "Slip 2\n\nSame\ntwo\n");
    options().format = ExportFormat::Rtf;
    EXPECT_EQ(exportTo("Rich.fdlfolder"), (QStringList{"Rich/Same.rtf", "Rich/Same-1.rtf"}));
}

TEST_F(SlipExporterTest, AFailedWriteIsReportedWithItsPathAndWrittenFilesStay) {
    for (quint32 n = 1; n <= 3; ++n) box.add(n);
    options().separateFiles = true;
    options().format = ExportFormat::PlainText;
    // A folder where slip 2's file should go.
    ASSERT_TRUE(QDir().mkpath(path("Out/2.txt")));
    const SlipExporter::Outcome outcome = exporter.exportToPath(path("Out.fdlfolder"));
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.written, QStringList{path("Out/1.txt")});
    EXPECT_TRUE(QFileInfo(path("Out/1.txt")).isFile());
    EXPECT_FALSE(QFileInfo::exists(path("Out/3.txt"))) << "the export stops at the failure";
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, "The file could not be written");
    EXPECT_TRUE(ui.alerts[0].informativeText.startsWith(path("Out/2.txt") + "\n\n"));
    EXPECT_FALSE(ui.progressShown);
}

TEST_F(SlipExporterTest, AFailedSingleFileIsReportedToo) {
    box.add(1);
    const SlipExporter::Outcome outcome = exporter.exportToPath(path("missing/folder/All.rtf"));
    EXPECT_TRUE(outcome.failed);
    EXPECT_TRUE(outcome.written.isEmpty());
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, "The file could not be written");
    EXPECT_TRUE(ui.alerts[0].informativeText.startsWith(path("missing/folder/All.rtf") + "\n\n"));
    EXPECT_TRUE(ui.alerts[0].informativeText.contains("No such file or directory")) << ui.alerts[0].informativeText.toStdString();
}

TEST(ExportPanelTest, ProposesSlipsFromTheBoxName) {
    EXPECT_EQ(ExportPanel::proposedName(QStringLiteral("/home/a/My.notes.fendle")), "Slips from My.notes");
    EXPECT_EQ(ExportPanel::proposedName(std::nullopt), "Untitled");
}
