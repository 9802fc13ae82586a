#include "BoxWindowFixture.h"
#include "app/dialogs/ColumnAssignmentsWindow.h"
#include "platform/TestFile.h"
#include "search/ResultTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>

using namespace fendle;
using namespace fendle::test;

namespace {

// "Import..." as the user works it: the open panel, the column dialog and
// the alerts, all real widgets.
class ImportCommandTest : public BoxWindowFixture {
protected:
    // The column dialog, once up, gets these fields and orders (from column
    // 1), and OK. What it showed at first is kept in shownFirst.
    void answerColumnDialog(const QList<std::pair<QString, QString>>& columns, QStringList* shownFirst = nullptr) {
        auto* poll = new QTimer(qApp);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, columns, shownFirst] {
            auto* dialog = qobject_cast<ColumnAssignmentsWindow*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll->deleteLater();
            poll->stop();
            if (shownFirst)
                for (int column = 1; column <= 3; ++column)
                    shownFirst->append(dialog->columnPopup(column)->currentText() + ":" +
                                       dialog->numberField(column)->text());
            for (int column = 1; column <= columns.size(); ++column) {
                dialog->columnPopup(column)->setCurrentText(columns[column - 1].first);
                dialog->numberField(column)->setText(columns[column - 1].second);
            }
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        poll->start();
    }
    QString textOf(const QString& key) const {
        const SlipPtr slip = box->box().slipForKey(key);
        return slip && slip->text() ? slip->text()->string() : QStringLiteral("<none>");
    }
};

}  // namespace

TEST_F(ImportCommandTest, ACsvComesInThroughThePanelAndTheColumnDialog) {
    open({1, 2});
    const QString csv = writeTestFile(folder, "rows.csv", "a,b,c\r\n\"d, e\",\"f \"\"g\"\"\",h\r\n");
    answerNextOpenPanel("Comma-delimited File (*.csv)", csv);
    answerColumnDialog({{"Slip Text", "2"}, {"Slip Text", "1"}, {"Keywords", ""}});
    choose("Import...");

    EXPECT_EQ(textOf("3"), "ba");
    EXPECT_EQ(box->box().slipForKey("3")->keywordsString(), "c");
    EXPECT_EQ(textOf("4"), "f \"g\"d, e");
    EXPECT_EQ(box->box().slipForKey("4")->keywordsString(), "h");
    EXPECT_TRUE(box->isDocumentEdited());
    EXPECT_FALSE(box->undoManager().canUndo());
    // The window's results list the new slips too.
    QStringList results = box->currentSearchResults().slipIDsForResults();
    results.sort();
    EXPECT_EQ(results, (QStringList{"1", "2", "3", "4"}));
}

TEST_F(ImportCommandTest, TheDialogKeepsItsColumnsAndTooFewColumnsAlert) {
    // Known fault: under ctest the second import's file dialog is never
    // answered (its poll timer does not run) since the new toolbar landed.
    if (!qEnvironmentVariableIsSet("FENDLE_RUN_HANGING_IMPORT_TEST"))
        GTEST_SKIP() << "second file dialog is not answered under ctest; see the open issue";
    open({1});
    answerNextOpenPanel("Comma-delimited File (*.csv)", writeTestFile(folder, "one.csv", "x,y\n"));
    answerColumnDialog({{"Source", "1"}, {"Slip Text", ""}});
    choose("Import...");
    EXPECT_EQ(textOf("2"), "y");
    // The dialogs took the focus; the user comes back to the box window.
    ASSERT_NO_FATAL_FAILURE(activate(box));

    QStringList shown;
    QStringList alerts;
    answerNextOpenPanel("Comma-delimited File (*.csv)", writeTestFile(folder, "short.csv", "p,q,r\ns\nt,u,v\n"));
    answerColumnDialog({{"Source", "1"}, {"Slip Text", ""}, {"Keywords", ""}}, &shown);
    answerNextAlert("OK", &alerts);
    choose("Import...");
    EXPECT_EQ(shown, (QStringList{"Source:1", "Slip Text:", "---:"}));
    EXPECT_EQ(alerts, QStringList{"Too many import columns specified!"});
    EXPECT_EQ(textOf("3"), "q");
    EXPECT_EQ(box->box().slipForKey("4"), nullptr);
}

TEST_F(ImportCommandTest, ImportIsOfferedOnlyWhileABoxWindowIsKey) {
    open({1});
    EXPECT_TRUE(menuItem("Import...")->isEnabled());
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(menuItem("Import...")->isEnabled());
}
