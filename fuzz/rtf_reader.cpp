// Feeds arbitrary bytes to the RTF reader, then writes what it read and reads
// that again: neither step may crash, hang or lose the text.
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fendle;
    QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Most inputs should reach the parser, not stop at the signature check.
    if (!RtfReader::looksLikeRtf(input)) input = QByteArray("{\\rtf1 ") + input;
    const Result<RichText> first = RtfReader::read(input, [](const QString& name) -> std::optional<QByteArray> {
        if (name.size() % 2) return std::nullopt;
        return name.toUtf8();
    });
    if (!first.ok()) return 0;
    const QByteArray rtf = RtfWriter::writeWithAttachments(*first, QStringList{QStringLiteral("a.png")});
    const Result<RichText> second = RtfReader::read(rtf);
    if (!second.ok()) std::abort();
    return 0;
}
