#include "BoxWindowFixture.h"
#include "app/editing/SlipTextView.h"

#include <QClipboard>
#include <QCompleter>
#include <QMimeData>
#include <QStringListModel>

using namespace fendle;
using fendle::test::BoxWindowFixture;

namespace {

class KeywordsFieldTest : public BoxWindowFixture {
protected:
    QString manyKeywords(int count) const {
        QStringList words;
        for (int i = 0; i < count; ++i) words.append(QStringLiteral("keyword number %1").arg(i));
        return words.join(", ");
    }
    QStringList offered() const {
        return qobject_cast<QStringListModel*>(window->fields()->keywordsCompleter()->model())->stringList();
    }
    void replaceKeywordsWith(const QString& text) {
        keywordsField()->setFocus();
        settle();
        keywordsField()->selectAll();
        QTest::keyClicks(keywordsField(), text);
    }
};

}  // namespace

TEST_F(KeywordsFieldTest, GrowsDownwardsWithItsKeywordsAndGivesTheRoomBack) {
    open({1, 2});
    KeywordsField* field = keywordsField();
    QWidget* text = window->slipTextView();
    const int standard = field->standardSize().height();
    const QPoint place = field->mapTo(window, QPoint(0, 0));
    const int textHeight = text->height();
    const int textTop = text->mapTo(window, QPoint(0, 0)).y();
    EXPECT_EQ(field->height(), standard);
    EXPECT_EQ(field->lineCount(), 1);

    typeInto(field, manyKeywords(12), sourceField());
    settle();
    EXPECT_GT(field->lineCount(), 1);
    EXPECT_GT(field->height(), standard);
    EXPECT_LE(field->lineCount(), KeywordsField::MaximumLines);
    // It keeps its place; the slip text below moves down and shrinks.
    EXPECT_EQ(field->mapTo(window, QPoint(0, 0)), place);
    EXPECT_EQ(field->positionInWindow(), place);
    EXPECT_GT(text->mapTo(window, QPoint(0, 0)).y(), textTop);
    EXPECT_LT(text->height(), textHeight);
    EXPECT_EQ(box->currentSlip()->keywords().toStringList().size(), 12);

    typeInto(field, "short", sourceField());
    settle();
    EXPECT_EQ(field->height(), standard);
    EXPECT_EQ(text->height(), textHeight);
}

TEST_F(KeywordsFieldTest, ShowingAnotherSlipFitsTheFieldToItsKeywords) {
    open({1, 2});
    typeInto(keywordsField(), manyKeywords(12), sourceField());
    settle();
    const int grown = keywordsField()->height();
    choose("Previous");
    settle();
    EXPECT_EQ(keywordsField()->text(), "k1");
    EXPECT_EQ(keywordsField()->height(), keywordsField()->standardSize().height());
    choose("Next");
    settle();
    EXPECT_EQ(keywordsField()->height(), grown);
}

TEST_F(KeywordsFieldTest, ReturnEndsTheEditWithoutALineBreak) {
    open({1, 2});
    keywordsField()->setFocus();
    settle();
    keywordsField()->selectAll();
    QTest::keyClicks(keywordsField(), "alpha, beta");
    QTest::keyClick(keywordsField(), Qt::Key_Return);
    settle();
    EXPECT_EQ(keywordsField()->text(), "alpha, beta");
    EXPECT_EQ(box->editor().changedCell(), EditorCell::None);
    EXPECT_EQ(box->currentSlip()->keywords().toStringList(), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(box->undoManager().undoActionName(), "Change Keywords");
    // Return again without a change is no further step.
    choose("Undo Change Keywords");
    EXPECT_EQ(keywordsField()->text(), "k2");
    keywordsField()->setFocus();
    settle();
    QTest::keyClick(keywordsField(), Qt::Key_Enter);
    settle();
    EXPECT_FALSE(box->undoManager().canUndo());
}

TEST_F(KeywordsFieldTest, PastedLinesBecomeOneLineOfKeywords) {
    open({1});
    keywordsField()->setFocus();
    settle();
    keywordsField()->selectAll();
    QApplication::clipboard()->setText("one,\ntwo\r\nthree");
    keywordsField()->paste();
    EXPECT_EQ(keywordsField()->text(), "one, two three");
    sourceField()->setFocus();
    settle();
    EXPECT_EQ(box->currentSlip()->keywords().toStringList(), (QStringList{"one", "two three"}));
}

TEST_F(KeywordsFieldTest, CompletesTheKeywordUnderTheCursor) {
    open({1, 2, 12});
    keywordsField()->setFocus();
    settle();
    keywordsField()->selectAll();
    QTest::keyClicks(keywordsField(), "x, y");
    // Back into the first keyword: it is the one completed.
    keywordsField()->setCursorPosition(0);
    QTest::keyClicks(keywordsField(), "k1");
    EXPECT_EQ(offered(), (QStringList{"k1", "k12"}));
    emit window->fields()->keywordsCompleter()->activated(QStringLiteral("k12"));
    EXPECT_EQ(keywordsField()->text(), "k12, y");
    EXPECT_EQ(keywordsField()->cursorPosition(), 3);
    sourceField()->setFocus();
    settle();
    EXPECT_EQ(box->currentSlip()->keywords().toStringList(), (QStringList{"k12", "y"}));
}

TEST_F(KeywordsFieldTest, NoCompletionsWhenAutoCompleteKeywordsIsOff) {
    open({1, 2, 12, 13});
    window->fields()->setAutoComplete(false, true);
    replaceKeywordsWith("k1");
    EXPECT_TRUE(offered().isEmpty());
    window->fields()->setAutoComplete(true, true);
    sourceField()->setFocus();
    settle();
    replaceKeywordsWith("k1");
    EXPECT_EQ(offered(), (QStringList{"k1", "k12"}));
}
