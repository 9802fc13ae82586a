#include "GuiFixture.h"
#include "app/windows/ExtraSlipWindow.h"
#include "app/windows/ExtraSlipWindows.h"
#include "app/program/FendleGui.h"
#include "app/windows/InfoPanel.h"
#include "appcore/Preferences.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

// Two boxes, A and B, each showing its last slip; B has an extra window on
// its slip 2, which is not the one it shows.
class KeyWindowTest : public test::GuiFixture {
protected:
    BoxPtr a, b;
    ExtraSlipWindow* extra = nullptr;

    BoxPtr openBoxWithSlips(int count, const QString& author) {
        BoxPtr box = gui->controller().openUntitledDocument(true);
        for (int i = 0; i < count; ++i) {
            UndoManager::EventScope event(box->undoManager());
            box->addSlip();
            box->currentSlip()->setAuthor(author);
            box->updateWindow();
        }
        gui->windowOf(*box)->validateCommands();
        return box;
    }
    void SetUp() override {
        a = openBoxWithSlips(2, "Ada");
        b = openBoxWithSlips(3, "Bea");
        extra = gui->windowOf(*b)->extraSlipWindows().openExtraSlipWindow("2");
        ASSERT_NE(extra, nullptr);
    }
    void TearDown() override {
        for (const BoxPtr& box : {a, b}) {
            discardChanges(*box);
            if (BoxWindow* window = gui->windowOf(*box)) window->close();
        }
        QApplication::processEvents();
    }
    static void activate(QWidget* window) {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QApplication::processEvents();
    }
    InfoPanel& slipInfo() {
        InfoPanel& panel = gui->inspector();
        panel.showView(InfoPanel::SlipInfoView);
        panel.show();
        return panel;
    }
};

}  // namespace

TEST_F(KeyWindowTest, AnExtraWindowInFrontMakesItsBoxAndSlipTheInspectorsOwn) {
    activate(gui->windowOf(*a));
    InfoPanel& panel = slipInfo();
    EXPECT_EQ(gui->controller().currentBoxInterface(), a);
    EXPECT_EQ(panel.slipInfoText("Slip ID"), a->currentSlip()->key());
    EXPECT_EQ(panel.slipInfoText("Author"), "Ada");

    activate(extra);
    EXPECT_EQ(gui->controller().currentBoxInterface(), b);
    EXPECT_EQ(gui->currentBoxWindow(), gui->windowOf(*b));
    // The slip of the extra window, not the one B shows.
    ASSERT_NE(b->currentSlip()->key(), "2");
    EXPECT_EQ(panel.slipInfoText("Slip ID"), "2");
    EXPECT_EQ(panel.slipInfoText("Author"), "Bea");
    // Its author cannot be changed from here: the field acts on the current slip.
    EXPECT_TRUE(panel.slipAuthorField()->isReadOnly());

    activate(gui->windowOf(*a));
    EXPECT_EQ(gui->controller().currentBoxInterface(), a);
    EXPECT_EQ(panel.slipInfoText("Slip ID"), a->currentSlip()->key());
    EXPECT_FALSE(panel.slipAuthorField()->isReadOnly());
}
