#include "GuiFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/program/FendleGui.h"
#include "app/program/QuitSignals.h"
#include "app/windows/PreferencesWindow.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "platform/files/Paths.h"
#include "plugins/PlugInController.h"
#include "support/BoxOfTexts.h"
#include "support/BuiltPlugIns.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QProgressDialog>

using namespace fendle;

namespace {

// The program as started by a new user finds Lampwick in its built-in
// plug-ins folder (the build tree's, beside the test programs).
class PlugInsInTheProgramTest : public test::GuiFixture {
protected:
    QString boxPath() const { return folder.filePath("Notes.fendle"); }

    Box* startWithBox(const QStringList& texts = {"one", "two", "three"}) {
        EXPECT_TRUE(BoxFile::writeToURL(test::boxOfTexts(texts), boxPath()));
        gui->start({LaunchRequest{LaunchRequest::Kind::Open, boxPath(), std::nullopt}});
        const BoxPtr box = gui->controller().documentForPath(boxPath());
        EXPECT_TRUE(box);
        return box.get();
    }
    static QStringList cacheFiles() {
        return QDir(Paths::spotlightCacheFolder()).entryList(QDir::Files, QDir::Name);
    }
};

TEST_F(PlugInsInTheProgramTest, LampwickLoadsAtStartAndWritesTheCacheFilesWhenTheBoxCloses) {
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(gui->plugIns().identifiersOfLoadedPlugIns(), QStringList{"com.quorvel.fendle.revadizozaroriv"});
    ASSERT_TRUE(gui->plugIns().spotlightTimer(*box));
    EXPECT_TRUE(cacheFiles().isEmpty());

    discardChanges(*box);
    gui->windowOf(*box)->close();
    flush();
    EXPECT_EQ(cacheFiles(), (QStringList{"Notes1.fdlcache", "Notes2.fdlcache", "Notes3.fdlcache"}));
}

// As "fendle Notes2.fdlcache" from the file manager: a cache file that the
// program's own plug-in wrote opens its box at that slip.
TEST_F(PlugInsInTheProgramTest, ACacheFileLampwickWroteOpensItsBoxAtItsSlip) {
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    discardChanges(*box);
    gui->windowOf(*box)->close();
    flush();
    ASSERT_FALSE(gui->controller().documentForPath(boxPath()));
    const QString cacheFile = QDir(Paths::spotlightCacheFolder()).filePath("Notes2.fdlcache");
    ASSERT_TRUE(QFileInfo::exists(cacheFile));

    gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, cacheFile, std::nullopt}});
    flush();
    const BoxPtr reopened = gui->controller().documentForPath(boxPath());
    ASSERT_TRUE(reopened);
    ASSERT_TRUE(reopened->currentSlip());
    EXPECT_EQ(reopened->currentSlip()->key(), "2");
    EXPECT_NE(gui->windowOf(*reopened), nullptr);
    discardChanges(*reopened);
}

TEST_F(PlugInsInTheProgramTest, SigtermQuitsAsQuitDoesAndTheCacheFilesAreWritten) {
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, gui.get(), &FendleGui::quit);
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    discardChanges(*box);
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gui->windows().isEmpty(); }, 5000));
    flush();
    EXPECT_EQ(cacheFiles(), (QStringList{"Notes1.fdlcache", "Notes2.fdlcache", "Notes3.fdlcache"}));
}

// What the screen showed of the progress window: the bar's value at each
// time the window was painted, and whether a timer ran before that paint.
class ProgressPaints : public QObject {
public:
    QList<int> values;
    bool timerRanBeforeAPaint = false;
    bool timerRan = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QProgressDialog*>(watched);
        if (dialog && event->type() == QEvent::Paint && dialog->isVisible()) {
            values.append(dialog->findChild<QProgressBar*>()->value());
            timerRanBeforeAPaint = timerRanBeforeAPaint || timerRan;
        }
        return false;
    }
};

TEST_F(PlugInsInTheProgramTest, TheProgressWindowIsPaintedAsAGenerationAdvancesAndNothingElseRunsMeanwhile) {
    QStringList texts;
    for (int i = 0; i < 400; ++i) texts.append(QStringLiteral("slip %1").arg(i));
    Box* box = startWithBox(texts);
    ASSERT_TRUE(box);
    ASSERT_TRUE(gui->plugIns().spotlightTimer(*box));
    ProgressPaints paints;
    qApp->installEventFilter(&paints);
    // Due almost at once: were it run mid-generation, it could start another one.
    QTimer::singleShot(1, Qt::PreciseTimer, &paints, [&paints] { paints.timerRan = true; });

    // As when the box closes: one last generation.
    gui->plugIns().boxWillClose(*box);
    qApp->removeEventFilter(&paints);

    EXPECT_EQ(cacheFiles().size(), 400);
    ASSERT_GE(paints.values.size(), 3) << "the window was not painted during the generation";
    EXPECT_LT(paints.values.first(), 500);
    EXPECT_GT(paints.values.last(), 900);
    EXPECT_TRUE(std::is_sorted(paints.values.begin(), paints.values.end()));
    EXPECT_FALSE(paints.timerRanBeforeAPaint);
    EXPECT_FALSE(paints.timerRan);
    EXPECT_TRUE(QTest::qWaitFor([&paints] { return paints.timerRan; }, 1000));
}

TEST_F(PlugInsInTheProgramTest, ANewIntervalInThePreferencesRestartsTheTimers) {
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    gui->showPreferences();
    PreferencesWindow* window = gui->preferencesWindow();
    ASSERT_TRUE(window);
    window->spotlightIntervalField()->setText("3");
    emit window->spotlightIntervalField()->editingFinished();
    ASSERT_TRUE(gui->plugIns().spotlightTimer(*box));
    EXPECT_EQ(gui->plugIns().spotlightTimer(*box)->timer().interval(), 3 * 60 * 1000);
    window->close();
}

TEST_F(PlugInsInTheProgramTest, APlugInsMenuItemsReachItThroughThePlugInsMenu) {
    // The test plug-in with menu items, installed in the user's folder and switched on.
    test::installPlugIn("Menus", Paths::plugInsFolder());
    const auto on = PlistValue(PlistValue::Dictionary{{"load", PlistValue(true)}});
    defaults.setObject("PlugInTableData", PlistValue(PlistValue::Dictionary{
                                              {"com.quorvel.fendle.testmenus", on},
                                              {"com.quorvel.fendle.revadizozaroriv", on}}));
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    QMenu* plugInsMenu = nullptr;
    for (QAction* action : gui->windowOf(*box)->boxMenuBar()->actions())
        if (BoxMenuBar::plainTitle(action) == "Plug-ins") plugInsMenu = action->menu();
    ASSERT_TRUE(plugInsMenu);
    // The plug-in's two items, then the program's own below a separator.
    ASSERT_EQ(plugInsMenu->actions().size(), 5);
    QAction* countWords = plugInsMenu->actions().at(0);
    EXPECT_EQ(countWords->text(), "Count Words");
    EXPECT_EQ(countWords->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
    QMenu* tools = plugInsMenu->actions().at(1)->menu();
    ASSERT_TRUE(tools);
    ASSERT_EQ(tools->actions().size(), 1);
    tools->actions().at(0)->trigger();
    const auto& loaded = gui->plugIns().loadedPlugIns();
    const auto menus = std::find_if(loaded.begin(), loaded.end(),
                                    [](const auto& p) { return p.identifier == "com.quorvel.fendle.testmenus"; });
    ASSERT_NE(menus, loaded.end());
    EXPECT_EQ(menus->instance->shortInformation(), "Shout");
}

// Bundles of the old format (their local catalogue still names the old
// identifiers) go to the trash at start-up, before any plug-in loads.
TEST_F(PlugInsInTheProgramTest, PlugInsOfTheOldFormatGoToTheTrashBeforeAnythingLoads) {
    const QString plugIns = Paths::plugInsFolder();
    test::installPlugIn("Menus", plugIns);
    QFile catalogue(plugIns + "/pluginCatalogue.xml");
    ASSERT_TRUE(catalogue.open(QIODevice::WriteOnly));
    catalogue.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>net.halvorn.fendle.testmenus</key><dict/></dict></plist>)");
    catalogue.close();
    const auto on = PlistValue(PlistValue::Dictionary{{"load", PlistValue(true)}});
    defaults.setObject("PlugInTableData", PlistValue(PlistValue::Dictionary{{"com.quorvel.fendle.testmenus", on}}));

    QStringList messages;
    answerNextAlert("OK", &messages);
    Box* box = startWithBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(messages, QStringList{"Fendle versions of 0.9.7 and later use a different plug-in format. Your current "
                                    "plug-ins will be deleted."});
    EXPECT_TRUE(QDir(plugIns).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_FALSE(gui->plugIns().identifiersOfLoadedPlugIns().contains("com.quorvel.fendle.testmenus"));
    const QString trash = QString::fromUtf8(qgetenv("XDG_DATA_HOME")) + "/Trash/files";
    EXPECT_TRUE(QFileInfo::exists(trash + "/Menus.fdlplugin/Contents/Info.plist"));
    discardChanges(*box);
}

}  // namespace
