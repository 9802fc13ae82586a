// Desktop search's reading of a cache file, and a query over what it read:
// whatever the bytes, a record keeps its keywords part inside its folded
// bytes and a search over it ends.
#include "search/desktop/CacheFileRecord.h"
#include "search/desktop/DesktopSearchQuery.h"
#include "platform/text/ByteSearch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace fendle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Result<CacheFileRecord> record = CacheFileRecord::fromBytes(bytes);
    if (!record) return 0;
    if (record->keywordsLength < 0 || record->keywordsLength > record->folded.size()) __builtin_trap();
    if (record->slip.boxPath.isEmpty() || record->slip.slipKey.isEmpty()) __builtin_trap();
    // The words of a plain title, read as a query, find the record.
    const QString& title = record->slip.title;
    const bool plain = std::all_of(title.begin(), title.end(),
                                   [](QChar c) { return c.isLetterOrNumber() || c.isMark() || c == u' '; });
    if (!plain) return 0;
    for (const QByteArray& term : DesktopSearchQuery::parse(title).foldedTerms())
        if (!ByteSearch(term).occursIn(record->folded)) __builtin_trap();
    return 0;
}
