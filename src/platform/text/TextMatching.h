#pragma once
#include <QString>
#include <optional>

namespace fendle {

// Case-insensitive text tests with ICU full case folding; diacritics count.
QString foldCase(const QString& text);
// Case folded and without diacritics (decomposed, combining marks dropped):
// "Éclair" and "eclair" fold alike, as desktop searches compare words.
QString foldCaseAndDiacritics(const QString& text);
bool hasPrefixIgnoringCase(const QString& text, const QString& prefix);
bool hasSuffixIgnoringCase(const QString& text, const QString& suffix);
bool containsIgnoringCase(const QString& text, const QString& part);

// Wildcard match of the whole text: '*' any run, '?' one character, '\' quotes
// the next character.
bool likeMatches(const QString& text, const QString& pattern, bool caseInsensitive);

// ICU regular expression that must match the whole text.
class RegexMatcher {
public:
    // nullopt with a message in error when the pattern does not compile.
    static std::optional<RegexMatcher> compile(const QString& pattern, bool caseInsensitive,
                                               QString* error = nullptr);
    bool matchesWhole(const QString& text) const;

    RegexMatcher(RegexMatcher&&) noexcept;
    RegexMatcher& operator=(RegexMatcher&&) noexcept;
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;
    ~RegexMatcher();

private:
    explicit RegexMatcher(void* compiled) : compiled_(compiled) {}
    void* compiled_ = nullptr;  // URegularExpression
};

}  // namespace fendle
