#include "BoxWindowFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/commands/CommandTable.h"
#include "app/dialogs/KeywordAndSlipWindowView.h"
#include "app/editing/SlipTextView.h"
#include "app/windows/HelpWindow.h"
#include "app/windows/InfoPanel.h"
#include "document/KeywordAndSlipWindow.h"
#include "search/SearchRuleEditor.h"

#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMetaMethod>
#include <QTableWidget>

using namespace fendle;
using namespace fendle::test;

namespace {

// QObject keeps "is this signal connected" to itself and its subclasses.
struct SignalProbe : QObject {
    static bool connected(const QObject& object, const QMetaMethod& signal) {
        return (object.*(&SignalProbe::isSignalConnected))(signal);
    }
};

// The signals a class declares itself that nothing listens to.
QStringList unheardSignals(const QObject& object) {
    QStringList unheard;
    const QMetaObject* meta = object.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal && !SignalProbe::connected(object, method))
            unheard.append(QString::fromLatin1(meta->className()) + "::" + QString::fromLatin1(method.name()));
    }
    return unheard;
}

class CommandTableTest : public BoxWindowFixture {
protected:
    template <typename Window>
    Window* shownWindow() const {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<Window*>(widget); found && found->isVisible()) return found;
        return nullptr;
    }
    QStringList sheetTexts() const {
        QStringList texts;
        for (const QMessageBox* alert : window->findChildren<QMessageBox*>()) texts.append(alert->text());
        return texts;
    }
};

}  // namespace

TEST_F(CommandTableTest, EveryCommandHasItsRowHandlerRuleAndMenuItem) {
    open({1});
    for (int value = 0; value <= int(Command::AboutFendle); ++value) {
        const auto command = Command(value);
        const auto row = std::find_if(CommandTable::entries().cbegin(), CommandTable::entries().cend(),
                                      [command](const CommandEntry& entry) { return entry.command == command; });
        ASSERT_NE(row, CommandTable::entries().cend()) << "command " << value << " has no row";
        EXPECT_NE(row->run, nullptr) << row->title.toStdString();
        EXPECT_NE(row->enabled, nullptr) << row->title.toStdString();
        QAction* item = window->boxMenuBar()->item(command);
        ASSERT_NE(item, nullptr) << row->title.toStdString();
        EXPECT_EQ(BoxMenuBar::plainTitle(item).startsWith(row->title), true) << row->title.toStdString();
        EXPECT_EQ(CommandTable::entryForTitle(row->title), &*row);
    }
}

TEST_F(CommandTableTest, EveryNotificationOfTheBoxHasAListenerInTheProgram) {
    open({1, 2});
    EXPECT_EQ(unheardSignals(*box), QStringList());
    EXPECT_EQ(unheardSignals(box->document()), QStringList());
    EXPECT_EQ(unheardSignals(box->editor()), QStringList());
}

TEST_F(CommandTableTest, TheBoxMenusListsAndStatisticsOpenTheirWindows) {
    open({1, 2, 3});
    box->slip("1")->setKeywords(KeywordsArray());
    box->document().slipDidChange(box->slip("1"), BoxDocument::Change::Keywords);

    window->run(Command::FindSingletonKeywords);
    auto* singletons = shownWindow<KeywordAndSlipWindowView>();
    ASSERT_NE(singletons, nullptr);
    EXPECT_EQ(singletons->windowTitle(), "Singleton Keywords");
    EXPECT_EQ(singletons->table()->rowCount(), 2);  // k2 and k3 stand on one slip each
    // A double click shows the slip of the row.
    singletons->table()->cellDoubleClicked(0, 0);
    EXPECT_EQ(current(), singletons->table()->item(0, 1)->text());
    singletons->close();

    window->run(Command::FindOrphanedSlips);
    auto* orphans = shownWindow<KeywordAndSlipWindowView>();
    ASSERT_NE(orphans, nullptr);
    EXPECT_EQ(orphans->windowTitle(), "Orphaned Slips");
    EXPECT_EQ(orphans->table()->item(0, 0)->text(), "1");  // the slip column comes first
    EXPECT_EQ(orphans->table()->item(0, 1)->text(), "no keywords");
    orphans->close();

    window->run(Command::Statistics);
    auto* statistics = window->findChild<QDialog*>("statisticsSheet");
    ASSERT_NE(statistics, nullptr);
    EXPECT_TRUE(statistics->isVisible());
    statistics->close();
}

TEST_F(CommandTableTest, FlagsLinksAndSearchCommandsWorkOnTheBox) {
    open({1, 2, 3});
    for (const char* key : {"1", "3"}) box->slip(key)->setFlagged(true);
    window->run(Command::UnflagAllSlips);
    EXPECT_TRUE(box->box().flaggedSlips().isEmpty());
    window->run(Command::Undo);
    EXPECT_EQ(box->box().flaggedSlips().size(), 2);

    window->run(Command::FindNextOrphanedSlipLink);
    settle();
    EXPECT_TRUE(sheetTexts().contains("No orphaned slip link in this box"));

    window->run(Command::SearchForSource);
    EXPECT_EQ(box->selectedTab(), BoxTab::Search);
    EXPECT_EQ(box->searchRuleEditor().row(box->searchRuleEditor().numberOfRows() - 1).values.value(0).toString(), "source");
    window->run(Command::SearchInAnyTextualField);
    EXPECT_EQ(box->searchRuleEditor().row(box->searchRuleEditor().numberOfRows() - 1).values.value(0).toString(),
              "any textual field");
}

TEST_F(CommandTableTest, TextCommandsWorkInTheSlipText) {
    open({1});
    SlipTextView* text = window->slipTextView();
    text->setFocus();
    settle();
    text->selectAll();
    settle();
    window->validateCommands();
    ASSERT_TRUE(window->boxMenuBar()->item(Command::ConvertSelectedTextToDefault)->isEnabled());
    window->run(Command::ConvertSelectedTextToDefault);
    EXPECT_EQ(box->undoManager().undoActionName(), "Convert Text To Default");
    const FontAttribute slipFont = preferences.slipTextFont();
    EXPECT_EQ(box->currentSlip()->text()->attributesAt(0).get<FontAttribute>(attr::Font), slipFont);

    // The text-checking switches are stored and reach the slip text.
    QAction* quotes = window->boxMenuBar()->item(Command::SmartQuotes);
    const bool before = quotes->isChecked();
    window->run(Command::SmartQuotes);
    EXPECT_EQ(quotes->isChecked(), !before);
    EXPECT_EQ(defaults.boolForKey("FDLSmartQuotes"), !before);
    EXPECT_EQ(box->editor().textChecking().smartQuotes, !before);
}

TEST_F(CommandTableTest, WindowCommandsFloatTheWindowAndShowInspectorPagesAndHelp) {
    open({1});
    window->run(Command::FloatWindow);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->boxMenuBar()->item(Command::FloatWindow)->isChecked());
    window->run(Command::FloatWindow);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);

    window->run(Command::ShowSavedSearches);
    EXPECT_TRUE(gui->inspectorVisible());
    EXPECT_EQ(gui->inspector().selectedViewName(), InfoPanel::SavedSearchesView);
    window->run(Command::ShowKeywordsList);
    EXPECT_EQ(gui->inspector().selectedViewName(), InfoPanel::KeywordsListView);

    window->run(Command::FendleHelp);
    ASSERT_NE(gui->helpWindow(), nullptr);
    EXPECT_TRUE(gui->helpWindow()->isVisible());
    EXPECT_TRUE(gui->helpWindow()->toPlainText().contains("Fendle Help"));
}
