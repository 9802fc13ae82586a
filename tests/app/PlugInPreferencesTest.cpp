#include "GuiFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/commands/PlugInsMenu.h"
#include "app/views/PlugInTableModel.h"
#include "app/windows/PlugInHelpPanel.h"
#include "app/windows/PlugInsPreferencesPage.h"
#include "app/windows/PreferencesWindow.h"
#include "app/windows/ShortcutEditorWindow.h"
#include "app/windows/ShortcutRecorder.h"
#include "model/BoxFile.h"
#include "platform/files/Paths.h"
#include "plugins/PlugInController.h"
#include "plugins/PlugInPublishing.h"
#include "support/BoxOfTexts.h"
#include "support/BuiltPlugIns.h"
#include "support/LocalWebServer.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

using namespace fendle;

namespace {

const QString MenusIdentifier = "com.quorvel.fendle.testmenus";

// The plug-ins as the user works them: the preferences page, the
// catalogue, the shortcut editor, with the program as main() makes it.
class PlugInPreferencesTest : public test::GuiFixture {
protected:
    Box* startWithBox() {
        const QString path = folder.filePath("Notes.fendle");
        EXPECT_TRUE(BoxFile::writeToURL(test::boxOfTexts({"one"}), path));
        gui->start({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}});
        const BoxPtr box = gui->controller().documentForPath(path);
        EXPECT_TRUE(box);
        if (box) discardChanges(*box);
        return box.get();
    }
    void switchOn(const QStringList& identifiers) {
        PlistValue::Dictionary table{{"com.quorvel.fendle.revadizozaroriv", PlistValue(PlistValue::Dictionary{{"load", PlistValue(true)}})}};
        for (const QString& id : identifiers) table.emplace_back(id, PlistValue(PlistValue::Dictionary{{"load", PlistValue(true)}}));
        defaults.setObject("PlugInTableData", PlistValue(std::move(table)));
    }
    QMenu* plugInsMenu(Box& box) const {
        for (QAction* action : gui->windowOf(box)->boxMenuBar()->actions())
            if (BoxMenuBar::plainTitle(action) == "Plug-ins") return action->menu();
        return nullptr;
    }
    static QAction* action(QMenu* menu, const QString& title) {
        for (QAction* a : menu ? menu->actions() : QList<QAction*>())
            if (BoxMenuBar::plainTitle(a) == title) return a;
        return nullptr;
    }
    int rowOf(const QString& name) const {
        PlugInTableModel* model = gui->plugInsPreferencesPage()->plugInTableModel();
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->index(row, 1).data().toString() == name) return row;
        return -1;
    }
    void clickCheckBox(int row) {
        PlugInTableModel* model = gui->plugInsPreferencesPage()->plugInTableModel();
        ASSERT_GE(row, 0);
        const bool checked = model->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
        ASSERT_TRUE(model->setData(model->index(row, 0), checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole));
        QApplication::processEvents();
    }
    bool loaded(const QString& identifier) const { return gui->plugIns().identifiersOfLoadedPlugIns().contains(identifier); }
    void waitForTransfers() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !gui->plugIns().updates().busy(); }, 20000));
        flush();
    }
};

TEST_F(PlugInPreferencesTest, APlugInIsSwitchedOnAndOffInThePlugInsPage) {
    test::installPlugIn("Menus", Paths::plugInsFolder());
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    QAction* preferencesItem = action(plugInsMenu(*box), PlugInsMenu::PreferencesTitle);
    ASSERT_TRUE(preferencesItem);
    preferencesItem->trigger();
    PlugInsPreferencesPage* page = gui->plugInsPreferencesPage();
    ASSERT_TRUE(page);
    EXPECT_EQ(gui->preferencesWindow()->pages()->currentWidget(), page);
    EXPECT_EQ(gui->preferencesWindow()->pages()->tabText(gui->preferencesWindow()->pages()->currentIndex()), "Plug-ins");
    PlugInTableModel* model = page->plugInTableModel();
    ASSERT_EQ(model->rowCount(), 2);
    const int menus = rowOf("Test Menus");
    EXPECT_EQ(model->index(menus, 2).data().toString(), "2.1");
    EXPECT_EQ(model->index(menus, 3).data().toString(), "n/a");
    EXPECT_EQ(model->index(rowOf("Duzodu Vurizodar Uvadederu"), 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    page->plugInTableView()->selectRow(menus);
    EXPECT_EQ(page->plugInInfoTextView()->toPlainText(), "A plug-in the tests install.");

    clickCheckBox(menus);
    EXPECT_TRUE(loaded(MenusIdentifier));
    EXPECT_TRUE(action(plugInsMenu(*box), "Count Words"));
    EXPECT_EQ(model->index(rowOf("Test Menus"), 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // The refresh keeps the selection and its description.
    EXPECT_EQ(page->plugInInfoTextView()->toPlainText(), "A plug-in the tests install.");

    clickCheckBox(rowOf("Test Menus"));
    EXPECT_FALSE(loaded(MenusIdentifier));
    EXPECT_FALSE(action(plugInsMenu(*box), "Count Words"));
    gui->preferencesWindow()->close();
}

TEST_F(PlugInPreferencesTest, TheHelpButtonShowsTheBundlesPageWithoutRemoteLoads) {
    const QString menus = test::installPlugIn("Menus", Paths::plugInsFolder());
    QDir().mkpath(menus + "/Contents/Resources/Help");
    QFile page(menus + "/Contents/Resources/Help/testmenus.html");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    test::LocalWebServer server;
    page.write("<h1>Counting words</h1><img src=\"" + server.url("/tracker.png").toEncoded() + "\">");
    page.close();
    ASSERT_TRUE(startWithBox());
    gui->showPlugInPreferences();
    PlugInsPreferencesPage* preferences = gui->plugInsPreferencesPage();
    preferences->plugInTableView()->selectRow(rowOf("Test Menus"));
    preferences->helpButton()->click();
    ASSERT_TRUE(preferences->plugInHelpPanel());
    EXPECT_TRUE(preferences->plugInHelpPanel()->isVisible());
    EXPECT_TRUE(preferences->plugInHelpPanel()->helpView()->toPlainText().contains("Counting words"));
    QApplication::processEvents();
    EXPECT_TRUE(server.requested.isEmpty());
    gui->preferencesWindow()->close();
}

TEST_F(PlugInPreferencesTest, AShortcutAssignedInTheEditorIsInThePlugInsMenuAfterTheProgramStartsAgain) {
    test::installPlugIn("Menus", Paths::plugInsFolder());
    switchOn({MenusIdentifier});
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    action(plugInsMenu(*box), PlugInsMenu::ShortcutsTitle)->trigger();
    ShortcutEditorWindow* editor = gui->shortcutEditorWindow();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(editor->isVisible());
    ASSERT_EQ(editor->menuItemTable()->rowCount(), 2);
    EXPECT_EQ(editor->menuItemTable()->item(0, 0)->text(), "Test Menus");
    editor->menuItemTable()->selectRow(0);
    EXPECT_EQ(editor->menuItemTable()->item(0, 1)->text(), "Count Words");

    QTest::keyClick(editor->shortcutRecorderControl(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(editor->refusalLabel()->text().contains("it's already taken by the menu item \"Save As...\""));
    EXPECT_EQ(action(plugInsMenu(*box), "Count Words")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
    QTest::keyClick(editor->shortcutRecorderControl(), Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(editor->refusalLabel()->text().contains("\"Suggest Slip\""));

    QTest::keyClick(editor->shortcutRecorderControl(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(editor->refusalLabel()->text(), "");
    EXPECT_EQ(action(plugInsMenu(*box), "Count Words")->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K));
    editor->close();

    gui.reset();
    gui = std::make_unique<FendleGui>(defaults, preferences);
    Box* again = startWithBox();
    ASSERT_TRUE(again);
    ASSERT_TRUE(action(plugInsMenu(*again), "Count Words"));
    EXPECT_EQ(action(plugInsMenu(*again), "Count Words")->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K));
}

TEST_F(PlugInPreferencesTest, AtStartANewPlugInFromTheCatalogueServerIsInstalledAndLoaded) {
    const QString published = folder.filePath("published");
    ASSERT_TRUE(publishPlugIns({test::builtPlugIn("Menus")}, published));
    test::LocalWebServer server;
    for (const QString& name : {QStringLiteral("pluginCatalogue.xml"), QStringLiteral("testmenus.tgz")}) {
        QFile file(published + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        server.pages["/plugins/" + name] = {"application/octet-stream", file.readAll()};
    }
    defaults.setObject("FDLPlugInBaseURL", server.url("/plugins/").toString());
    QDir().mkpath(Paths::plugInsFolder());
    QFile local(Paths::plugInsFolder() + "/pluginCatalogue.xml");
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.write("<plist><dict/></plist>");
    local.close();
    QStringList messages;
    answerNextAlert("Install & Load", &messages);
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    answerNextAlert("OK", &messages);
    waitForTransfers();
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.size() == 2; }, 5000));
    EXPECT_EQ(messages, (QStringList{"New plug-in: Test Menus", "All your active plug-ins are up to date."}));
    EXPECT_TRUE(loaded(MenusIdentifier));
    EXPECT_TRUE(action(plugInsMenu(*box), "Count Words"));
}

TEST_F(PlugInPreferencesTest, AnUpdateFromCheckNowEndsWithTheRestartQuestion) {
    test::installPlugIn("Menus", Paths::plugInsFolder());
    switchOn({MenusIdentifier});
    const QString newer = test::installPlugIn("Menus", folder.filePath("newer"));
    QFile info(newer + "/Contents/Info.plist");
    ASSERT_TRUE(info.open(QIODevice::ReadWrite));
    const QByteArray changed = info.readAll().replace("<string>2.1</string>", "<string>2.10</string>");
    info.resize(0);
    info.write(changed);
    info.close();
    const QString published = folder.filePath("published");
    ASSERT_TRUE(publishPlugIns({newer}, published));
    defaults.setObject("FDLPlugInBaseURL", QUrl::fromLocalFile(published).toString());
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(loaded(MenusIdentifier));

    gui->showPlugInPreferences();
    QStringList messages;
    answerNextAlert("Update", &messages);
    answerNextAlert("Restart", &messages);
    gui->plugInsPreferencesPage()->checkNowButton()->click();
    waitForTransfers();
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.size() == 2; }, 5000));
    EXPECT_EQ(messages, (QStringList{"Update available for Test Menus",
                                     "New plug-in version(s) will be available after Fendle is restarted."}));
    EXPECT_TRUE(gui->relaunchRequested());
    EXPECT_TRUE(gui->windows().isEmpty());
}

TEST_F(PlugInPreferencesTest, ABundleTheUserOpensIsListedAtOnceAndLoadsWhenSwitchedOn) {
    const QString bundle = test::installPlugIn("Menus", folder.filePath("downloads"));
    ASSERT_TRUE(startWithBox());
    answerNextAlert("OK");
    gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, bundle, std::nullopt}});
    flush();
    ASSERT_TRUE(gui->plugInsPreferencesPage());
    EXPECT_TRUE(gui->plugInsPreferencesPage()->isVisible());
    const int row = rowOf("Test Menus");
    ASSERT_GE(row, 0);
    EXPECT_FALSE(loaded(MenusIdentifier));
    clickCheckBox(row);
    EXPECT_TRUE(loaded(MenusIdentifier));
    gui->preferencesWindow()->close();
}

}  // namespace
