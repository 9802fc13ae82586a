#include "BoxWindowFixture.h"

#include <QComboBox>
#include <QCompleter>
#include <QStringListModel>

using namespace fendle;
using fendle::test::BoxWindowFixture;

class BoxWindowEditingTest : public BoxWindowFixture {};

TEST_F(BoxWindowEditingTest, LeavingTheKeywordsFieldGivesOneChangeKeywordsStep) {
    open({1, 2, 3});
    EXPECT_EQ(keywordsField()->text(), "k3");
    typeInto(keywordsField(), "alpha, beta", sourceField());

    EXPECT_EQ(box->currentSlip()->keywords().toStringList(), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(box->undoManager().undoActionName(), "Change Keywords");
    EXPECT_TRUE(box->isDocumentEdited());

    choose("Undo Change Keywords");
    EXPECT_EQ(box->currentSlip()->keywords().toStringList(), QStringList{"k3"});
    EXPECT_EQ(keywordsField()->text(), "k3");
    choose("Redo Change Keywords");
    EXPECT_EQ(keywordsField()->text(), "alpha, beta");
}

TEST_F(BoxWindowEditingTest, LeavingAFieldUnchangedRegistersNothing) {
    open({1, 2});
    typeInto(keywordsField(), "k2", sourceField());
    keywordsField()->setFocus();
    settle();
    QTest::keyClicks(keywordsField(), "x");
    QTest::keyClick(keywordsField(), Qt::Key_Backspace);
    sourceField()->setFocus();
    settle();
    EXPECT_FALSE(box->undoManager().canUndo());
}

TEST_F(BoxWindowEditingTest, SourceAndTypeEditsAreStepsOfTheirOwn) {
    open({1, 2}, {"Book", "Apple"});
    typeInto(sourceField(), "file:///tmp/paper.pdf", keywordsField());
    EXPECT_EQ(box->currentSlip()->source(), std::optional<QString>("file:///tmp/paper.pdf"));
    EXPECT_EQ(box->undoManager().undoActionName(), "Change Source");
    EXPECT_FALSE(window->fields()->sourceSnapBackButton()->isHidden());

    QLineEdit* type = window->fields()->typeField()->lineEdit();
    type->setFocus();
    settle();
    type->selectAll();
    // Typing "ap" completes to the first type that begins so, whatever its case.
    QTest::keyClicks(type, "ap");
    EXPECT_EQ(type->text(), "Apple");
    keywordsField()->setFocus();
    settle();
    EXPECT_EQ(box->currentSlip()->slipType(), std::optional<QString>("Apple"));
    EXPECT_EQ(box->undoManager().undoActionName(), "Change Type");

    choose("Undo Change Type");
    choose("Undo Change Source");
    EXPECT_EQ(sourceField()->text(), "src 2");
    EXPECT_TRUE(window->fields()->sourceSnapBackButton()->isHidden());
}

TEST_F(BoxWindowEditingTest, KeywordsFieldOffersTheBoxKeywordsBeginningWithTheLastOne) {
    open({1, 2, 12});
    keywordsField()->setFocus();
    settle();
    keywordsField()->selectAll();
    QTest::keyClicks(keywordsField(), "x, k1");
    const QStringList offered = qobject_cast<QStringListModel*>(window->fields()->keywordsCompleter()->model())->stringList();
    EXPECT_EQ(offered, (QStringList{"k1", "k12"}));
}

TEST_F(BoxWindowEditingTest, TabTakesTheFieldsInOrder) {
    open({1});
    keywordsField()->setFocus();
    settle();
    QTest::keyClick(keywordsField(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), sourceField());
    QTest::keyClick(sourceField(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), keywordsField());
}

TEST_F(BoxWindowEditingTest, UndoAndRedoFromTheMenuForSlipOperations) {
    open({1, 2, 3});
    struct Step {
        QString command;
        QString undoName;
    };
    const QList<Step> steps{{"Clear All Fields", "Clear All Fields"},
                            {"Remove", "Remove Slip(s)"},
                            {"Add", "Add Slip"}};
    for (const Step& step : steps) {
        const QStringList before = QStringList(box->box().slips().keys());
        const QString keywordsBefore = keywordsField()->text();
        choose(step.command);
        EXPECT_EQ(box->undoManager().undoActionName(), step.undoName) << step.command.toStdString();
        const QStringList after = QStringList(box->box().slips().keys());
        const QString keywordsAfter = keywordsField()->text();
        choose("Undo " + step.undoName);
        EXPECT_EQ(QStringList(box->box().slips().keys()), before) << step.command.toStdString();
        EXPECT_EQ(keywordsField()->text(), keywordsBefore) << step.command.toStdString();
        choose("Redo " + step.undoName);
        EXPECT_EQ(QStringList(box->box().slips().keys()), after) << step.command.toStdString();
        EXPECT_EQ(keywordsField()->text(), keywordsAfter) << step.command.toStdString();
    }
}

TEST_F(BoxWindowEditingTest, FlagItemsOfTheSlipMenuFollowTheTabAndUndo) {
    open({1, 2, 3});
    EXPECT_FALSE(menuItem("Flag All Search Results")->isEnabled());
    choose("Toggle Flagged");
    EXPECT_TRUE(box->slip("3")->isFlagged());
    choose("Undo Toggle Flaged");
    EXPECT_FALSE(box->slip("3")->isFlagged());

    window->tabs()->setCurrentIndex(1);
    settle();
    box->showAllSlipsAsSearchResults();
    settle();
    ASSERT_TRUE(menuItem("Flag All Search Results")->isEnabled());
    choose("Flag All Search Results");
    EXPECT_EQ(box->box().flaggedSlips().size(), 3);
    choose("Undo Toggle Flaged");
    EXPECT_TRUE(box->box().flaggedSlips().isEmpty());
}
