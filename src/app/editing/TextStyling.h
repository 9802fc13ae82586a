#pragma once
#include "platform/richtext/TextAttributes.h"

#include <QString>
#include <optional>

class QTextCharFormat;
class QTextEdit;

namespace fendle {

// The styling command shared by the "Bold", "Italic", "Underline" and
// "Highlight" menu items and the style control, on a rich text editor.
class TextStyling {
public:
    enum class Command { Bold, Italic, Underline, Highlight };
    struct Segments {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool highlight = false;
    };

    static std::optional<Command> commandForTitle(const QString& title);
    static std::optional<Command> commandForSegment(int tag);
    // Toggles the style of the selection, of the word around the cursor, or
    // of what is typed next. The highlight is a background in the highlight
    // colour, as the slip text's own highlight gives it.
    static void apply(QTextEdit& text, Command command, const ColorAttribute& highlightColour);
    // Which style segments show selected for the editor's typing style.
    static Segments segmentsFor(const QTextEdit& text, const ColorAttribute& highlightColour);
    // Whether a character's format shows the highlight colour, in any colour space.
    static bool isHighlighted(const QTextCharFormat& format, const ColorAttribute& highlightColour);

private:
    static void highlight(QTextEdit& text, const ColorAttribute& highlightColour);
};

}  // namespace fendle
