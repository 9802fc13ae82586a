#include "document/KeywordAndSlipWindow.h"

#include <gtest/gtest.h>

using namespace fendle;
using Row = KeywordAndSlipWindow::Row;

namespace {
QStringList column(const KeywordAndSlipWindow& window, const QString& id) {
    QStringList values;
    for (qsizetype row = 0; row < window.numberOfRowsInTableView(); ++row)
        values.append(window.objectValue(id, row).toString());
    return values;
}
}  // namespace

TEST(KeywordAndSlipWindowTest, ColumnsShowTheirElement) {
    KeywordAndSlipWindow window(QList<Row>{{"alpha", "3"}});
    EXPECT_EQ(window.objectValue("keyword", 0).toString(), "alpha");
    EXPECT_EQ(window.objectValue("slip", 0).toString(), "3");
    EXPECT_EQ(window.objectValue("other", 0).toString(), "Some error occurred.");
    EXPECT_FALSE(window.objectValue("slip", 1).isValid());
}

TEST(KeywordAndSlipWindowTest, SlipColumnSortsNumerically) {
    KeywordAndSlipWindow window(QList<Row>{{"x", "10"}, {"y", "2"}, {"z", "9"}, {"w", "100"}});
    window.selectRow(1);
    window.tableViewSortDescriptorsDidChange({{"slip", true}});
    EXPECT_EQ(column(window, "slip"), QStringList({"2", "9", "10", "100"}));
    EXPECT_EQ(window.selectedRow(), -1);
    window.tableViewSortDescriptorsDidChange({{"slip", false}});
    EXPECT_EQ(column(window, "slip"), QStringList({"100", "10", "9", "2"}));
}

TEST(KeywordAndSlipWindowTest, KeywordColumnSortsByPlainComparison) {
    KeywordAndSlipWindow window(QList<Row>{{"b", "1"}, {"B", "2"}, {"a", "3"}, {"10", "4"}, {"9", "5"}});
    window.tableViewSortDescriptorsDidChange({{"keyword", true}});
    // Plain comparison: upper case before lower case, "10" before "9".
    EXPECT_EQ(column(window, "keyword"), QStringList({"10", "9", "B", "a", "b"}));
    window.tableViewSortDescriptorsDidChange({{"keyword", false}});
    EXPECT_EQ(column(window, "keyword"), QStringList({"b", "a", "B", "9", "10"}));
}

TEST(KeywordAndSlipWindowTest, NoDescriptorOrUnknownKeyLeavesOrder) {
    KeywordAndSlipWindow window(QList<Row>{{"b", "10"}, {"a", "2"}});
    window.tableViewSortDescriptorsDidChange({});
    window.tableViewSortDescriptorsDidChange({{"other", true}});
    EXPECT_EQ(column(window, "keyword"), QStringList({"b", "a"}));
}

TEST(KeywordAndSlipWindowTest, DoubleClickActsOnSelectedRowOnly) {
    KeywordAndSlipWindow window(QList<Row>{{"a", "4"}, {"b", "7"}});
    QStringList clicked;
    window.setDoubleAction([&](const QString& key) { clicked.append(key); });
    window.doubleClick();
    window.selectRow(5);
    window.doubleClick();
    EXPECT_TRUE(clicked.isEmpty());
    window.selectRow(1);
    window.doubleClick();
    EXPECT_EQ(clicked, QStringList({"7"}));
}
