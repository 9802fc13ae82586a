#include "AppBoxFixture.h"
#include "app/dialogs/SlipPrinter.h"
#include "support/PdfPages.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

using namespace fendle;
using namespace fendle::test;

namespace {

class SlipPrinterTest : public AppBoxFixture {};

}  // namespace

TEST_F(SlipPrinterTest, CurrentSlipWithKeywordsSourceAndScentsButNoType) {
    open({{3, "Apples", {"fruit", "red"}, "https://example.org"}, {12, "Cherries", {"fruit"}}, {5, "five", {"red"}}});
    doc->displaySlipWithID("3");
    doc->slip("3")->setSlipTypeWithoutLastModificationDate(QStringLiteral("Note"));
    const QString text = SlipPrinter::printString(*doc).string();
    EXPECT_TRUE(text.startsWith("Slip 3\n\nApples\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nKeywords: fruit, red\nSource: https://example.org\nScents: ")) << text.toStdString();
    EXPECT_FALSE(text.contains("Type:"));
    // Both related slips, strongest first: each shares one keyword.
    const QStringList scents = text.section("Scents: ", 1).split(", ");
    EXPECT_EQ(scents.size(), 2);
    EXPECT_TRUE(scents.contains("12") && scents.contains("5"));
}

TEST_F(SlipPrinterTest, ScentsAreThePrintedSlipsEvenWhenTheListShowsAnother) {
    open({{3, "Apples", {"fruit"}}, {12, "Cherries", {"fruit"}}, {5, "five", {"stone"}}, {7, "seven", {"stone"}}});
    doc->displaySlipWithID("3");
    // A result selected in the search view becomes current directly; the
    // slip-scent list still holds the ranking of slip 3.
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->setCurrentSlip(doc->slip("5"));
    ASSERT_TRUE(doc->slipScentTable());
    EXPECT_TRUE(SlipPrinter::printString(*doc).string().endsWith("\nScents: 7"));
}

TEST_F(SlipPrinterTest, NoCurrentSlipPrintsNothing) {
    EXPECT_TRUE(SlipPrinter::printString(*doc).isEmpty());
}

TEST_F(SlipPrinterTest, PrintsToAPdfWithInchMargins) {
    open({{1, QString(200, QChar('x')).append(QString(4000, QChar('\n'))), {"a"}}});
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("slip.pdf"));
    SlipPrinter::preparePrinter(printer);
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Point);
    EXPECT_DOUBLE_EQ(margins.left(), 72.0);
    EXPECT_DOUBLE_EQ(margins.top(), 72.0);
    EXPECT_DOUBLE_EQ(margins.right(), 72.0);
    EXPECT_DOUBLE_EQ(margins.bottom(), 72.0);
    ASSERT_TRUE(SlipPrinter::print(SlipPrinter::printString(*doc), printer));
    QFile pdf(dir.filePath("slip.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // Four thousand lines do not fit one page.
    EXPECT_GT(pdfPageCount(bytes), 1);
}
