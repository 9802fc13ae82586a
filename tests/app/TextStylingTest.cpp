#include "app/editing/TextStyling.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

const ColorAttribute highlightColour = ColorAttribute::cmyk(0, 0.2, 1, 0);

class TextStylingTest : public ::testing::Test {
protected:
    QTextEdit text;
    void SetUp() override { text.setPlainText(QStringLiteral("alpha  beta")); }
    void placeCursor(int position) {
        QTextCursor cursor = text.textCursor();
        cursor.setPosition(position);
        text.setTextCursor(cursor);
    }
    bool boldAt(int position) {
        QTextCursor cursor(text.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().fontWeight() >= QFont::Bold;
    }
};

}  // namespace

TEST_F(TextStylingTest, BoldInsideAWordTakesTheWordAndTogglesBack) {
    placeCursor(2);
    TextStyling::apply(text, TextStyling::Command::Bold, highlightColour);
    EXPECT_EQ(text.textCursor().selectedText(), "alpha");
    EXPECT_TRUE(boldAt(0));
    EXPECT_TRUE(boldAt(4));
    EXPECT_FALSE(boldAt(7));
    TextStyling::apply(text, TextStyling::Command::Bold, highlightColour);
    EXPECT_FALSE(boldAt(0));
    EXPECT_FALSE(boldAt(4));
}

TEST_F(TextStylingTest, AtTheStartOrBetweenSpacesOnlyTheTypingStyleChanges) {
    for (int position : {0, 6}) {
        placeCursor(position);
        TextStyling::apply(text, TextStyling::Command::Italic, highlightColour);
        EXPECT_FALSE(text.textCursor().hasSelection()) << position;
        EXPECT_TRUE(text.currentCharFormat().fontItalic()) << position;
        EXPECT_TRUE(TextStyling::segmentsFor(text, highlightColour).italic) << position;
        for (int at = 0; at < 11; ++at) {
            QTextCursor cursor(text.document());
            cursor.setPosition(at + 1);
            EXPECT_FALSE(cursor.charFormat().fontItalic()) << position << " " << at;
        }
        TextStyling::apply(text, TextStyling::Command::Italic, highlightColour);
    }
}

TEST_F(TextStylingTest, TypingInTheHighlightColourShowsTheSegmentSelected) {
    placeCursor(11);
    EXPECT_FALSE(TextStyling::segmentsFor(text, highlightColour).highlight);
    TextStyling::apply(text, TextStyling::Command::Highlight, highlightColour);
    EXPECT_TRUE(TextStyling::segmentsFor(text, highlightColour).highlight);
    // The same colour given in RGB is the same highlight.
    EXPECT_TRUE(TextStyling::segmentsFor(text, ColorAttribute::rgb(1, 0.8, 0)).highlight);
    TextStyling::apply(text, TextStyling::Command::Highlight, highlightColour);
    EXPECT_FALSE(TextStyling::segmentsFor(text, highlightColour).highlight);
    EXPECT_EQ(text.currentCharFormat().background().style(), Qt::NoBrush);
}

TEST(TextStylingCommandTest, OnlyTheFourTitlesAndSegmentsAreCommands) {
    EXPECT_EQ(TextStyling::commandForTitle("Underline"), TextStyling::Command::Underline);
    EXPECT_EQ(TextStyling::commandForTitle("Strike"), std::nullopt);
    EXPECT_EQ(TextStyling::commandForSegment(3), TextStyling::Command::Highlight);
    EXPECT_EQ(TextStyling::commandForSegment(4), std::nullopt);
    EXPECT_EQ(TextStyling::commandForSegment(-1), std::nullopt);
}
