#pragma once
#include "platform/richtext/RichText.h"

#include <QString>
#include <optional>

namespace fendle {

class Pasteboard;

// Rich text on a pasteboard, in two forms: our own archive (everything,
// pictures included, for other slips and boxes) and RTF (for other
// programs). The plain-text form is the caller's, who knows its text.
class RichTextPasteboard {
public:
    // Our own form; the program maps it to a MIME type of its own.
    static inline const QString RichTextType = QStringLiteral("application/x-fendle-richtext");

    // Adds both forms to what the pasteboard holds; false when one of them
    // could not be put there.
    static bool write(Pasteboard& pasteboard, const RichText& text);
    // Our own form first, then RTF; none when neither is there or readable.
    static std::optional<RichText> read(const Pasteboard& pasteboard);
};

}  // namespace fendle
