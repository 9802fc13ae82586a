// Feeds arbitrary bytes to the slip text's paste, as the archived rich text
// and as RTF that another program put on the clipboard.
#include "document/SlipTextDragAndDrop.h"
#include "platform/richtext/RichTextPasteboard.h"
#include "platform/system/Log.h"
#include "platform/ui/Pasteboard.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Log lines of refused forms would only slow the fuzzer down.
    static const bool quiet = (fendle::setLogSink([](const QString&) {}), true);
    (void)quiet;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList box{QStringLiteral("file:///home/me/A.fendle")};
    for (const QString& type : {fendle::RichTextPasteboard::RichTextType, fendle::Pasteboard::RtfType}) {
        fendle::InMemoryPasteboard pasteboard;
        pasteboard.setData(type, bytes);
        (void)fendle::sliptextdrag::readRichText(pasteboard, box);
    }
    return 0;
}
