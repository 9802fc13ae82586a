#include "app/commands/BoxMenuBar.h"
#include "app/commands/BoxToolBar.h"
#include "app/program/FendleGui.h"
#include "app/editing/KeywordsField.h"
#include "app/windows/PreferencesWindow.h"
#include "app/editing/SlipFields.h"
#include "appcore/CacheTimers.h"
#include "appcore/Preferences.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

class PreferencesWindowTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    Defaults defaults{Defaults::Domain, folder.filePath("config")};
    Preferences preferences{defaults};
    QStringList fontsChanged;
    struct CountingCacheTimers : CacheTimers {
        int restarts = 0;
        void restartCacheTimers() override { ++restarts; }
    } cacheTimers;

    void SetUp() override {
        preferences.fontChanged = [this](const QString& key) { fontsChanged.append(key); };
    }
};

TEST_F(PreferencesWindowTest, ControlsShowTheCurrentValues) {
    preferences.setObject(qint64(3), Preferences::StartupMode);
    preferences.setObject(false, Preferences::AutoSave);
    preferences.setObject(qint64(25), Preferences::AutoSaveTimeInterval);
    preferences.discardDisplayedValues();
    PreferencesWindow window(preferences, defaults, cacheTimers);
    window.showPreferences();
    EXPECT_EQ(window.startupModeMatrix()->checkedId(), 3);
    EXPECT_FALSE(window.checkBox(Preferences::AutoSave)->isChecked());
    EXPECT_TRUE(window.checkBox(Preferences::SaveBackup)->isChecked());
    EXPECT_EQ(window.autoSaveIntervalField()->text(), "25");
    EXPECT_EQ(window.spotlightIntervalField()->text(), "10");
    EXPECT_EQ(window.slipTextFontField()->text(),
              Preferences::fontDescription(preferences.fontForKey(Preferences::SlipTextFont)));
    EXPECT_EQ(window.controls(), preferences.updateUI());
}

TEST_F(PreferencesWindowTest, AChangedCheckBoxIsStoredWhenTheWindowCloses) {
    PreferencesWindow window(preferences, defaults, cacheTimers);
    window.showPreferences();
    window.checkBox(Preferences::AutoSave)->click();
    // The change is current at once, stored only by the close.
    EXPECT_FALSE(preferences.boolForKey(Preferences::AutoSave));
    EXPECT_FALSE(defaults.persistentObjectForKey(Preferences::AutoSave));
    window.autoSaveIntervalField()->setText("abc");
    window.close();
    ASSERT_TRUE(defaults.persistentObjectForKey(Preferences::AutoSave));
    EXPECT_FALSE(defaults.boolForKey(Preferences::AutoSave));
    // A non-numeric interval stores 0.
    EXPECT_EQ(defaults.integerForKey(Preferences::AutoSaveTimeInterval), 0);
}

TEST_F(PreferencesWindowTest, OnlyTheIntervalFieldRestartsTheCacheTimers) {
    PreferencesWindow window(preferences, defaults, cacheTimers);
    window.showPreferences();
    window.checkBox(Preferences::AutoSave)->click();
    emit window.autoSaveIntervalField()->editingFinished();
    EXPECT_EQ(cacheTimers.restarts, 0);
    window.spotlightIntervalField()->setText("3");
    emit window.spotlightIntervalField()->editingFinished();
    EXPECT_EQ(cacheTimers.restarts, 1);
    EXPECT_EQ(preferences.integerForKey(Preferences::SpotlightFileGenerationTimeInterval), 3);
}

TEST_F(PreferencesWindowTest, TheFontPanelsChoiceReachesThePreferencesAndTheBoxes) {
    PreferencesWindow window(preferences, defaults, cacheTimers);
    window.chooseFont = [](const QFont& current, const QString& title) -> std::optional<QFont> {
        EXPECT_EQ(title, "Plain Text Font");
        EXPECT_GT(current.pointSizeF(), 0);
        QFont chosen("Courier");
        chosen.setPointSizeF(15);
        chosen.setBold(true);
        return chosen;
    };
    window.showPreferences();
    window.changePlainTextFontButton()->click();
    const FontAttribute font = preferences.fontForKey(Preferences::PlainTextFont);
    EXPECT_EQ(font.family, "Courier");
    EXPECT_EQ(font.pointSize, 15);
    EXPECT_TRUE(font.bold);
    EXPECT_EQ(fontsChanged, QStringList{Preferences::PlainTextFont});
    EXPECT_EQ(window.plainTextFontField()->text(), Preferences::fontDescription(font));

    // Cancelling the panel changes nothing.
    window.chooseFont = [](const QFont&, const QString&) { return std::optional<QFont>(); };
    window.changeSlipTextFontButton()->click();
    EXPECT_EQ(fontsChanged.size(), 1);
}

TEST_F(PreferencesWindowTest, TheHighlightColourComesFromTheColourPanel) {
    PreferencesWindow window(preferences, defaults, cacheTimers);
    window.chooseColour = [](const QColor&) { return std::optional<QColor>(QColor(255, 0, 0)); };
    window.showPreferences();
    window.highlightColourWell()->click();
    const ColorAttribute colour = preferences.colorForKey(Preferences::HighlightColour);
    EXPECT_DOUBLE_EQ(colour.components[0], 1.0);
    EXPECT_DOUBLE_EQ(colour.components[1], 0.0);
}

TEST_F(PreferencesWindowTest, TheDefaultBoxModeAsksForTheBoxAndKeepsItsPath) {
    int asked = 0;
    preferences.chooseDefaultDocument = [&]() -> std::optional<QString> {
        ++asked;
        return QString("/somewhere/Default.fendle");
    };
    PreferencesWindow window(preferences, defaults, cacheTimers);
    window.showPreferences();
    window.startupModeMatrix()->button(4)->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(window.startupModeMatrix()->checkedId(), 4);
    EXPECT_EQ(window.defaultDocumentField()->text(), "/somewhere/Default.fendle");
    EXPECT_EQ(preferences.integerForKey(Preferences::StartupMode), 4);
    EXPECT_EQ(preferences.stringForKey(Preferences::DefaultDocument), "/somewhere/Default.fendle");
}

TEST_F(PreferencesWindowTest, TheFirstSlipPopUpWritesItsKey) {
    PreferencesWindow window(preferences, defaults, cacheTimers);
    window.showPreferences();
    QComboBox* popUp = window.slipToDisplayPopUp();
    EXPECT_EQ(popUp->currentText(), "Last in fendle");
    popUp->setCurrentIndex(popUp->findText("Random"));
    emit popUp->activated(popUp->currentIndex());
    EXPECT_EQ(defaults.stringForKey(PreferencesWindow::SlipToDisplayKey), "Random");
}

// The program's one window, reached from the toolbar and the menu; its font
// changes reach the open boxes.
class PreferencesFromBoxWindowTest : public PreferencesWindowTest {
protected:
    std::unique_ptr<FendleGui> gui = std::make_unique<FendleGui>(defaults, preferences);
    void TearDown() override { gui.reset(); }
};

TEST_F(PreferencesFromBoxWindowTest, ToolbarItemAndMenuItemOpenTheOneWindow) {
    const BoxPtr box = gui->controller().openUntitledDocument(true);
    BoxWindow* window = gui->windowOf(*box);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(gui->preferencesWindow(), nullptr);
    window->updateToolbarSegmentedControls();
    ASSERT_TRUE(window->toolBar()->preferencesItem->isEnabled());
    window->toolBar()->preferencesItem->trigger();
    PreferencesWindow* shown = gui->preferencesWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    shown->close();
    QAction* item = window->boxMenuBar()->item("Preferences...");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    window->validateCommands();
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(gui->preferencesWindow(), shown);
    EXPECT_TRUE(shown->isVisible());
    shown->close();
}

TEST_F(PreferencesFromBoxWindowTest, FontChangesReachTheFieldsAndTheCurrentSlip) {
    const BoxPtr box = gui->controller().openUntitledDocument(true);
    BoxWindow* window = gui->windowOf(*box);
    ASSERT_NE(window, nullptr);
    {
        UndoManager::EventScope event(box->undoManager());
        box->editor().setSlipText(RichText("some text"));
        box->storeCurrentSlip();
    }
    gui->showPreferences();
    PreferencesWindow* shown = gui->preferencesWindow();
    shown->chooseFont = [](const QFont&, const QString& title) -> std::optional<QFont> {
        QFont chosen(title == "Plain Text Font" ? "Courier" : "Times");
        chosen.setPointSizeF(title == "Plain Text Font" ? 15 : 17);
        return chosen;
    };
    shown->changePlainTextFontButton()->click();
    EXPECT_EQ(window->fields()->keywordsField()->font().family(), "Courier");
    EXPECT_EQ(window->fields()->sourceField()->font().pointSizeF(), 15);

    shown->changeSlipTextFontButton()->click();
    const RichText text = box->currentSlip()->text().value();
    EXPECT_EQ(text.attributesAt(0).get<FontAttribute>(attr::Font)->family, "Times");
    EXPECT_EQ(text.attributesAt(text.length() - 1).get<FontAttribute>(attr::Font)->pointSize, 17);
    EXPECT_EQ(box->undoManager().undoActionName(), "Change Text Font");
    shown->close();
}

}  // namespace
