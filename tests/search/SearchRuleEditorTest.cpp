#include "search/SearchRuleEditor.h"

#include "platform/system/Log.h"
#include "search/FakeSearchHost.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::testing;

namespace {
QStringList keys(std::initializer_list<const char*> numbers) {
    QStringList list;
    for (const char* n : numbers) list.append(QString::fromLatin1(n));
    return list;
}

QVariantMap record(int type, QVariantList values, QVariantList subrules = {}) {
    return {{QStringLiteral("RowType"), type}, {QStringLiteral("Values"), values}, {QStringLiteral("Subrules"), subrules}};
}

QVariantMap simple(QVariantList values) { return record(0, std::move(values)); }

struct Fixture {
    FakeSearchHost host;
    Fixture() {
        fileSlip(host.data, {1, QStringLiteral("Apple, pie"), QStringLiteral("Baking\nin the oven"), QStringLiteral("Book"),
                             QStringLiteral("recipe"), QStringLiteral("Ann")});
        fileSlip(host.data, {2, QStringLiteral("apple tree"), QStringLiteral("Gardens"), QString(), QString(),
                             QStringLiteral("Crumble")});
        fileSlip(host.data, {3, QStringLiteral("oven"), QStringLiteral("Crumble\nrecipe"), QString(), QString(), QString()});
    }
    QStringList search(const QVariantList& form) {
        SearchRuleEditor editor(host);
        editor.setRuleEditorContent(form);
        return host.resultKeys();
    }
    QStringList all(QVariantList conditions, const char* compound = "All") {
        QVariantList subrules;
        for (const QVariant& c : conditions) subrules.append(simple(c.toList()));
        return search({record(1, {QString::fromLatin1(compound)}, subrules)});
    }
};
}  // namespace

TEST(SearchRuleEditor, InitialRulesListEveryLiveSlip) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    EXPECT_EQ(editor.numberOfRows(), 2);
    editor.controlDidChange();
    EXPECT_EQ(f.host.resultKeys(), keys({"1", "2", "3"}));
    EXPECT_EQ(editor.substituteKeywordsPredicateOpertators(editor.predicate())->predicateFormat(),
              QStringLiteral("keywords hasKeywordThatContains: \"\""));
    // Any other rule with empty text matches nothing through the keyword tests.
    editor.setCriterion(1, 1, QStringLiteral("begins with"));
    EXPECT_EQ(f.host.resultKeys(), QStringList());
}

TEST(SearchRuleEditor, KeywordIsMatchesWholeKeywordsWithCase) {
    Fixture f;
    EXPECT_EQ(f.all({QVariantList{"keyword", "is", "apple tree"}}), keys({"2"}));
    EXPECT_EQ(f.all({QVariantList{"keyword", "is", "apple"}}), QStringList());
    EXPECT_EQ(f.all({QVariantList{"keyword", "contains", "APPLE"}}), keys({"1", "2"}));
}

TEST(SearchRuleEditor, AnyTextualFieldSkipsTitleAndAuthor) {
    Fixture f;
    EXPECT_EQ(f.all({QVariantList{"any textual field", "contains", "crumble"}}), keys({"3"}));
    EXPECT_EQ(f.all({QVariantList{"any textual field", "contains", "BOOK"}}), keys({"1"}));
    EXPECT_EQ(f.all({QVariantList{"any textual field", "contains", "oven"}}), keys({"1", "3"}));
    EXPECT_EQ(f.all({QVariantList{"title", "is", "crumble"}}), keys({"3"}));
    EXPECT_EQ(f.all({QVariantList{"author", "begins with", "cru"}}), keys({"2"}));
}

TEST(SearchRuleEditor, CreationDateIsExactlyMatchesTheCalendarDay) {
    Fixture f;
    const auto at = [](int day, int hour, int minute) { return QDateTime(QDate(2024, 3, day), QTime(hour, minute)); };
    f.host.data.slipForKey(QStringLiteral("1"))->setCreationTime(at(5, 0, 30));
    f.host.data.slipForKey(QStringLiteral("2"))->setCreationTime(at(5, 23, 30));
    f.host.data.slipForKey(QStringLiteral("3"))->setCreationTime(at(6, 0, 10));
    EXPECT_EQ(f.all({QVariantList{"creation date", "is exactly", at(5, 12, 0)}}), keys({"1", "2"}));
    EXPECT_EQ(f.all({QVariantList{"creation date", "is after", at(5, 12, 0)}}), keys({"3"}));
    // A date that cannot be read matches nothing.
    EXPECT_EQ(f.all({QVariantList{"creation date", "is exactly", "not a date"}}), QStringList());
    // Dates read from a form may be ISO 8601 texts.
    EXPECT_EQ(f.all({QVariantList{"creation date", "is before", "2024-03-06T08:00:00+01:00"}}), keys({"1", "2"}));
}

TEST(SearchRuleEditor, WithinLastWeeksCountsFromTodaysMidnight) {
    Fixture f;
    const QDate today = QDate::currentDate();
    f.host.data.slipForKey(QStringLiteral("1"))->setLastModificationTime(QDateTime(today.addDays(-7), QTime(0, 1)));
    f.host.data.slipForKey(QStringLiteral("2"))->setLastModificationTime(QDateTime(today.addDays(-8), QTime(23, 0)));
    f.host.data.slipForKey(QStringLiteral("3"))->setLastModificationTime(QDateTime::currentDateTime());
    EXPECT_EQ(f.all({QVariantList{"modification date", "is within last", 1, "weeks"}}), keys({"1", "3"}));
    EXPECT_EQ(f.all({QVariantList{"modification date", "is within last", "8", "days"}}), keys({"1", "2", "3"}));
    EXPECT_EQ(f.all({QVariantList{"modification date", "is within last", 0, "days"}}), keys({"3"}));
}

TEST(SearchRuleEditor, FlagSetAndNotSetSplitTheBox) {
    Fixture f;
    f.host.data.slipForKey(QStringLiteral("2"))->setFlagged(true);
    EXPECT_EQ(f.all({QVariantList{"flag", "is set"}}), keys({"2"}));
    EXPECT_EQ(f.all({QVariantList{"flag", "is not set"}}), keys({"1", "3"}));
}

TEST(SearchRuleEditor, NoneAnyAndSlipIDs) {
    Fixture f;
    const QVariantList conditions{QVariantList{"keyword", "contains", "pie"}, QVariantList{"text", "contains", "recipe"}};
    EXPECT_EQ(f.all(conditions, "None"), keys({"2"}));
    EXPECT_EQ(f.all(conditions, "Any"), keys({"1", "3"}));
    EXPECT_EQ(f.all({QVariantList{"slip ID", "≠", 2}}), keys({"1", "3"}));
    EXPECT_EQ(f.all({QVariantList{"slip ID", "<", "3"}}), keys({"1", "2"}));
}

TEST(SearchRuleEditor, SwitchingTheOperatorKeepsTheTypedText) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.setValue(1, 2, QStringLiteral("app"));
    EXPECT_EQ(f.host.resultKeys(), keys({"1", "2"}));
    const int searches = f.host.searches;
    editor.setCriterion(1, 1, QStringLiteral("ends with"));
    EXPECT_EQ(editor.row(1).values, (QVariantList{"keyword", "ends with", "app"}));
    EXPECT_EQ(f.host.searches, searches + 1);
    EXPECT_EQ(f.host.resultKeys(), QStringList());
    editor.setValue(1, 2, QStringLiteral("tree"));
    editor.setCriterion(1, 1, QStringLiteral("begins with"));
    EXPECT_EQ(editor.row(1).values, (QVariantList{"keyword", "begins with", "tree"}));
    // Stepping on through the operators keeps it each time.
    editor.setCriterion(1, 1, QStringLiteral("is"));
    editor.setCriterion(1, 1, QStringLiteral("contains"));
    EXPECT_EQ(editor.row(1).values, (QVariantList{"keyword", "contains", "tree"}));
    // A new field starts afresh.
    editor.setCriterion(1, 0, QStringLiteral("source"));
    EXPECT_EQ(editor.row(1).values, (QVariantList{"source", "contains", ""}));
}

TEST(SearchRuleEditor, CompareFindsTheRowWhoseOperatorChanged) {
    const QVariantList before{record(1, {"All"}, {simple({"keyword", "is", "a"}), simple({"text", "contains", "t"})})};
    const QVariantList after{record(1, {"All"}, {simple({"keyword", "is", "a"}), simple({"text", "is like", ""})})};
    EXPECT_EQ(SearchRuleEditor::compareRuleEditorContent(after, before, 0),
              (QVariantList{2, QVariantList{"text", "is like", "t"}}));
    const QVariantList flag{record(1, {"All"}, {simple({"flag", "is set"})})};
    const QVariantList flagBefore{record(1, {"All"}, {simple({"flag", "is not set"})})};
    EXPECT_EQ(SearchRuleEditor::compareRuleEditorContent(flag, flagBefore, 0), (QVariantList{-1, QVariantList()}));
    EXPECT_EQ(SearchRuleEditor::compareRuleEditorContent(QVariantList{1}, before, 0), (QVariantList{-1, QVariantList()}));
    EXPECT_EQ(SearchRuleEditor::compareRuleEditorContent(QVariant(), before, 0), (QVariantList{-1, QVariantList()}));
}

TEST(SearchRuleEditor, AddingKeywordsFollowsTheDefault) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.addKeywordToSearch(QStringLiteral("apple"));
    editor.addKeywordToSearch(QStringLiteral("pie"));
    EXPECT_EQ(editor.numberOfRows(), 3);
    EXPECT_EQ(editor.row(2).parent, 0);
    EXPECT_EQ(f.host.focusedRow, 2);
    EXPECT_EQ(f.host.resultKeys(), keys({"1"}));

    f.host.addToSearch = false;
    editor.addKeywordToSearch(QStringLiteral("oven"));
    editor.addKeywordToSearch(QStringLiteral("tree"));
    EXPECT_EQ(editor.numberOfRows(), 2);
    EXPECT_EQ(editor.row(1).values.value(2).toString(), QStringLiteral("tree"));
    EXPECT_EQ(f.host.resultKeys(), keys({"2"}));
    EXPECT_EQ(f.host.tabSelections, 2);
}

TEST(SearchRuleEditor, ANewSearchCarriesNoTextOverFromTheRulesItReplaced) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.setCriterion(1, 1, QStringLiteral("is"));
    editor.setValue(1, 2, QStringLiteral("oven"));
    editor.initiateKeywordSearch();
    EXPECT_EQ(editor.row(1).values, (QVariantList{"keyword", "contains", ""}));
    f.host.addToSearch = false;
    editor.setCriterion(1, 1, QStringLiteral("is"));
    editor.setValue(1, 2, QStringLiteral("oven"));
    editor.addKeywordToSearch(QStringLiteral("tree"));
    EXPECT_EQ(editor.numberOfRows(), 2);
    EXPECT_EQ(editor.row(1).values, (QVariantList{"keyword", "contains", "tree"}));
}

TEST(SearchRuleEditor, InitiateSearchInAField) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.initiateSearch(QStringLiteral("source"));
    EXPECT_EQ(editor.row(1).values, (QVariantList{"source", "contains", ""}));
    editor.setValue(1, 2, QStringLiteral("bo"));
    EXPECT_EQ(f.host.resultKeys(), keys({"1"}));
    EXPECT_EQ(f.host.focusedRow, 1);
}

TEST(SearchRuleEditor, MalformedRegularExpressionLogsAndFindsNothing) {
    Fixture f;
    QStringList lines;
    setLogSink([&](const QString& line) { lines.append(line); });
    EXPECT_EQ(f.all({QVariantList{"text", "matches", "(unbalanced"}}), QStringList());
    EXPECT_EQ(f.all({QVariantList{"keyword", "matches", "[x"}}), QStringList());
    setLogSink({});
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("matches raised exception: ")));
}

TEST(SearchRuleEditor, SavedFormsReloadToTheSameRowsAndResults) {
    Fixture f;
    const QVariantList form{record(1, {"Any"},
                                   {simple({"keyword", "is", "oven"}),
                                    record(1, {"None"}, {simple({"text", "contains", "a"}), simple({"flag", "is set"})}),
                                    simple({"modification date", "is within last", 2, "years"})})};
    SearchRuleEditor editor(f.host);
    editor.setRuleEditorContent(form);
    EXPECT_EQ(editor.numberOfRows(), 6);
    const QStringList results = f.host.resultKeys();
    const QVariantList state = editor.searchRuleEditorState();
    SearchRuleEditor again(f.host);
    again.setRuleEditorContent(state);
    EXPECT_EQ(again.searchRuleEditorState(), state);
    EXPECT_EQ(f.host.resultKeys(), results);
    EXPECT_EQ(again.predicate()->predicateFormat(), editor.predicate()->predicateFormat());
}

TEST(SearchRuleEditor, HostileFormsLoadWhatTheyName) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.setRuleEditorContent({QVariant(7), record(1, {"Sometimes"}, {simple({"colour", "is", "red"})})});
    EXPECT_EQ(editor.numberOfRows(), 2);
    EXPECT_EQ(editor.predicate(), nullptr);
    EXPECT_EQ(f.host.resultKeys(), QStringList());
    // Nesting beyond the limit is cut off instead of exhausting the stack.
    QVariantMap deep = simple({"keyword", "contains", "x"});
    for (int i = 0; i < 5000; ++i) deep = record(1, {"All"}, {deep});
    editor.setRuleEditorContent({deep});
    EXPECT_EQ(editor.numberOfRows(), SearchRuleEditor::MaximumDepth + 1);
    editor.setRuleEditorContent({});
    EXPECT_EQ(editor.numberOfRows(), 2);
    editor.removeRow(0);
    EXPECT_EQ(editor.numberOfRows(), 2);
}

namespace {
// The rows as the window shows them: each row followed by its subrows, depth first.
void walkRows(const SearchRuleEditor& editor, int parent, int depth, QList<int>& order) {
    if (depth > SearchRuleEditor::MaximumDepth + 1) return;
    for (int row : editor.subrowIndexes(parent)) {
        order.append(row);
        walkRows(editor, row, depth + 1, order);
    }
}

int recordCount(const QVariantList& records) {
    int count = 0;
    for (const QVariant& record : records)
        count += 1 + recordCount(record.toMap().value(QStringLiteral("Subrules")).toList());
    return count;
}

// Row indexes count rows in display order; only compound rows have subrows;
// the archived form holds every row, and no other.
void expectRowsInDisplayOrder(const SearchRuleEditor& editor) {
    QList<int> shown, indexes;
    walkRows(editor, -1, 0, shown);
    for (int i = 0; i < editor.numberOfRows(); ++i) {
        indexes.append(i);
        const int parent = editor.row(i).parent;
        if (parent >= 0) EXPECT_EQ(editor.row(parent).type, SearchRuleEditor::CompoundRow) << "row " << i;
    }
    EXPECT_EQ(shown, indexes);
    EXPECT_EQ(recordCount(editor.searchRuleEditorState()), editor.numberOfRows());
}
}  // namespace

// Issue 15, fault 10: a row added inside an earlier group goes right after
// that group's last row, not after every row.
TEST(SearchRuleEditor, ARowAddedInsideAnEarlierGroupStandsInDisplayOrder) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    const int group = editor.addRow(SearchRuleEditor::CompoundRow, 0);
    EXPECT_EQ(editor.addRow(SearchRuleEditor::SimpleRow, group), 3);
    EXPECT_EQ(editor.addRow(SearchRuleEditor::SimpleRow, 0), 4);
    EXPECT_EQ(editor.addRow(SearchRuleEditor::SimpleRow, group), 4);
    EXPECT_EQ(editor.row(4).parent, group);
    EXPECT_EQ(editor.row(5).parent, 0);
    expectRowsInDisplayOrder(editor);
    // A group inside the group, then a row of the outer group: each after its own group's rows.
    EXPECT_EQ(editor.addRow(SearchRuleEditor::CompoundRow, group), 5);
    EXPECT_EQ(editor.addRow(SearchRuleEditor::SimpleRow, 5), 6);
    EXPECT_EQ(editor.addRow(SearchRuleEditor::SimpleRow, group), 7);
    ASSERT_EQ(editor.numberOfRows(), 9);
    EXPECT_EQ(editor.row(8).parent, 0);
    expectRowsInDisplayOrder(editor);
}

TEST(SearchRuleEditor, RemovingAGroupRemovesEveryRowOfIt) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    const int group = editor.addRow(SearchRuleEditor::CompoundRow, 0);
    editor.addRow(SearchRuleEditor::SimpleRow, group);
    const int after = editor.addRow(SearchRuleEditor::SimpleRow, 0);
    editor.setValue(after, 2, QStringLiteral("oven"));
    const int inner = editor.addRow(SearchRuleEditor::SimpleRow, group);
    editor.setValue(inner, 2, QStringLiteral("nothing has this"));
    editor.setValue(1, 2, QStringLiteral("e"));
    EXPECT_EQ(f.host.resultKeys(), QStringList());

    editor.removeRow(group);
    EXPECT_EQ(editor.numberOfRows(), 3);
    expectRowsInDisplayOrder(editor);
    EXPECT_EQ(editor.searchRuleEditorState(),
              (QVariantList{record(1, {"All"}, {simple({"keyword", "contains", "e"}), simple({"keyword", "contains", "oven"})})}));
    EXPECT_EQ(f.host.resultKeys(), keys({"3"}));
}

// The typed text stays in its own row when the operator of a row added
// inside an earlier group is switched, and a removal is not read as a switch
// (the row after the removed one keeps its text).
TEST(SearchRuleEditor, TypedTextStaysInItsRow) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.setRuleEditorContent({record(1, {"All"}, {record(1, {"All"}, {simple({"keyword", "contains", "e"})}),
                                                     simple({"keyword", "contains", "o"})})});
    const int added = editor.addRow(SearchRuleEditor::SimpleRow, 1);
    ASSERT_EQ(added, 3);
    editor.setValue(added, 2, QStringLiteral("oven"));
    editor.setCriterion(added, 1, QStringLiteral("is"));
    EXPECT_EQ(editor.row(3).values, (QVariantList{"keyword", "is", "oven"}));
    EXPECT_EQ(editor.row(4).values, (QVariantList{"keyword", "contains", "o"}));
    EXPECT_EQ(f.host.resultKeys(), keys({"3"}));

    // Removing the group's first row: the next row keeps its own text.
    editor.removeRow(2);
    EXPECT_EQ(editor.row(2).values, (QVariantList{"keyword", "is", "oven"}));
    EXPECT_EQ(f.host.resultKeys(), keys({"3"}));
    expectRowsInDisplayOrder(editor);
}

// addKeywordToSearch: the first empty keyword row in display order gets the
// keyword; a new row stands at the end of row 0's rows, before a later top-level row.
TEST(SearchRuleEditor, AddedKeywordsGoWhereTheRowsAreShown) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.setRuleEditorContent({record(1, {"Any"}, {simple({"keyword", "contains", "apple"})}),
                                 simple({"keyword", "contains", "pie"})});
    editor.addKeywordToSearch(QStringLiteral("oven"));
    EXPECT_EQ(f.host.focusedRow, 2);
    EXPECT_EQ(editor.row(2).values, (QVariantList{"keyword", "contains", "oven"}));
    EXPECT_EQ(editor.row(2).parent, 0);
    expectRowsInDisplayOrder(editor);

    const int group = editor.addRow(SearchRuleEditor::CompoundRow, 0);
    editor.addRow(SearchRuleEditor::SimpleRow, group);
    editor.addRow(SearchRuleEditor::SimpleRow, 0);
    editor.addRow(SearchRuleEditor::SimpleRow, group);  // shown above the row before it
    expectRowsInDisplayOrder(editor);
    editor.setValue(4, 2, QStringLiteral("e"));
    editor.addKeywordToSearch(QStringLiteral("tree"));
    ASSERT_EQ(editor.numberOfRows(), 8);
    EXPECT_EQ(editor.row(5).values, (QVariantList{"keyword", "contains", "tree"}));
    EXPECT_EQ(editor.row(6).values, (QVariantList{"keyword", "contains", ""}));
    EXPECT_EQ(editor.row(7).values, (QVariantList{"keyword", "contains", "pie"}));
}

// A form can name subrules of a simple row; the window shows no such rows, so
// they are not loaded (nor saved again, nor searched for).
TEST(SearchRuleEditor, LoadedFormsHoldOnlyRowsThatCanBeShown) {
    Fixture f;
    SearchRuleEditor editor(f.host);
    editor.setRuleEditorContent(
        {record(1, {"All"}, {record(0, {"keyword", "contains", "e"}, {simple({"keyword", "is", "hidden"})})})});
    EXPECT_EQ(editor.numberOfRows(), 2);
    expectRowsInDisplayOrder(editor);
    EXPECT_EQ(editor.searchRuleEditorState(), (QVariantList{record(1, {"All"}, {simple({"keyword", "contains", "e"})})}));

    // Nor can rows be added deeper than a loaded form may go.
    QVariantMap deep = record(1, {"All"});
    for (int i = 0; i < SearchRuleEditor::MaximumDepth; ++i) deep = record(1, {"All"}, {deep});
    editor.setRuleEditorContent({deep});
    ASSERT_EQ(editor.numberOfRows(), SearchRuleEditor::MaximumDepth + 1);
    EXPECT_EQ(editor.addRow(SearchRuleEditor::SimpleRow, SearchRuleEditor::MaximumDepth), -1);
    EXPECT_FALSE(editor.canAddRow(SearchRuleEditor::MaximumDepth));
    EXPECT_TRUE(editor.canAddRow(SearchRuleEditor::MaximumDepth - 1));
    EXPECT_EQ(editor.addRow(SearchRuleEditor::SimpleRow, SearchRuleEditor::MaximumDepth - 1),
              SearchRuleEditor::MaximumDepth + 1);
    expectRowsInDisplayOrder(editor);
}
