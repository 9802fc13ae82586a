#include "appcore/LookUpAddresses.h"

#include <gtest/gtest.h>

namespace fendle {
namespace {

TEST(LookUpAddresses, WikipediaSearchesTheFirstKeywordPercentEscaped) {
    const auto url = LookUpAddresses::wikipediaSearch(QStringLiteral("Zürich & Bern, Genf"));
    ASSERT_TRUE(url);
    EXPECT_EQ(url->toString(QUrl::FullyEncoded),
              QStringLiteral("https://en.wikipedia.org/wiki/?search=Z%C3%BCrich%20%26%20Bern"));
    EXPECT_EQ(url->query(QUrl::FullyDecoded), QStringLiteral("search=Zürich & Bern"));
}

TEST(LookUpAddresses, GoogleSearchesTheWholeTextAndTheDictionaryNeedsAWord) {
    const auto google = LookUpAddresses::googleSearch(QStringLiteral("a, b?"));
    ASSERT_TRUE(google);
    EXPECT_EQ(google->toString(QUrl::FullyEncoded), QStringLiteral("https://www.google.com/search?q=a%2C%20b%3F"));
    EXPECT_FALSE(LookUpAddresses::dictionaryLookUp(QStringLiteral("  ")));
    const auto dict = LookUpAddresses::dictionaryLookUp(QStringLiteral("word"));
    ASSERT_TRUE(dict);
    EXPECT_EQ(dict->scheme(), QStringLiteral("dict"));
    EXPECT_EQ(dict->path(), QStringLiteral("/word"));
}

TEST(LookUpAddresses, DesktopQueryQuotesEveryKeywordAndCollapsesDoubleSpaces) {
    EXPECT_EQ(LookUpAddresses::desktopSearchQuery(QStringLiteral("alpha, beta  gamma")),
              QStringLiteral("\"alpha\" \"beta gamma\""));
}

}  // namespace
}  // namespace fendle
