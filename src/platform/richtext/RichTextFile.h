#pragma once
#include "platform/richtext/RichText.h"
#include "platform/system/Result.h"
#include "platform/richtext/RichText.h"

#include <QString>

namespace fendle {

// Rich text in files: RTF, RTFD packages and plain text.
class RichTextFile {
public:
    static constexpr qsizetype MaximumPlainTextSize = qsizetype(64) * 1024 * 1024;

    // An RTFD folder (or its TXT.rtf), an RTF file (recognised by its
    // content), or plain text: UTF-16 with a byte order mark, else UTF-8,
    // else Windows Latin 1.
    static Result<RichText> read(const QString& path);

    // Atomic: the previous file stays until the new one is complete.
    static Status writeRtf(const RichText& text, const QString& path);
    // Writes nothing when a character cannot be encoded, and says which.
    static Status writePlainText(const RichText& text, const QString& path, int encoding);

    // The plain characters in an encoding, or an error naming the first
    // character it cannot represent.
    static Status encodePlainText(const QString& text, int encoding, QByteArray* bytes);
};

}  // namespace fendle
