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
