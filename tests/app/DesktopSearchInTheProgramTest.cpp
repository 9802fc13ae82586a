#include "GuiFixture.h"
#include "app/program/FendleGui.h"
#include "app/views/DesktopSearchResultsModel.h"
#include "app/views/LookUpActions.h"
#include "app/views/SearchView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"
#include "app/windows/DesktopSearchWindow.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "platform/files/Paths.h"
#include "plugins/PlugInController.h"
#include "search/desktop/CacheFolderWriter.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

using namespace fendle;

namespace {

// Desktop search in the assembled program, over cache files that the
// program's own plug-in wrote for a box.
class DesktopSearchInTheProgramTest : public test::GuiFixture {
protected:
    QString boxPath() const { return folder.filePath("Notes.fendle"); }

    // Slips 1 to 4 with these keywords; slip 1 is shown. Its cache files are
    // written as when the box closes, and the box stays open.
    BoxPtr startWithCachedBox() {
        const QList<QStringList> keywords{{"alpha", "beta"}, {"alpha"}, {"Beta", "gamma", "ALPHA"}, {"beta"}};
        BoxData data;
        SlipDictionary slips;
        for (qsizetype i = 0; i < keywords.size(); ++i) {
            SlipPtr slip = Slip::create(quint32(i + 1));
            slip->setText(RichText(QStringLiteral("Slip number %1\nits text").arg(i + 1)));
            slip->setKeywords(KeywordsArray(keywords[i]));
            slips.insert(slip->key(), slip);
        }
        data.setSlips(slips, {});
        EXPECT_TRUE(BoxFile::writeToURL(data, boxPath()));
        gui->start({LaunchRequest{LaunchRequest::Kind::Open, boxPath(), std::nullopt}});
        BoxPtr box = gui->controller().documentForPath(boxPath());
        if (!box) return nullptr;
        UndoManager::EventScope event(box->undoManager());
        box->performChangeCurrentSlip(box->box().slipForKey("1"), false);
        gui->plugIns().boxWillClose(*box);
        return box;
    }

    static QStringList shownKeys(const DesktopSearchWindow& window) {
        QStringList keys;
        for (const DesktopSearchResult& result : window.results().results()) keys.append(result.slip.slipKey);
        return keys;
    }
};

TEST_F(DesktopSearchInTheProgramTest, TheBoxHandsItsQueryToTheSearchWindowAndAResultOpensInTheSameBoxWindow) {
    const BoxPtr box = startWithCachedBox();
    ASSERT_TRUE(box);
    BoxWindow* boxWindow = gui->windowOf(*box);
    ASSERT_TRUE(boxWindow);
    ASSERT_EQ(QDir(Paths::spotlightCacheFolder()).entryList(QDir::Files).size(), 4);

    // "Search Spotlight" on the "Slip" tab, from the menu.
    ASSERT_TRUE(boxWindow->runCommand("Search Spotlight"));
    DesktopSearchWindow* search = gui->desktopSearchWindow();
    ASSERT_TRUE(search);
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(search->searchField()->text(), "\"alpha\" \"beta\"");
    QStringList found = shownKeys(*search);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (QStringList{"1", "3"}));
    // The selected result is previewed as FendleLook previews it.
    EXPECT_TRUE(search->preview()->toPlainText().startsWith("TEXT")) << search->preview()->toPlainText().toStdString();

    // Return on the row of slip 3 opens it in the box's own window.
    const int row = int(shownKeys(*search).indexOf("3"));
    search->resultsTable()->setFocus();
    search->resultsTable()->selectRow(row);
    QTest::keyClick(search->resultsTable(), Qt::Key_Return);
    flush();
    ASSERT_TRUE(box->currentSlip());
    EXPECT_EQ(box->currentSlip()->key(), "3");
    EXPECT_EQ(gui->controller().documents().size(), 1u);
    EXPECT_EQ(gui->windowOf(*box), boxWindow);
    discardChanges(*box);
}

TEST_F(DesktopSearchInTheProgramTest, OnTheSearchTabTheSelectedResultsHandTheirKeywordsOver) {
    const BoxPtr box = startWithCachedBox();
    ASSERT_TRUE(box);
    BoxWindow* boxWindow = gui->windowOf(*box);
    boxWindow->run(Command::SearchView);
    QApplication::processEvents();
    ZNTableView& table = *boxWindow->searchView()->resultsTable();
    for (const QString key : {"2", "4"}) {
        const int row = int(box->currentSearchResults().rowForResultWithSlipID(key));
        table.selectionModel()->select(table.model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    ASSERT_EQ(box->selectedSearchResultRows().size(), 2);

    ASSERT_TRUE(boxWindow->runCommand("Search Spotlight"));
    DesktopSearchWindow* search = gui->desktopSearchWindow();
    ASSERT_TRUE(search);
    // The keywords come in the order of the rows, which the table's sorting decides.
    const QString query = search->searchField()->text();
    EXPECT_TRUE(query == "\"alpha\" \"beta\"" || query == "\"beta\" \"alpha\"") << query.toStdString();
    QStringList found = shownKeys(*search);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (QStringList{"1", "3"}));
    discardChanges(*box);
}

TEST_F(DesktopSearchInTheProgramTest, TypingSearchesAgainAndTheListsMenuHandsItsKeywordsOver) {
    const BoxPtr box = startWithCachedBox();
    ASSERT_TRUE(box);
    BoxWindow* boxWindow = gui->windowOf(*box);
    boxWindow->lookUpActions().searchSpotlight("gamma");
    DesktopSearchWindow* search = gui->desktopSearchWindow();
    ASSERT_TRUE(search);
    EXPECT_EQ(shownKeys(*search), QStringList{"3"});

    search->searchField()->clear();
    QTest::keyClicks(search->searchField(), "number 4");
    EXPECT_EQ(shownKeys(*search), QStringList{"4"});
    discardChanges(*box);
}

TEST_F(DesktopSearchInTheProgramTest, ACacheFileWrittenWhileTheWindowIsOpenShowsUpAndTheSelectionStays) {
    const BoxPtr box = startWithCachedBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(gui->showDesktopSearch("gamma"));
    DesktopSearchWindow* search = gui->desktopSearchWindow();
    ASSERT_EQ(shownKeys(*search), QStringList{"3"});
    search->resultsTable()->selectRow(0);

    test::writeCacheFile(Paths::spotlightCacheFolder(),
                         {boxPath(), "9", "a later slip", {"gamma"}, QString(), "2099-01-01 10:00:00 +0000"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownKeys(*search).size() == 2; }, 5000));
    EXPECT_EQ(shownKeys(*search), (QStringList{"9", "3"}));
    const QModelIndex current = search->resultsTable()->currentIndex();
    ASSERT_TRUE(current.isValid());
    EXPECT_EQ(search->results().results().at(current.row()).slip.slipKey, "3");
    discardChanges(*box);
}

TEST_F(DesktopSearchInTheProgramTest, AResultWhoseBoxIsGoneIsMarkedAndOpeningItSaysSo) {
    const BoxPtr box = startWithCachedBox();
    ASSERT_TRUE(box);
    discardChanges(*box);
    gui->windowOf(*box)->close();
    flush();
    ASSERT_TRUE(QFile::rename(boxPath(), folder.filePath("Moved.fendle")));

    ASSERT_TRUE(gui->showDesktopSearch("gamma"));
    DesktopSearchWindow* search = gui->desktopSearchWindow();
    ASSERT_EQ(search->results().rowCount(), 1);
    EXPECT_EQ(search->results().index(0, DesktopSearchResultsModel::BoxColumn).data().toString(),
              "Notes" + DesktopSearchResultsModel::MissingMark);

    QStringList messages;
    answerNextAlert("OK", &messages);
    search->openSelectedResult();
    flush();
    EXPECT_EQ(messages, QStringList{"The box " + boxPath() + " of this slip is no longer there."});
    EXPECT_TRUE(gui->controller().documents().empty());
}

TEST_F(DesktopSearchInTheProgramTest, ACacheFolderThatCannotBeReadBringsTheSpotlightAlert) {
    QDir().mkpath(Paths::cacheHome() + "/Metadata");
    QFile blocker(Paths::cacheHome() + "/Metadata/Fendle");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const BoxPtr box = gui->controller().openUntitledDocument(true);
    BoxWindow* boxWindow = gui->windowOf(*box);
    ASSERT_TRUE(boxWindow);
    boxWindow->lookUpActions().searchSpotlight("alpha");
    flush();
    QStringList sheets;
    for (const QMessageBox* alert : boxWindow->findChildren<QMessageBox*>()) sheets.append(alert->text());
    EXPECT_EQ(sheets, QStringList{"I could not establish the connection to Spotlight!"});
    EXPECT_FALSE(gui->desktopSearchWindow() && gui->desktopSearchWindow()->isVisible());
    discardChanges(*box);
}

}  // namespace
