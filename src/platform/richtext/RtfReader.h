#pragma once
#include "platform/system/Result.h"
#include "platform/richtext/RichText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <optional>

namespace fendle {

// Reads RTF as the other platform's text system writes it, and what other
// producers write, into RichText. Input is treated as hostile: nesting depth,
// table sizes and field instructions are capped; nothing in the bytes can
// make it fail other than not being RTF at all.
class RtfReader {
public:
    // Answers the contents of an attachment file named by a \NeXTGraphic
    // group (RTFD), or nullopt when there is none.
    using AttachmentLoader = std::function<std::optional<QByteArray>(const QString& fileName)>;

    static constexpr qsizetype MaximumInputSize = qsizetype(64) * 1024 * 1024;
    static constexpr int MaximumDepth = 200;

    // Without a loader, attachments become placeholders with empty contents.
    static Result<RichText> read(QByteArrayView rtf, const AttachmentLoader& loader = {});
    // True when the bytes begin (after white space) with "{\rtf".
    static bool looksLikeRtf(QByteArrayView bytes);
};

}  // namespace fendle
