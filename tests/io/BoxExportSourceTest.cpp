#include "document/BoxFixture.h"
#include "io/BoxExportSource.h"
#include "io/PrintViewController.h"

using namespace fendle;
using namespace fendle::test;

namespace {
class BoxExportSourceTest : public BoxFixture {};
}  // namespace

TEST_F(BoxExportSourceTest, AWindowsBoxPrintsItsResultsInTableOrderWithEachSlipsOwnScents) {
    fill({1, 2, 3});
    doc->slip("1")->setKeywordsWithoutLastModificationDate(KeywordsArray({"shared"}));
    doc->slip("3")->setKeywordsWithoutLastModificationDate(KeywordsArray({"shared"}));
    doc->document().setKeywordScentsMustBeUpdated();
    doc->setSearchSortDescriptors({{"ID", false}});
    const BoxSnapshot before = snapshot();

    BoxExportSource source(*doc);
    PrintViewController controller(source, ui, true);
    controller.options().what = PrintWhat::SearchResults;
    controller.options().parts = {.scents = true};
    const QString text = controller.computePrintString().string();
    EXPECT_EQ(text, "Slip 3\n\nslip 3\n\nScents: 1\n\n\nSlip 2\n\nslip 2\n\nScents: \n\n\nSlip 1\n\nslip 1\n\nScents: 3\n");
    EXPECT_EQ(snapshot(), before) << "printing never changes the box";
    EXPECT_FALSE(doc->isDocumentEdited());
}
