#include "ExportTestBox.h"
#include "document/FakeUiPort.h"
#include "io/PrintViewController.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

class PrintStringTest : public ::testing::Test {
protected:
    ExportTestBox box;
    FakeUiPort ui;
    PrintViewController controller{box, ui, true};

    PrintStringTest() { controller.options().parts = {}; }

    QString printString(PrintWhat what, bool pageBreak = false) {
        controller.options().what = what;
        controller.options().pageBreak = pageBreak;
        return controller.computePrintString().string();
    }
};

}  // namespace

TEST_F(PrintStringTest, SlipsAreSeparatedByTwoEmptyLinesOrAPageBreakAndEndInOneLineFeed) {
    box.add(2);
    box.add(1);
    box.add(10);
    EXPECT_EQ(printString(PrintWhat::All), "Slip 1\n\nslip 1\n\n\n\nSlip 2\n\nslip 2\n\n\n\nSlip 10\n\nslip 10\n\n");
    EXPECT_EQ(printString(PrintWhat::All, true), "Slip 1\n\nslip 1\n\n\fSlip 2\n\nslip 2\n\n\fSlip 10\n\nslip 10\n\n");
}

TEST_F(PrintStringTest, TheCurrentSlipAloneIsItsExportStringWithoutProgress) {
    box.add(1);
    box.current = box.add(4);
    EXPECT_EQ(printString(PrintWhat::Current), "Slip 4\n\nslip 4\n");
    EXPECT_TRUE(ui.progress.isEmpty());
    box.current = nullptr;
    EXPECT_EQ(printString(PrintWhat::Current), "");
}

TEST_F(PrintStringTest, ResultsInTableOrderAndFlaggedSlipsByNumber) {
    for (quint32 n : {3u, 20u, 100u}) box.add(n)->setFlagged(n != 20);
    box.results = {"100", "3", "gone"};
    EXPECT_EQ(printString(PrintWhat::SearchResults), "Slip 100\n\nslip 100\n\n\n\nSlip 3\n\nslip 3\n\n");
    EXPECT_EQ(printString(PrintWhat::Flagged), "Slip 3\n\nslip 3\n\n\n\nSlip 100\n\nslip 100\n\n");
    for (quint32 n : {3u, 100u}) box.data.slipForKey(QString::number(n))->setFlagged(false);
    EXPECT_EQ(printString(PrintWhat::Flagged), "") << "nothing flagged, nothing printed";
}

TEST_F(PrintStringTest, EachSlipListsItsOwnScentsOnlyWhenAskedFor) {
    box.add(1);
    box.add(2);
    box.scents = {{"1", {"2"}}, {"2", {"1"}}};
    EXPECT_FALSE(printString(PrintWhat::All).contains("Scents"));
    EXPECT_TRUE(box.scentsAskedFor.isEmpty());
    controller.options().parts.scents = true;
    const QString text = printString(PrintWhat::All);
    EXPECT_TRUE(text.contains("slip 1\n\nScents: 2\n\n\nSlip 2")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("slip 2\n\nScents: 1\n"));
}

TEST_F(PrintStringTest, ProgressRunsFromTheStartToOneHundredAndIsHidden) {
    for (quint32 n = 1; n <= 4; ++n) box.add(n);
    printString(PrintWhat::All);
    EXPECT_EQ(ui.progress, (QStringList{"Computing 0.1", "25", "50", "75", "100"}));
    EXPECT_FALSE(ui.progressShown);
}

TEST_F(PrintStringTest, NoKnownChoiceSaysSoAndAnswersThePlaceholder) {
    box.add(1);
    EXPECT_EQ(printString(PrintWhat::None), "error computing the print string");
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, "Could not identify what you want to export or print!");
    EXPECT_EQ(ui.alerts[0].informativeText, "You should not see this message; please file a bug report.");
    EXPECT_EQ(ExportOptions::printWhatForTitle("Everything"), PrintWhat::None);
    EXPECT_EQ(ExportOptions::printWhatForTitle("Search Results"), PrintWhat::SearchResults);
}

TEST_F(PrintStringTest, PrintModeRecomputesOnEveryOptionChange) {
    box.add(5);
    EXPECT_EQ(controller.printString().string(), "Fendle big time error");
    controller.options().parts.keywords = true;
    controller.selectionChanged(PrintViewController::Control::Keywords);
    EXPECT_EQ(controller.printString().string(), "Slip 5\n\nslip 5\n\nKeywords: ");
    controller.options().what = PrintWhat::All;
    controller.options().pageBreak = true;
    controller.selectionChanged(PrintViewController::Control::PageBreak);
    EXPECT_EQ(controller.printString().string(), "Slip 5\n\nslip 5\n\nKeywords: \n");
    EXPECT_TRUE(controller.requiredFileType().isEmpty()) << "printing asks for no file";
}
