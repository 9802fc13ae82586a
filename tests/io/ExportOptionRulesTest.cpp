#include "ExportTestBox.h"
#include "document/FakeUiPort.h"
#include "io/ExportEncodings.h"
#include "io/PrintViewController.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;
using Control = PrintViewController::Control;

namespace {

class ExportOptionRulesTest : public ::testing::Test {
protected:
    ExportTestBox box;
    FakeUiPort ui;
    std::unique_ptr<PrintViewController> controller;
    int ruleChanges = 0;

    void makeController() {
        controller = std::make_unique<PrintViewController>(box, ui, false);
        QObject::connect(controller.get(), &PrintViewController::optionsChanged, [this] { ++ruleChanges; });
    }
    ExportOptions& options() { return controller->options(); }
    void check(bool ExportOptions::*box, bool on, Control control) {
        options().*box = on;
        controller->selectionChanged(control);
    }
    void choose(ExportFormat format) {
        options().format = format;
        controller->selectionChanged(Control::Format);
    }
};

}  // namespace

TEST_F(ExportOptionRulesTest, TheCurrentSlipsPicturesAskForAPackageFromTheStart) {
    box.add(1);
    makeController();
    EXPECT_EQ(controller->requiredFileType(), "rtf");
    box.addPicture(box.current);
    makeController();
    EXPECT_EQ(controller->requiredFileType(), "rtfd");
    EXPECT_EQ(controller->exportFormat(), "Rich Text Format (RTF)");
    EXPECT_EQ(controller->encoding(), 10);
}

TEST_F(ExportOptionRulesTest, SeparateFilesAndPageBreakExcludeEachOther) {
    box.add(1);
    makeController();
    EXPECT_FALSE(controller->useTitlesEnabled());
    check(&ExportOptions::pageBreak, true, Control::PageBreak);
    EXPECT_EQ(ruleChanges, 0);
    check(&ExportOptions::separateFiles, true, Control::SeparateFiles);
    EXPECT_FALSE(options().pageBreak);
    EXPECT_TRUE(controller->useTitlesEnabled());
    EXPECT_EQ(controller->requiredFileType(), "fdlfolder");
    EXPECT_EQ(ruleChanges, 1);
    check(&ExportOptions::pageBreak, true, Control::PageBreak);
    EXPECT_FALSE(options().separateFiles);
    EXPECT_FALSE(controller->useTitlesEnabled());
    EXPECT_EQ(controller->requiredFileType(), "rtf");
    EXPECT_EQ(ruleChanges, 2);
    // Unchecking touches nothing else.
    check(&ExportOptions::pageBreak, false, Control::PageBreak);
    EXPECT_FALSE(options().separateFiles);
    EXPECT_EQ(ruleChanges, 2);
}

TEST_F(ExportOptionRulesTest, TheFormatDecidesTheFileTypeAndTheEncodingMenu) {
    box.add(1);
    box.add(2);
    box.addPicture(box.data.slipForKey("2"));
    makeController();
    choose(ExportFormat::PlainText);
    EXPECT_EQ(controller->requiredFileType(), "txt");
    EXPECT_TRUE(controller->encodingEnabled());
    choose(ExportFormat::Pdf);
    EXPECT_EQ(controller->requiredFileType(), "pdf");
    EXPECT_FALSE(controller->encodingEnabled());
    choose(ExportFormat::Rtf);
    EXPECT_EQ(controller->requiredFileType(), "rtf");
    EXPECT_FALSE(controller->encodingEnabled());
    // All slips: one of them has a picture.
    options().what = PrintWhat::All;
    controller->selectionChanged(Control::PrintWhat);
    EXPECT_EQ(controller->requiredFileType(), "rtfd");
}

TEST_F(ExportOptionRulesTest, WithSeparateFilesTheTypeStaysAFolder) {
    box.add(1);
    makeController();
    check(&ExportOptions::separateFiles, true, Control::SeparateFiles);
    choose(ExportFormat::PlainText);
    EXPECT_EQ(controller->requiredFileType(), "fdlfolder");
    options().parts.keywords = true;
    controller->selectionChanged(Control::Keywords);
    EXPECT_EQ(controller->requiredFileType(), "fdlfolder");
    check(&ExportOptions::separateFiles, false, Control::SeparateFiles);
    EXPECT_EQ(controller->requiredFileType(), "txt");
    EXPECT_EQ(controller->printString().string(), "Fendle big time error") << "export computes only when it writes";
}

TEST(ExportEncodingsTest, SeventeenInMenuOrderWithUtf16First) {
    const QList<int>& numbers = ExportEncodings::numbers();
    ASSERT_EQ(numbers.size(), 17);
    EXPECT_EQ(numbers.first(), 10);
    EXPECT_EQ(numbers.at(2), 30);
    EXPECT_EQ(numbers.last(), 21);
    EXPECT_EQ(ExportEncodings::title(numbers.at(0)), "UTF-16 (16 bit Unicode)");
    EXPECT_EQ(ExportEncodings::encodingForTitle("Microsoft Windows codepage 1252 (WinLatin1)"), 12);
    EXPECT_EQ(ExportEncodings::encodingForTitle("EUC for Japanese text"), 3);
    EXPECT_EQ(ExportEncodings::encodingForTitle("Klingon"), 10);
}
