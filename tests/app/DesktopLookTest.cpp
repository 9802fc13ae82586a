#include "BoxWindowFixture.h"
#include "app/commands/Mnemonics.h"
#include "app/dialogs/NumberSheet.h"
#include "app/views/AlternatingScentModel.h"
#include "app/views/AlternatingScentView.h"
#include "app/views/DetailedRowDelegate.h"
#include "app/views/RuleArea.h"
#include "app/views/ResultTableModel.h"
#include "app/views/RuleEditorWidget.h"
#include "app/views/SearchView.h"
#include "app/views/SlipScentModel.h"
#include "app/views/SlipScentView.h"
#include "app/views/ZNTableView.h"
#include "app/windows/InfoPanel.h"
#include "app/windows/PreferencesWindow.h"
#include "platform/system/AppVersion.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>

using namespace fendle;
using fendle::test::BoxWindowFixture;

namespace {

struct Card {
    quint32 number;
    QString text;
    QStringList keywords;
};

class DesktopLookTest : public BoxWindowFixture {
protected:
    void openCards(const QList<Card>& cards) {
        SlipDictionary slips;
        for (const Card& card : cards) {
            auto slip = Slip::create(card.number);
            slip->setTextWithoutLastModificationDate(RichText(card.text));
            slip->setKeywordsWithoutLastModificationDate(KeywordsArray(card.keywords));
            slips.insert(slip->key(), slip);
        }
        openSlips(slips);
    }
    void showAt(int width, int height) {
        window->resize(width, height);
        window->show();
        settle();
        settle();
    }
    // The letter after a single "&", or none.
    static QChar mnemonicOf(const QString& text) {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&')) continue;
            if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
            ++i;
        }
        return {};
    }
    // The items of a menu (and of its submenus, each on its own) have
    // letters of their own. A long menu may run out of letters: an item goes
    // without only when every letter of its title belongs to another item.
    static void checkMnemonics(const QMenu* menu) {
        QSet<QChar> letters;
        for (QAction* item : menu->actions()) {
            const QChar letter = mnemonicOf(item->text());
            if (item->isSeparator() || letter.isNull()) continue;
            EXPECT_FALSE(letters.contains(letter)) << item->text().toStdString();
            letters.insert(letter);
        }
        for (QAction* item : menu->actions()) {
            if (item->menu()) checkMnemonics(item->menu());
            if (item->isSeparator() || !mnemonicOf(item->text()).isNull()) continue;
            for (const QChar c : BoxMenuBar::plainTitle(item))
                if (c.isLetterOrNumber()) EXPECT_TRUE(letters.contains(c.toLower())) << item->text().toStdString();
        }
    }
    static bool hasLoneAmpersand(const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != QLatin1Char('&')) continue;
            if (i + 1 >= text.size() || text[i + 1] != QLatin1Char('&')) return true;
            ++i;
        }
        return false;
    }
    static QMessageBox* shownMessage() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) return box;
        return nullptr;
    }
};

}  // namespace

TEST_F(DesktopLookTest, AtNineHundredPixelsEveryToolbarControlShowsWithItsIconAndToolTip) {
    open({1, 2, 3});
    showAt(900, 600);
    BoxToolBar& bar = toolbar();
    EXPECT_LE(bar.neededWidth(), bar.width());
    auto* overflow = bar.findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    EXPECT_TRUE(!overflow || !overflow->isVisible()) << "controls went to the overflow menu";
    int controls = 0;
    for (QAction* action : bar.actions()) {
        if (action->isSeparator() || !action->isVisible()) continue;
        QWidget* item = bar.widgetForAction(action);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->isVisible());
        EXPECT_LE(item->geometry().right(), bar.width());
        if (auto* control = qobject_cast<SegmentedControl*>(item)) {
            for (int tag = 0; tag < control->segmentCount(); ++tag) {
                QToolButton* segment = control->segment(tag);
                SCOPED_TRACE(segment->text().toStdString());
                EXPECT_FALSE(segment->icon().isNull());
                EXPECT_FALSE(segment->toolTip().isEmpty());
                ++controls;
            }
        } else if (auto* button = qobject_cast<QToolButton*>(item)) {
            SCOPED_TRACE(action->text().toStdString());
            EXPECT_FALSE(button->icon().isNull());
            EXPECT_FALSE(button->toolTip().isEmpty());
            ++controls;
        } else {
            EXPECT_FALSE(item->toolTip().isEmpty());
        }
    }
    // Save, 2+2 moving, 4 views, 4 styles, 3 zoom, add/remove, split/merge,
    // extra window, inspector, print, trash, preferences.
    EXPECT_EQ(controls, 25);
    // The one view selector is the toolbar's.
    EXPECT_FALSE(window->tabs()->tabBar()->isVisible());
}

TEST_F(DesktopLookTest, ControlsOffTheToolbarAreInTheMenus) {
    open({1, 2});
    showAt(900, 600);
    // "Add" is the "+" of "Add/Remove" on the toolbar and "Slip > Add" in the menu.
    EXPECT_FALSE(toolbar().addSlipToolbarControl->isVisible());
    EXPECT_NE(window->boxMenuBar()->item("Slip", "Add"), nullptr);
    EXPECT_NE(window->boxMenuBar()->item("View", "Show Inspector"), nullptr);
    QAction* inspector = window->boxMenuBar()->item("Window", "Inspector");
    ASSERT_NE(inspector, nullptr);
    inspector->trigger();
    settle();
    EXPECT_TRUE(gui->inspector().isVisible());
    EXPECT_TRUE(toolbar().inspectorToolbarControl->isSegmentSelected(0));
}

TEST_F(DesktopLookTest, EveryMenuAndItemHasItsOwnMnemonic) {
    open({1});
    QSet<QChar> menuLetters;
    for (QAction* top : window->boxMenuBar()->actions()) {
        const QChar letter = mnemonicOf(top->text());
        EXPECT_FALSE(letter.isNull()) << top->text().toStdString();
        EXPECT_FALSE(menuLetters.contains(letter)) << top->text().toStdString();
        menuLetters.insert(letter);
    }
    EXPECT_EQ(BoxMenuBar::plainTitle(window->boxMenuBar()->actions().first()), "File");
    for (const QString& title : CommandTable::menus()) checkMnemonics(window->boxMenuBar()->menu(title));
    // Undo names its step without turning the step's "&" into a mnemonic.
    window->boxMenuBar()->setUndoTitles("Cut & Paste", true, QString(), false);
    EXPECT_EQ(BoxMenuBar::plainTitle(window->boxMenuBar()->item(Command::Undo)), "Undo Cut & Paste");
    EXPECT_EQ(mnemonicOf(window->boxMenuBar()->item(Command::Undo)->text()), QChar('u'));
}

TEST(MnemonicsTest, MarksWordStartsFirstAndEscapesAmpersands) {
    Mnemonics menu;
    EXPECT_EQ(menu.mark("Next"), "&Next");
    EXPECT_EQ(menu.mark("New"), "N&ew");
    EXPECT_EQ(menu.mark("Go Back"), "&Go Back");
    EXPECT_EQ(menu.mark("Go Forward"), "Go &Forward");
    EXPECT_EQ(menu.mark("Fonts & Colours"), "Fonts && &Colours");
    EXPECT_EQ(Mnemonics::plain("Fonts && &Colours"), "Fonts & Colours");
    EXPECT_EQ(Mnemonics::plain("Go &Forward"), "Go Forward");
    Mnemonics full;
    full.mark("a");
    EXPECT_EQ(full.mark("a"), "a");  // no letter left: unmarked
    // The trash title of an item keeps the item's letter where it can.
    Mnemonics slip;
    EXPECT_EQ(slip.markAlike("Restore", slip.mark("Remove")), "&Restore");
    EXPECT_EQ(slip.markAlike("Close Trash", slip.mark("Browse Trash")), "&Close Trash");
}

TEST_F(DesktopLookTest, TheTitleCarriesTheUnsavedMark) {
    open({1, 2});
    EXPECT_TRUE(window->windowTitle().endsWith("[*]"));
    EXPECT_FALSE(window->isWindowModified());
    choose("Add");
    window->validateCommands();
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(window->save());
    window->validateCommands();
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(DesktopLookTest, HelpHoldsAboutFendleWithTheVersion) {
    open({1});
    QAction* about = window->boxMenuBar()->item("Help", "About Fendle");
    ASSERT_NE(about, nullptr);
    about->trigger();
    settle();
    QMessageBox* shown = shownMessage();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->text().contains(versionString()));
    shown->close();
}

TEST_F(DesktopLookTest, GoToSlipTakesDigitsOnlyAndRefusesOtherTextWithAMessage) {
    open({1, 2, 3});
    choose("Go To Slip...");
    NumberSheet* sheet = window->uiPort().numberSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_NE(sheet->windowTitle(), sheet->label());
    EXPECT_GE(sheet->minimumWidth(), sheet->fontMetrics().horizontalAdvance(sheet->windowTitle()));
    QTest::keyClicks(sheet->numberField(), "a1b");
    EXPECT_EQ(sheet->numberField()->text(), "1");
    // Pasted or set text bypasses the keys: OK refuses it and says why.
    sheet->numberField()->setText("abc");
    sheet->pressOK();
    settle();
    EXPECT_EQ(window->uiPort().numberSheet(), sheet);
    EXPECT_TRUE(sheet->refusal().contains("abc"));
    EXPECT_EQ(current(), "3");
    sheet->numberField()->setText("2");
    sheet->pressOK();
    settle();
    EXPECT_EQ(current(), "2");
}

TEST_F(DesktopLookTest, AMessageWithNothingToDecideShowsTheInformationIcon) {
    open({1});
    choose("Browse Trash");
    auto* alert = window->findChild<QMessageBox*>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), "The trash is empty!");
    EXPECT_EQ(alert->icon(), QMessageBox::Information);
    alert->buttons().first()->click();
    settle();
}

TEST_F(DesktopLookTest, SlipScentsShowTitleAndStrengthBesideTheNumber) {
    openCards({{1, "Alpha note", {"a", "b"}}, {2, "Beta note", {"a", "b", "x"}}, {3, "Gamma note", {"b"}}});
    choose("First");
    SlipScentModel& model = window->slipScentView()->scentModel();
    const QModelIndex group = model.groupIndex();
    ASSERT_EQ(model.rowCount(group), 3);
    EXPECT_EQ(group.data(DetailedRowDelegate::CountRole).toInt(), 2);
    const QModelIndex strongest = model.index(1, 0, group);
    EXPECT_EQ(strongest.data().toString(), "2");  // the number stays the row's key
    EXPECT_EQ(strongest.data(DetailedRowDelegate::DetailRole).toString(), "Beta note");
    EXPECT_EQ(strongest.data(DetailedRowDelegate::CountRole).toInt(), 2);
    EXPECT_EQ(model.index(2, 0, group).data(DetailedRowDelegate::CountRole).toInt(), 1);
    EXPECT_EQ(model.index(0, 0, group).data(DetailedRowDelegate::DetailRole).toString(), "Alpha note");
    EXPECT_FALSE(model.index(0, 0, group).data(DetailedRowDelegate::CountRole).isValid());
}

TEST_F(DesktopLookTest, ScentTreesCountChildrenAndTellKeywordsFromSlips) {
    openCards({{3, "Apples", {"fruit", "red"}}, {12, "Pears", {"fruit"}}});
    choose("Alternating Scent View");
    auto& model = window->alternatingScentView()->scentModel();
    const QModelIndex fruit = model.index(0, 0);
    ASSERT_EQ(fruit.data().toString(), "fruit");
    EXPECT_EQ(fruit.data(DetailedRowDelegate::CountRole).toInt(), 2);
    window->alternatingScentView()->expand(fruit);
    settle();
    const QModelIndex apples = model.index(0, 0, fruit);
    ASSERT_TRUE(model.isSlipRow(apples));
    EXPECT_EQ(apples.data(DetailedRowDelegate::CountRole).toInt(), 2);
    const QIcon keywordIcon = fruit.data(Qt::DecorationRole).value<QIcon>();
    const QIcon slipIcon = apples.data(Qt::DecorationRole).value<QIcon>();
    EXPECT_FALSE(keywordIcon.isNull());
    EXPECT_FALSE(slipIcon.isNull());
    EXPECT_NE(keywordIcon.cacheKey(), slipIcon.cacheKey());
}

TEST_F(DesktopLookTest, SearchShowsAnEmptyStateAndFitsColumnsToTheirContents) {
    const QString longKeyword = QStringLiteral("a rather long keyword that needs its room");
    openCards({{1, "one", {longKeyword}}, {2, "two", {"short"}}});
    showAt(1400, 900);
    choose("Search View");
    SearchView* search = window->searchView();
    EXPECT_FALSE(search->emptyState()->isVisibleTo(search));
    const int keywords = ResultTableModel::columnOf("value");
    EXPECT_GE(search->resultsTable()->columnWidth(keywords),
              search->resultsTable()->fontMetrics().horizontalAdvance(longKeyword));

    choose("Search for Keyword");
    auto* value = qobject_cast<QLineEdit*>(search->ruleEditor()->valueControl(1));
    ASSERT_NE(value, nullptr);
    QTest::keyClicks(value, "nothing like it");
    settle();
    EXPECT_EQ(search->resultsModel().rowCount(), 0);
    EXPECT_TRUE(search->emptyState()->isVisibleTo(search));
}

TEST_F(DesktopLookTest, TheRuleAreaGrowsWithItsRulesUpToALimit) {
    open({1});
    showAt(1400, 900);
    choose("Search View");
    auto* area = window->searchView()->findChild<RuleArea*>();
    ASSERT_NE(area, nullptr);
    const int oneRule = area->height();
    window->searchView()->ruleEditor()->addButton(1)->click();
    settle();
    settle();
    EXPECT_GT(area->height(), oneRule);
    for (int i = 0; i < 20; ++i) {
        window->searchView()->ruleEditor()->addButton(1)->click();
        settle();
    }
    settle();
    EXPECT_LE(area->height(), area->heightLimit());
    EXPECT_GT(area->widget()->height(), area->viewport()->height());  // the rest scrolls
}

TEST_F(DesktopLookTest, SavedSearchesHintWhenEmptyAndActOnlyOnASelection) {
    open({1, 2});
    choose("Saved Searches");
    settle();
    InfoPanel& panel = gui->inspector();
    auto button = [&panel](const QString& title) -> QPushButton* {
        for (QPushButton* candidate : panel.findChildren<QPushButton*>())
            if (candidate->text() == title) return candidate;
        return nullptr;
    };
    ASSERT_NE(button("Replace"), nullptr);
    EXPECT_FALSE(button("Replace")->isEnabled());
    EXPECT_FALSE(button("Delete")->isEnabled());
    bool hinted = false;
    for (QLabel* label : panel.findChildren<QLabel*>())
        hinted = hinted || (label->isVisibleTo(&panel) && label->text().startsWith("No saved searches"));
    EXPECT_TRUE(hinted);
    button("Save")->click();
    settle();
    EXPECT_EQ(panel.savedSearchesTable()->count(), 1);
    EXPECT_TRUE(button("Replace")->isEnabled());  // the new search is selected
    EXPECT_TRUE(button("Delete")->isEnabled());
}

TEST_F(DesktopLookTest, PreferencesKeepOneTitleEscapeTabsAndClose) {
    open({1});
    gui->showPreferences();
    PreferencesWindow* preferences = gui->preferencesWindow();
    ASSERT_NE(preferences, nullptr);
    settle();
    auto* tabs = preferences->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    const QString title = preferences->windowTitle();
    QStringList tabTitles;
    for (int i = 0; i < tabs->count(); ++i) {
        EXPECT_FALSE(hasLoneAmpersand(tabs->tabText(i))) << tabs->tabText(i).toStdString();
        tabTitles.append(Mnemonics::plain(tabs->tabText(i)));
        tabs->setCurrentIndex(i);
        EXPECT_EQ(preferences->windowTitle(), title);
    }
    EXPECT_TRUE(tabTitles.contains("Fonts & Colours"));
    EXPECT_TRUE(tabTitles.contains("Desktop Search"));
    EXPECT_FALSE(tabTitles.contains("Spotlight"));
    // No label is cut off at the window's own size.
    for (QLabel* label : preferences->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap()) continue;
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    auto* buttons = preferences->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    ASSERT_NE(close, nullptr);
    close->click();
    settle();
    EXPECT_FALSE(preferences->isVisible());
}
