#include "fendlelook/ThumbnailText.h"

namespace fendle::look {

QString ThumbnailText::cut(const QString& text, qsizetype limit) {
    if (text.size() <= limit) return text;
    qsizetype kept = limit - 1;
    if (kept > 0 && text.at(kept - 1).isHighSurrogate()) --kept;
    return QStringLiteral("%1 \u2026").arg(text.left(kept));
}

ThumbnailText ThumbnailText::from(const CacheFile& file) {
    const auto field = [](const std::optional<QString>& value) {
        return cut(CacheFile::printed(value), MaximumFieldLength);
    };
    ThumbnailText text;
    text.header = QStringLiteral("File: %1\nSlip: %2\nSource: %3\n\n")
                      .arg(field(file.boxName()), field(file.slipID), field(file.source));
    text.body = cut(CacheFile::printed(file.textContent), MaximumTextLength);
    return text;
}

}  // namespace fendle::look
