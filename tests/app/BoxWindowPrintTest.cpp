#include "BoxWindowFixture.h"

#include <QPrintDialog>

using namespace fendle;
using namespace fendle::test;

namespace {
class BoxWindowPrintTest : public BoxWindowFixture {};
}  // namespace

TEST_F(BoxWindowPrintTest, PrintAsksWithASheetOnTheBoxWindow) {
    open({1, 2});
    ASSERT_NE(toolbar().printItem, nullptr);
    EXPECT_EQ(toolbar().printItem->text(), "Print");
    EXPECT_TRUE(toolbar().printItem->isEnabled());
    QAction* item = window->boxMenuBar()->item("File", "Print...");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(QKeySequence::Print));

    toolbar().printItem->trigger();
    settle();
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog->parentWidget(), window);
    // The box's menu waits while the sheet is up.
    EXPECT_FALSE(menuItem("Previous")->isEnabled());
    dialog->reject();
    settle();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(box->isDocumentEdited());
}
