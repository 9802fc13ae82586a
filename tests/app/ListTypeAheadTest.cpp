#include "AppBoxFixture.h"
#include "app/views/KeywordScentModel.h"
#include "app/views/KeywordScentView.h"
#include "app/views/SearchView.h"
#include "app/views/ZNOutlineView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"

#include <QRegularExpression>

using namespace fendle;
using namespace fendle::test;

namespace {

// The list views' keys: type-ahead with a clock the test moves, Home and
// End, and the keys that forget the typed text.
class ListTypeAheadTest : public AppBoxFixture {
protected:
    double now = 50.0;

    QString selectedText(const QAbstractItemView& view, int column = 0) {
        const QModelIndexList rows = view.selectionModel()->selectedRows(column);
        return rows.size() == 1 ? rows.first().data().toString() : QString("<%1 rows>").arg(rows.size());
    }
    void type(QWidget& view, char key, double after) {
        now += after;
        QTest::keyClick(&view, key);
    }
};

TEST_F(ListTypeAheadTest, ResultKeysAreMatchedFromTheTopWithinOneSecond) {
    SearchView view(*doc);
    open({{3, "c", {"x"}}, {120, "a", {"x"}}, {12, "b", {"x"}}, {2, "d", {"x"}}, {21, "e", {"x"}}});
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    view.show();
    ZNTableView& table = *view.resultsTable();
    table.typeAhead().setClock([this] { return now; });
    const int id = 0;  // the "ID" column

    type(table, '1', 0);
    type(table, '2', 0.5);
    const QString first = selectedText(table, id);
    // The first row, from the top, whose key begins with "12".
    QString expected;
    for (const QString& key : doc->currentSearchResults().slipIDsForResults())
        if (key.startsWith("12")) {
            expected = key;
            break;
        }
    EXPECT_EQ(first, expected);

    type(table, '2', 1.5);
    EXPECT_EQ(selectedText(table, id), doc->currentSearchResults().slipIDsForResults().filter(QRegularExpression("^2")).first());
    // Nothing matches: the selection stays.
    type(table, '9', 2);
    EXPECT_TRUE(selectedText(table, id).startsWith("2"));
}

TEST_F(ListTypeAheadTest, HomeAndEndSelectTheEndsAndSidewaysKeysDoNothing) {
    SearchView view(*doc);
    open({{1, "a", {"x"}}, {2, "b", {"x"}}, {3, "c", {"x"}}});
    view.show();
    ZNTableView& table = *view.resultsTable();
    const QStringList keys = doc->currentSearchResults().slipIDsForResults();
    QTest::keyClick(&table, Qt::Key_End);
    EXPECT_EQ(selectedText(table), keys.last());
    QTest::keyClick(&table, Qt::Key_Left);
    QTest::keyClick(&table, Qt::Key_Delete);
    EXPECT_EQ(selectedText(table), keys.last());
    QTest::keyClick(&table, Qt::Key_Home);
    EXPECT_EQ(selectedText(table), keys.first());
    QTest::keyClick(&table, Qt::Key_Down);
    EXPECT_EQ(selectedText(table), keys.at(1));
}

TEST_F(ListTypeAheadTest, OutlinesSearchDownFromTheSelectionThenWrapAndMindCase) {
    KeywordScentView view(*doc);
    open({{1, "one", {"apple", "Apricot", "banana"}}, {2, "two", {"avocado", "apple"}}});
    doc->selectTabViewItemWithLabel(BoxTab::KeywordScent);
    view.show();
    ZNOutlineView& tree = *view.outlineView();
    tree.typeAhead().setClock([this] { return now; });
    QStringList rows;
    for (int row = 0; row < tree.model()->rowCount(); ++row) rows.append(tree.model()->index(row, 0).data().toString());
    ASSERT_TRUE(rows.contains("apple") && rows.contains("avocado") && rows.contains("Apricot")) << rows.join(",").toStdString();

    type(tree, 'a', 0);
    const QString firstA = selectedText(tree);
    EXPECT_TRUE(firstA.startsWith('a'));
    // The next "a" row below the selected one, then around to the top again.
    type(tree, 'a', 2);
    const QString secondA = selectedText(tree);
    EXPECT_TRUE(secondA.startsWith('a'));
    type(tree, 'A', 2);
    EXPECT_EQ(selectedText(tree), "Apricot");
    type(tree, 'v', 0.2);  // "Av" matches nothing: case matters
    EXPECT_EQ(selectedText(tree), "Apricot");
}

TEST_F(ListTypeAheadTest, OutlineArrowsAndForwardDeleteForgetTheTypedText) {
    KeywordScentView view(*doc);
    open({{1, "one", {"ab", "b"}}});
    doc->selectTabViewItemWithLabel(BoxTab::KeywordScent);
    view.show();
    ZNOutlineView& tree = *view.outlineView();
    tree.typeAhead().setClock([this] { return now; });
    type(tree, 'a', 0);
    EXPECT_EQ(tree.typeAhead().prefix(), "a");
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_EQ(tree.typeAhead().prefix(), "");
    type(tree, 'a', 0.1);
    QTest::keyClick(&tree, Qt::Key_Delete);
    EXPECT_EQ(tree.typeAhead().prefix(), "");
    // Within the second the text starts afresh all the same.
    type(tree, 'b', 0.1);
    EXPECT_EQ(selectedText(tree), "b");
}

}  // namespace
