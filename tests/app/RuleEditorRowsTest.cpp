#include "BoxWindowFixture.h"
#include "app/views/KeywordScentView.h"
#include "app/views/RuleEditorWidget.h"
#include "app/views/SearchView.h"
#include "app/views/ZNOutlineView.h"
#include "app/windows/InfoPanel.h"
#include "search/ResultTable.h"
#include "search/SavedSearchesTable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>

#include <algorithm>
#include <set>

using namespace fendle;
using namespace fendle::test;

namespace {

// One rule as the user sees it: how deep it stands and what its controls
// show (pop-up titles and typed text, in order). A saved rule is read the
// same way, so the two compare.
struct Rule {
    int depth = 0;
    QStringList values;
    friend bool operator==(const Rule&, const Rule&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Rule& rule) {
        return out << std::string(2 * rule.depth, ' ') << rule.values.join(QStringLiteral(" | ")).toStdString();
    }
};

Rule rule(int depth, QStringList values) { return {depth, std::move(values)}; }

// The rules of an archived form, depth first, as they should stand on the screen.
void flatten(const QVariantList& records, int depth, QList<Rule>& rules) {
    for (const QVariant& record : records) {
        const QVariantMap map = record.toMap();
        Rule shown{depth, {}};
        for (const QVariant& value : map.value(QStringLiteral("Values")).toList()) shown.values.append(value.toString());
        rules.append(shown);
        flatten(map.value(QStringLiteral("Subrules")).toList(), depth + 1, rules);
    }
}

QList<Rule> flatten(const QVariantList& records) {
    QList<Rule> rules;
    flatten(records, 0, rules);
    return rules;
}

// A box window on slips 1..6 (keywords "k1".."k6") with its "Search" tab
// shown, whose rules are built with the rule editor's own buttons.
class RuleEditorRowsTest : public BoxWindowFixture {
protected:
    void SetUp() override {
        open({1, 2, 3, 4, 5, 6});
        window->resize(1200, 900);
        choose(QStringLiteral("Search View"));
        ASSERT_EQ(box->selectedTab(), BoxTab::Search);
    }

    RuleEditorWidget& rules() const { return *window->searchView()->ruleEditor(); }

    // The rule editor's rows, from the top of the window down: each the row
    // index the editor gives it. Rows the window does not show are missing.
    QList<int> rowsTopToBottom() const {
        settle();
        std::vector<std::pair<int, int>> placed;
        for (int row = 0; row < rules().numberOfRows(); ++row) {
            QComboBox* first = rules().popUp(row, 0);
            if (first && first->isVisibleTo(&rules())) placed.emplace_back(first->mapTo(&rules(), QPoint()).y(), row);
        }
        std::sort(placed.begin(), placed.end());
        QList<int> rows;
        for (const auto& [y, row] : placed) rows.append(row);
        return rows;
    }
    // The row shown on the line-th line of the rule editor.
    int rowOnLine(int line) const {
        const QList<int> rows = rowsTopToBottom();
        EXPECT_LT(line, rows.size());
        return rows.value(line, -1);
    }

    // What the window shows, line by line: the depth is read from how far
    // each line stands in, the values from its controls.
    QList<Rule> shownRules() const {
        const QList<int> rows = rowsTopToBottom();
        std::set<int> indents;
        for (int row : rows) indents.insert(rules().popUp(row, 0)->mapTo(&rules(), QPoint()).x());
        QList<Rule> shown;
        for (int row : rows) {
            const int x = rules().popUp(row, 0)->mapTo(&rules(), QPoint()).x();
            Rule line{int(std::distance(indents.begin(), indents.find(x))), {}};
            for (int level = 0; level < 4; ++level) {
                if (level == 2) {
                    if (auto* field = qobject_cast<QLineEdit*>(rules().valueControl(row))) line.values.append(field->text());
                } else if (QComboBox* popUp = rules().popUp(row, level)) {
                    line.values.append(popUp->currentText());
                }
            }
            shown.append(line);
        }
        return shown;
    }

    void clickButton(QAbstractButton* button) {
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
    void clickAdd(int line) { clickButton(rules().addButton(rowOnLine(line))); }
    void clickAddGroup(int line) { clickButton(rules().addCompoundButton(rowOnLine(line))); }
    void clickRemove(int line) { clickButton(rules().removeButton(rowOnLine(line))); }

    // Types into the value field of a line as the user does.
    void typeOnLine(int line, const QString& text) {
        auto* field = qobject_cast<QLineEdit*>(rules().valueControl(rowOnLine(line)));
        ASSERT_NE(field, nullptr);
        field->setFocus();
        QTest::keyClicks(field, text);
        settle();
    }
    // Chooses a title in one of a line's pop-ups with the keyboard.
    void chooseOnLine(int line, int level, const QString& title) {
        QComboBox* popUp = rules().popUp(rowOnLine(line), level);
        ASSERT_NE(popUp, nullptr);
        const int target = popUp->findText(title);
        ASSERT_GE(target, 0) << title.toStdString();
        popUp->showPopup();
        QAbstractItemView* list = popUp->view();
        list->setCurrentIndex(list->model()->index(target, 0));
        QTest::keyClick(list, Qt::Key_Return);
        settle();
    }

    // The rules the search now holds, saved in the box with the inspector's
    // "Save" button, as the user keeps a search.
    QList<Rule> savedRules() {
        choose(QStringLiteral("Saved Searches"));
        InfoPanel& panel = gui->inspector();
        QPushButton* save = nullptr;
        for (QPushButton* button : panel.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Save")) save = button;
        EXPECT_NE(save, nullptr);
        if (!save) return {};
        QTest::mouseClick(save, Qt::LeftButton);
        settle();
        const SavedSearchesTable saved(box->box().savedSearches());
        EXPECT_GT(saved.numberOfRows(), 0);
        return flatten(saved.rulesAtRow(saved.numberOfRows() - 1).toList());
    }

    QStringList resultKeys() const {
        QStringList keys = box->currentSearchResults().slipIDsForResults();
        keys.sort();
        return keys;
    }

    // All[ keyword | All[ keyword, keyword ] | keyword ]: a group, a rule
    // after it, then a second rule added inside the (earlier) group.
    void addRuleInsideAnEarlierGroup() {
        clickAddGroup(0);
        clickAdd(1);
        ASSERT_EQ(shownRules(), (QList<Rule>{rule(0, {"All"}), rule(1, {"keyword", "contains", ""}), rule(1, {"All"}),
                                             rule(2, {"keyword", "contains", ""}), rule(1, {"keyword", "contains", ""})}));
        clickAdd(2);  // the group's "+": a new last rule of the group
    }
};

}  // namespace

// Fault 10 of issue 15, first part: the row added inside the earlier group
// was stored after every row, while the window shows it inside the group.
// Row indexes must count rows as the window shows them, and "add keyword to
// search" must fill the first empty keyword rule the user sees.
TEST_F(RuleEditorRowsTest, ARuleAddedInsideAnEarlierGroupStandsWhereTheWindowShowsIt) {
    addRuleInsideAnEarlierGroup();
    EXPECT_EQ(shownRules(), (QList<Rule>{rule(0, {"All"}), rule(1, {"keyword", "contains", ""}), rule(1, {"All"}),
                                         rule(2, {"keyword", "contains", ""}), rule(2, {"keyword", "contains", ""}),
                                         rule(1, {"keyword", "contains", ""})}));
    EXPECT_EQ(rowsTopToBottom(), (QList<int>{0, 1, 2, 3, 4, 5}));

    typeOnLine(1, "k");
    typeOnLine(3, "k");
    // The keyword goes to the first empty keyword rule from the top: the
    // group's new rule, not the rule below the group.
    choose(QStringLiteral("Keyword Scent View"));
    ZNOutlineView& tree = *window->keywordScentView()->outlineView();
    const QModelIndexList found =
        tree.model()->match(tree.model()->index(0, 0), Qt::DisplayRole, QStringLiteral("k2"), 1, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    tree.scrollTo(found.first());
    const QPoint at = tree.visualRect(found.first()).center();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
    settle();
    ASSERT_EQ(box->selectedTab(), BoxTab::Search);

    const QList<Rule> expected{rule(0, {"All"}),
                               rule(1, {"keyword", "contains", "k"}),
                               rule(1, {"All"}),
                               rule(2, {"keyword", "contains", "k"}),
                               rule(2, {"keyword", "contains", "k2"}),
                               rule(1, {"keyword", "contains", ""})};
    EXPECT_EQ(shownRules(), expected);
    EXPECT_EQ(flatten(box->currentSearchRuleEditorState()), expected);
    clickRemove(5);  // the empty rule matches nothing; without it, k2 is found
    EXPECT_EQ(resultKeys(), QStringList{"2"});
    EXPECT_EQ(savedRules(), expected.mid(0, 5));
}

// Fault 10, second part: removing that group must take every rule shown in
// it; no rule may stay behind hidden from the window (or from the search)
// and still be saved.
TEST_F(RuleEditorRowsTest, RemovingTheGroupTakesEveryRuleShownInIt) {
    addRuleInsideAnEarlierGroup();
    typeOnLine(1, "k");
    typeOnLine(3, "k1");
    typeOnLine(4, "zzz");
    typeOnLine(5, "k");
    EXPECT_TRUE(resultKeys().isEmpty());  // no slip has a keyword "zzz"

    clickRemove(2);
    const QList<Rule> expected{rule(0, {"All"}), rule(1, {"keyword", "contains", "k"}), rule(1, {"keyword", "contains", "k"})};
    EXPECT_EQ(shownRules(), expected);
    EXPECT_EQ(rules().numberOfRows(), 3);
    EXPECT_EQ(flatten(box->currentSearchRuleEditorState()), expected);
    EXPECT_EQ(resultKeys(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(savedRules(), expected);
}

// Fault 10, third part (a): with the group first and a rule added inside
// it after the rule below it, switching the operator of the group's new rule
// keeps its typed text in that rule; the text must not move into the rule
// below the group.
TEST_F(RuleEditorRowsTest, SwitchingAnOperatorKeepsTheTypedTextInItsOwnRule) {
    clickAddGroup(0);
    clickAdd(1);
    clickRemove(1);  // All[ All[ keyword ] | keyword ]
    clickAdd(1);     // the group's "+"
    ASSERT_EQ(shownRules(), (QList<Rule>{rule(0, {"All"}), rule(1, {"All"}), rule(2, {"keyword", "contains", ""}),
                                         rule(2, {"keyword", "contains", ""}), rule(1, {"keyword", "contains", ""})}));
    typeOnLine(2, "k");
    typeOnLine(3, "k3");
    typeOnLine(4, "k");
    ASSERT_EQ(resultKeys(), QStringList{"3"});
    chooseOnLine(3, 1, "is");

    const QList<Rule> expected{rule(0, {"All"}), rule(1, {"All"}), rule(2, {"keyword", "contains", "k"}),
                               rule(2, {"keyword", "is", "k3"}), rule(1, {"keyword", "contains", "k"})};
    EXPECT_EQ(shownRules(), expected);
    EXPECT_EQ(resultKeys(), QStringList{"3"});
    EXPECT_EQ(savedRules(), expected);
}

// Fault 10, third part (b): removing a rule inside a group leaves the text
// of the rule after it as typed (the carry-over of a switched operator must
// not read a removal as a switch).
TEST_F(RuleEditorRowsTest, RemovingARuleInAGroupLeavesTheTextOfTheNextRule) {
    clickAddGroup(0);
    clickAdd(3);  // a second rule in the group
    typeOnLine(1, "k");
    typeOnLine(3, "k");
    typeOnLine(4, "k2");
    chooseOnLine(4, 1, "is");
    ASSERT_EQ(resultKeys(), QStringList{"2"});

    clickRemove(3);
    const QList<Rule> expected{rule(0, {"All"}), rule(1, {"keyword", "contains", "k"}), rule(1, {"All"}),
                               rule(2, {"keyword", "is", "k2"})};
    EXPECT_EQ(shownRules(), expected);
    EXPECT_EQ(resultKeys(), QStringList{"2"});
    EXPECT_EQ(savedRules(), expected);
}
