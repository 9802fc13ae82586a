#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace fendle {

// The keywords a web page declares in <meta name="keywords" content="...">.
// Pages come from anywhere, so this is a single forward scan, not a parser:
// it looks at no more than MaxScannedCharacters, keeps at most MaxEntries
// entries, each cut to MaxEntryLength characters.
class HtmlMetaKeywords {
public:
    static constexpr qsizetype MaxScannedCharacters = qsizetype(1) << 20;
    static constexpr qsizetype MaxEntries = 32;
    static constexpr qsizetype MaxEntryLength = 4096;

    // Every non-empty keywords entry, in page order, entities decoded and
    // trimmed; none when the page declares no keywords.
    static std::optional<QStringList> scan(QStringView html);

    // "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and numeric references;
    // other ampersands stay as they are.
    static QString decodeEntities(QStringView text);
};

}  // namespace fendle
