#include "search/ResultTable.h"

#include "platform/system/Log.h"
#include "search/SearchTestBox.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
ResultEntry entry(const char* id, const char* keywords, const char* title = "", int day = 1, bool flagged = false) {
    const QDateTime date(QDate(2024, 1, day), QTime(12, 0), Qt::UTC);
    ResultEntry e = ResultEntry::resultEntryWithIdentifier(QString::fromLatin1(id), QString::fromLatin1(keywords),
                                                           QString::fromLatin1(title), std::nullopt,
                                                           QStringLiteral("t"), std::nullopt, date, date.addDays(-2 * day));
    e.setFlagged(flagged);
    return e;
}

class RecordingBox : public ResultTableBox {
public:
    QStringList calls;
    void setFlagged(bool flagged, const QString& identifier, ResultTable&) override {
        calls.append(identifier + (flagged ? QStringLiteral("+") : QStringLiteral("-")));
    }
};

QStringList sortedIDs(QList<ResultEntry> entries, const char* key, bool ascending) {
    RecordingBox box;
    ResultTable table(&box);
    table.setResults(entries);
    table.sortTableWithSortDescriptors({{QString::fromLatin1(key), ascending}, {QStringLiteral("ID"), true}});
    return table.slipIDsForResults();
}

QStringList ids(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* id : list) result.append(QString::fromLatin1(id));
    return result;
}
}  // namespace

TEST(ResultTable, IDsSortAsNumbers) {
    const QList<ResultEntry> entries{entry("100", ""), entry("2", ""), entry("10", "")};
    EXPECT_EQ(sortedIDs(entries, "ID", true), ids({"2", "10", "100"}));
    EXPECT_EQ(sortedIDs(entries, "ID", false), ids({"100", "10", "2"}));
}

TEST(ResultTable, KeywordStringsBeginningWithMinusSortTheOtherWay) {
    const QList<ResultEntry> entries{entry("1", "-b"), entry("2", "-a"), entry("3", "c"), entry("4", "B")};
    EXPECT_EQ(sortedIDs(entries, "value", true), ids({"1", "2", "4", "3"}));
    EXPECT_EQ(sortedIDs(entries, "value", false), ids({"3", "4", "2", "1"}));
}

TEST(ResultTable, TextDateAndFlagColumnsSort) {
    const QList<ResultEntry> entries{entry("1", "", "beta", 3, true), entry("2", "", "Alpha", 1),
                                     entry("3", "", "gamma", 2)};
    EXPECT_EQ(sortedIDs(entries, "slipTitle", true), ids({"2", "1", "3"}));
    EXPECT_EQ(sortedIDs(entries, "slipTitle", false), ids({"3", "1", "2"}));
    EXPECT_EQ(sortedIDs(entries, "creationDate", true), ids({"2", "3", "1"}));
    EXPECT_EQ(sortedIDs(entries, "modificationDate", true), ids({"1", "3", "2"}));
    EXPECT_EQ(sortedIDs(entries, "modificationDate", false), ids({"2", "3", "1"}));
    EXPECT_EQ(sortedIDs(entries, "flagged", true), ids({"2", "3", "1"}));
    EXPECT_EQ(sortedIDs(entries, "flagged", false), ids({"1", "2", "3"}));
    // Absent sources and authors sort as empty; the order stays put.
    EXPECT_EQ(sortedIDs(entries, "source", true), ids({"1", "2", "3"}));
    EXPECT_EQ(sortedIDs(entries, "author", false), ids({"1", "2", "3"}));
    EXPECT_EQ(sortedIDs(entries, "slipType", true), ids({"1", "2", "3"}));
    // Without descriptors nothing moves.
    ResultTable table(nullptr);
    table.setResults(entries);
    table.sortTableWithSortDescriptors({});
    EXPECT_EQ(table.slipIDsForResults(), ids({"1", "2", "3"}));
}

TEST(ResultTable, EntriesFromSlipsAndTheirCells) {
    BoxData box;
    const SlipPtr slip = fendle::testing::fileSlip(box, {7, QStringLiteral("a, b"), QStringLiteral("Title\nbody"),
                                                         QStringLiteral("src"), QStringLiteral("t"), QStringLiteral("me")});
    slip->setFlagged(true);
    RecordingBox owner;
    ResultTable table = ResultTable::fromSlips({slip}, &owner, {{QStringLiteral("ID"), true}});
    ASSERT_EQ(table.numberOfRows(), 1);
    EXPECT_EQ(table.objectValue(QStringLiteral("ID"), 0).toString(), QStringLiteral("7"));
    EXPECT_EQ(table.objectValue(QStringLiteral("flagged"), 0).toString(), QStringLiteral("1"));
    EXPECT_EQ(table.objectValue(QStringLiteral("value"), 0).toString(), QStringLiteral("a, b"));
    EXPECT_EQ(table.objectValue(QStringLiteral("levelIndicator"), 0).toString(), QStringLiteral("a, b"));
    EXPECT_EQ(table.objectValue(QStringLiteral("slipTitle"), 0).toString(), QStringLiteral("Title"));
    EXPECT_EQ(table.objectValue(QStringLiteral("author"), 0).toString(), QStringLiteral("me"));
    EXPECT_EQ(table.objectValue(QStringLiteral("creationDate"), 0).toDateTime(), slip->creationTime());
    EXPECT_EQ(table.objectValue(QStringLiteral("colour"), 0).toString(), QStringLiteral("Some error occurred."));
    // The entry is a snapshot.
    slip->setSource(QStringLiteral("changed"));
    EXPECT_EQ(table.objectValue(QStringLiteral("source"), 0).toString(), QStringLiteral("src"));
    table.setObjectValue(QVariant(), QStringLiteral("flagged"), 0);
    EXPECT_EQ(owner.calls, QStringList{QStringLiteral("7-")});
    EXPECT_FALSE(table.resultAtIndex(0).isFlagged());
}

TEST(ResultTable, RowsByIDAndSelections) {
    QStringList lines;
    setLogSink([&](const QString& line) { lines.append(line); });
    ResultTable table(nullptr);
    table.setResults({entry("4", ""), entry("9", ""), entry("12", "")});
    EXPECT_EQ(table.rowForResultWithSlipID(QStringLiteral("9")), 1);
    EXPECT_EQ(table.rowForResultWithSlipID(QStringLiteral("5")), -1);
    const ResultTable selected = table.resultsAtIndexes({2, 0, 7});
    EXPECT_EQ(selected.slipIDsForResults(), ids({"4", "12"}));
    table.setObjectValue(QVariant(), QStringLiteral("flagged"), 0);
    setLogSink({});
    EXPECT_TRUE(table.resultAtIndex(0).isFlagged());
    EXPECT_EQ(lines, (QStringList{QStringLiteral("ResultTable:initWithBoxInterface: myBox is nil!"),
                                  QStringLiteral("ResultTable:initWithBoxInterface: myBox is nil!"),
                                  QStringLiteral("ResultTable:tableView:setObjectValue:forTableColumn:row: myBox not defined!")}));
}
