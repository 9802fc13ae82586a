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
    const QStringList order = doc->currentSearchResults().slipIDsForResults();
    ASSERT_EQ(order.size(), 3);
    const QHash<QString, QString> scents{{"1", "3"}, {"2", ""}, {"3", "1"}};
    QStringList expected;
    for (const QString& key : order) expected.append(QStringLiteral("Slip %1\n\nslip %1\n\nScents: %2").arg(key, scents[key]));
    EXPECT_EQ(controller.computePrintString().string(), expected.join("\n\n\n") + "\n");
    EXPECT_EQ(snapshot(), before) << "printing never changes the box";
    EXPECT_FALSE(doc->isDocumentEdited());
}
