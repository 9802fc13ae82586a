#pragma once
#include <QString>
#include <QUrl>
#include <optional>

namespace fendle {

// Where the look-up commands of the lists send their text. There are no
// dictionary or web-search services on this desktop, so they become addresses
// that the desktop hands to whatever handles them.
class LookUpAddresses {
public:
    static inline const QString WikipediaBase = QStringLiteral("https://en.wikipedia.org");
    static inline const QString GoogleSearchBase = QStringLiteral("https://www.google.com/search?q=");

    // The encyclopedia search for the first ", "-part; none when no address can be made.
    static std::optional<QUrl> wikipediaSearch(const QString& text);
    static std::optional<QUrl> googleSearch(const QString& text);
    // "dict:" addresses are what desktop dictionaries register for.
    static std::optional<QUrl> dictionaryLookUp(const QString& text);
    // The desktop-search query: the text as quoted terms.
    static QString desktopSearchQuery(const QString& text);
};

}  // namespace fendle
