#include "appcore/LookUpAddresses.h"

#include "search/SearchResultsText.h"

namespace fendle {

namespace {
std::optional<QUrl> strictUrl(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) return std::nullopt;
    return url;
}

QString escaped(const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); }
}  // namespace

std::optional<QUrl> LookUpAddresses::wikipediaSearch(const QString& text) {
    const QString term = text.section(QStringLiteral(", "), 0, 0);
    return strictUrl(WikipediaBase + QStringLiteral("/wiki/?search=") + escaped(term));
}

std::optional<QUrl> LookUpAddresses::googleSearch(const QString& text) {
    return strictUrl(GoogleSearchBase + escaped(text));
}

std::optional<QUrl> LookUpAddresses::dictionaryLookUp(const QString& text) {
    if (text.trimmed().isEmpty()) return std::nullopt;
    return strictUrl(QStringLiteral("dict:///") + escaped(text));
}

QString LookUpAddresses::desktopSearchQuery(const QString& text) { return desktopSearchQueryText({text}); }

}  // namespace fendle
