#include "platform/richtext/RichTextPasteboard.h"

#include "platform/richtext/RichTextArchive.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/system/Log.h"
#include "platform/ui/Pasteboard.h"

namespace fendle {

bool RichTextPasteboard::write(Pasteboard& pasteboard, const RichText& text) {
    bool ok = pasteboard.setData(RichTextType, RichTextArchive::archive(text));
    return pasteboard.setData(Pasteboard::RtfType, RtfWriter::write(text)) && ok;
}

std::optional<RichText> RichTextPasteboard::read(const Pasteboard& pasteboard) {
    if (const auto archived = pasteboard.data(RichTextType)) {
        Result<RichText> text = RichTextArchive::unarchive(*archived);
        if (text) return std::move(*text);
        logLine(QStringLiteral("RichTextPasteboard:read: %1").arg(text.error()));
    }
    if (const auto rtf = pasteboard.data(Pasteboard::RtfType)) {
        Result<RichText> text = RtfReader::read(*rtf);
        if (text) return std::move(*text);
        logLine(QStringLiteral("RichTextPasteboard:read: %1").arg(text.error()));
    }
    return std::nullopt;
}

}  // namespace fendle
