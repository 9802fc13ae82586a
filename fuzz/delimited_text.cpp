// Feeds arbitrary text to the delimited-text import with a fixed column
// mapping: it may not crash or hang, rows never hand on more fields than
// asked for, and every slip made is numbered on from the box's last number.
#include "io/DelimitedImport.h"
#include "io/DelimitedTextParser.h"

#include <cstdint>
#include <cstdlib>

namespace {
// Larger inputs teach the parser nothing new and only slow the run.
constexpr std::size_t MaxInput = std::size_t(1) << 20;
constexpr quint32 LastNumber = 40;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fendle;
    if (size == 0 || size > MaxInput) return 0;
    // The first byte picks the separator, the rest is the file's text.
    const QChar separator = data[0] & 1 ? QChar(u'\t') : QChar(u',');
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    const DelimitedTextParser parser(separator, 3);
    parser.parse(text, [](const QStringList& fields) {
        if (fields.size() > 3) std::abort();
        return true;
    });

    DelimitedImport import({{2, ColumnAssignmentsForImport::SlipText, "2"},
                            {1, ColumnAssignmentsForImport::SlipText, "1"},
                            {3, ColumnAssignmentsForImport::Keywords, ""}},
                           LastNumber);
    import.parseText(text, separator);
    quint32 expected = LastNumber;
    for (const SlipPtr& slip : import.slips())
        if (slip->slipID() != ++expected) std::abort();
    return 0;
}
