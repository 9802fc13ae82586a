// Feeds arbitrary page text to the keywords scanner: it may not crash or
// hang, and what it answers stays within its caps.
#include "platform/richtext/HtmlMetaKeywords.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fendle;
    const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QStringList> keywords = HtmlMetaKeywords::scan(page);
    if (!keywords) return 0;
    if (keywords->isEmpty() || keywords->size() > HtmlMetaKeywords::MaxEntries) std::abort();
    for (const QString& entry : *keywords)
        if (entry.isEmpty() || entry.size() > HtmlMetaKeywords::MaxEntryLength) std::abort();
    return 0;
}
