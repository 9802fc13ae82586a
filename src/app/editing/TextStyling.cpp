#include "app/editing/TextStyling.h"

#include "app/editing/TextFormatMapping.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace fendle {

namespace {

// The format of the character at a position (a cursor reports the one before it).
QTextCharFormat formatAt(const QTextEdit& text, int position) {
    QTextCursor cursor(text.document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QChar characterAt(const QTextEdit& text, int position) { return text.document()->characterAt(position); }

// Step 1 of the command: the format to judge by, after perhaps selecting
// the word the cursor stands in.
QTextCharFormat formatToJudge(QTextEdit& text) {
    QTextCursor cursor = text.textCursor();
    if (cursor.hasSelection()) return formatAt(text, cursor.selectionStart());
    const int location = cursor.position();
    const int length = text.document()->characterCount() - 1;
    if (location > 0 && location < length - 1 && characterAt(text, location - 1).isLetterOrNumber() &&
        characterAt(text, location).isLetterOrNumber()) {
        cursor.select(QTextCursor::WordUnderCursor);
        text.setTextCursor(cursor);
        if (cursor.hasSelection()) return formatAt(text, cursor.selectionStart());
    }
    return text.currentCharFormat();
}

}  // namespace

std::optional<TextStyling::Command> TextStyling::commandForTitle(const QString& title) {
    if (title == QLatin1String("Bold")) return Command::Bold;
    if (title == QLatin1String("Italic")) return Command::Italic;
    if (title == QLatin1String("Underline")) return Command::Underline;
    if (title == QLatin1String("Highlight")) return Command::Highlight;
    return std::nullopt;
}

std::optional<TextStyling::Command> TextStyling::commandForSegment(int tag) {
    if (tag < 0 || tag > 3) return std::nullopt;
    return Command(tag);
}

void TextStyling::apply(QTextEdit& text, Command command, const ColorAttribute& highlightColour) {
    if (command == Command::Highlight) {
        highlight(text, highlightColour);
        return;
    }
    const QTextCharFormat judged = formatToJudge(text);
    QTextCharFormat change;
    switch (command) {
    case Command::Bold: change.setFontWeight(judged.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold); break;
    case Command::Italic: change.setFontItalic(!judged.fontItalic()); break;
    case Command::Underline: change.setFontUnderline(!judged.fontUnderline()); break;
    case Command::Highlight: break;
    }
    // Applies to the selection, or to the typing style when nothing is selected.
    text.mergeCurrentCharFormat(change);
}

bool TextStyling::isHighlighted(const QTextCharFormat& format, const ColorAttribute& highlightColour) {
    const QBrush background = format.background();
    return background.style() != Qt::NoBrush &&
           TextFormatMapping::fromQColor(background.color()).isSameColor(highlightColour);
}

void TextStyling::highlight(QTextEdit& text, const ColorAttribute& highlightColour) {
    QTextCursor cursor = text.textCursor();
    if (!cursor.hasSelection()) {
        QTextCharFormat typing = text.currentCharFormat();
        if (isHighlighted(typing, highlightColour))
            typing.clearBackground();
        else
            typing.setBackground(TextFormatMapping::toQColor(highlightColour));
        text.setCurrentCharFormat(typing);
        return;
    }
    if (isHighlighted(formatAt(text, cursor.selectionStart()), highlightColour)) {
        // Removing the background, not painting it white.
        cursor.beginEditBlock();
        for (int at = cursor.selectionStart(); at < cursor.selectionEnd(); ++at) {
            QTextCursor one(text.document());
            one.setPosition(at);
            one.setPosition(at + 1, QTextCursor::KeepAnchor);
            QTextCharFormat existing = one.charFormat();
            existing.clearBackground();
            one.setCharFormat(existing);
        }
        cursor.endEditBlock();
        return;
    }
    QTextCharFormat change;
    change.setBackground(TextFormatMapping::toQColor(highlightColour));
    cursor.mergeCharFormat(change);
}

TextStyling::Segments TextStyling::segmentsFor(const QTextEdit& text, const ColorAttribute& highlightColour) {
    const QTextCharFormat typing = text.currentCharFormat();
    const QTextCursor cursor = text.textCursor();
    const QTextCharFormat coloured = cursor.hasSelection() ? formatAt(text, cursor.selectionStart()) : typing;
    return {typing.fontWeight() >= QFont::Bold, typing.fontItalic(), typing.fontUnderline(),
            isHighlighted(coloured, highlightColour)};
}

}  // namespace fendle
