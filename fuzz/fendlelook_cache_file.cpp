// The FendleLook module's read path: a cache file's bytes to the preview's
// RTF and the thumbnail's text.
#include "fendlelook/CacheFile.h"
#include "fendlelook/PreviewDocument.h"
#include "fendlelook/ThumbnailText.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

using namespace fendle::look;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The preview names the desktop's font, which needs an application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CacheFile file = CacheFile::fromBytes(bytes).value_or(CacheFile{});
    const QByteArray rtf = PreviewDocument::rtf(file);
    const ThumbnailText text = ThumbnailText::from(file);
    // The preview always has its headings; the thumbnail's text stays cut.
    if (!rtf.contains("KEYWORDS") || text.body.size() > ThumbnailText::MaximumTextLength + 1) __builtin_trap();
    return 0;
}
