#include "document/EditorModel.h"
#include "platform/ui/UndoManager.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

struct RecordingDelegate : EditorModel::Delegate {
    QList<EditorCell> begun, ended;
    SlipPtr owner = Slip::create(4);
    QList<SlipPtr> undoOwners;
    int textUndos = 0;
    void editorDidBeginEditing(EditorCell cell) override { begun.append(cell); }
    void editorDidEndEditing(EditorCell cell) override { ended.append(cell); }
    SlipPtr editorTextOwner() const override { return owner; }
    void editorWillUndoTyping(const SlipPtr& o) override { undoOwners.append(o); }
    void editorTextChangedByUndo() override { ++textUndos; }
};

class EditorModelTest : public ::testing::Test {
protected:
    UndoManager undo;
    EditorModel editor{undo};
    RecordingDelegate delegate;
    void SetUp() override { editor.setDelegate(&delegate); }
};

}  // namespace

TEST_F(EditorModelTest, SelectionBeyondTheTextBecomesEmptyAtZero) {
    editor.setSlipText(RichText("hello"));
    editor.setSelectedRangesOfSlipText({{1, 3}, {4, 2}});
    EXPECT_EQ(editor.selectedRanges(), (QList<TextRange>{{1, 3}, {0, 0}}));
    editor.setSelectedRangesOfSlipText({});
    EXPECT_EQ(editor.selectedRanges(), (QList<TextRange>{{1, 3}, {0, 0}}));
    editor.setSlipText(std::nullopt);
    EXPECT_TRUE(editor.text().isEmpty());
}

TEST_F(EditorModelTest, KeywordsFieldRoundTripsAndAbsentListEmptiesIt) {
    editor.setKeywords(KeywordsArray({"a", "b c", ""}));
    EXPECT_EQ(editor.keywordsString(), "a, b c, ");
    EXPECT_EQ(editor.keywords(), KeywordsArray({"a", "b c", ""}));
    editor.setKeywords(std::nullopt);
    EXPECT_EQ(editor.keywordsString(), "");
    // An empty field splits into one empty keyword.
    EXPECT_EQ(editor.keywords(), KeywordsArray(QStringList{""}));
}

TEST_F(EditorModelTest, TypingBeginsAnEditAndFocusElsewhereEndsIt) {
    EXPECT_EQ(editor.changedCell(), EditorCell::None);
    editor.typeInField(EditorCell::Source, "x");
    editor.typeInField(EditorCell::Source, "xy");
    EXPECT_EQ(delegate.begun, QList<EditorCell>{EditorCell::Source});
    EXPECT_EQ(editor.changedCell(), EditorCell::Source);
    editor.focus(EditorCell::Keywords);
    EXPECT_EQ(delegate.ended, QList<EditorCell>{EditorCell::Source});
    EXPECT_EQ(editor.changedCell(), EditorCell::None);
    EXPECT_EQ(editor.source(), "xy");
    EXPECT_FALSE(editor.endEditing());

    editor.setEditable(false);
    editor.typeInField(EditorCell::Type, "Quote");
    editor.replaceText({0, 0}, "t");
    EXPECT_EQ(editor.slipType(), "");
    EXPECT_TRUE(editor.text().isEmpty());
}

TEST_F(EditorModelTest, TextSystemUndoRestoresTextAndSelectionForItsOwner) {
    editor.setSlipText(RichText("abc"));
    editor.setSelectedRangesOfSlipText({{1, 1}});
    {
        UndoManager::EventScope event(undo);
        editor.replaceText({1, 1}, "XY");
    }
    EXPECT_EQ(editor.text().string(), "aXYc");
    EXPECT_EQ(editor.selectedRanges(), (QList<TextRange>{{3, 0}}));
    EXPECT_EQ(editor.changedCell(), EditorCell::Text);
    EXPECT_EQ(undo.undoActionName(), "Typing");
    undo.undo();
    EXPECT_EQ(editor.text().string(), "abc");
    EXPECT_EQ(editor.selectedRanges(), (QList<TextRange>{{1, 1}}));
    EXPECT_EQ(delegate.undoOwners, QList<SlipPtr>{delegate.owner});
    EXPECT_EQ(delegate.textUndos, 1);
    undo.redo();
    EXPECT_EQ(editor.text().string(), "aXYc");
}

TEST_F(EditorModelTest, TypingIntoEmptyTextTakesTheTypingAttributes) {
    Attributes font;
    font.set(attr::Font, FontAttribute{"Georgia", "Georgia", 15});
    editor.setTypingAttributes(font);
    editor.replaceText({0, 0}, "a");
    EXPECT_EQ(editor.text().attributesAt(0), font);
    editor.replaceText({1, 0}, "b");  // later typing continues the run before it
    EXPECT_EQ(editor.text().runs().size(), 1u);
}

TEST_F(EditorModelTest, ConsecutiveTypingIsOneStepUntilTheEditEnds) {
    editor.setSlipText(RichText("x"));
    for (const char* letter : {"a", "b", "c"}) {
        UndoManager::EventScope keystroke(undo);
        editor.replaceText({editor.text().length(), 0}, letter);
    }
    EXPECT_EQ(undo.undoCount(), 1u);
    editor.endEditing();
    {
        UndoManager::EventScope keystroke(undo);
        editor.replaceText({0, 0}, "!");
    }
    EXPECT_EQ(undo.undoCount(), 2u);
    undo.undo();
    EXPECT_EQ(editor.text().string(), "xabc");
    undo.undo();
    EXPECT_EQ(editor.text().string(), "x");
}
