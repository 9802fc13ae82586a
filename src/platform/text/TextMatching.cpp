#include "platform/text/TextMatching.h"

#include "platform/text/UnicodeForms.h"

#include <unicode/uchar.h>
#include <unicode/uregex.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <vector>

namespace fendle {
namespace {
const UChar* uchars(const QString& s) { return reinterpret_cast<const UChar*>(s.utf16()); }

std::vector<UChar32> foldedCodePoints(const QString& s, bool fold) {
    std::vector<UChar32> out;
    out.reserve(static_cast<std::size_t>(s.size()));
    const UChar* p = uchars(s);
    const int32_t n = static_cast<int32_t>(s.size());
    for (int32_t i = 0; i < n;) {
        UChar32 c;
        U16_NEXT(p, i, n, c);
        out.push_back(fold ? u_foldCase(c, U_FOLD_CASE_DEFAULT) : c);
    }
    return out;
}
}  // namespace

QString foldCase(const QString& text) {
    if (text.isEmpty()) return text;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = static_cast<int32_t>(text.size());
    // Full folding grows a string by at most three times.
    QString out(n * 3 + 1, Qt::Uninitialized);
    const int32_t written = u_strFoldCase(reinterpret_cast<UChar*>(out.data()), n * 3 + 1, uchars(text), n,
                                          U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status)) return text.toCaseFolded();
    out.truncate(written);
    return out;
}

QString foldCaseAndDiacritics(const QString& text) {
    // Most text is ASCII: lower-casing is all it needs.
    bool ascii = true;
    for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) return text.toLower();
    const QString decomposed = decomposedString(text);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (!(U_GET_GC_MASK(c.unicode()) & U_GC_MN_MASK)) bare.append(c);
    return foldCase(bare);
}

bool hasPrefixIgnoringCase(const QString& text, const QString& prefix) {
    if (prefix.isEmpty()) return false;
    return foldCase(text).startsWith(foldCase(prefix));
}

bool hasSuffixIgnoringCase(const QString& text, const QString& suffix) {
    if (suffix.isEmpty()) return false;
    return foldCase(text).endsWith(foldCase(suffix));
}

bool containsIgnoringCase(const QString& text, const QString& part) {
    if (part.isEmpty()) return false;
    return foldCase(text).contains(foldCase(part));
}

bool likeMatches(const QString& text, const QString& pattern, bool caseInsensitive) {
    const std::vector<UChar32> t = foldedCodePoints(text, caseInsensitive);
    const std::vector<UChar32> p = foldedCodePoints(pattern, caseInsensitive);
    // Greedy matching with one backtrack point: linear in practice, never exponential.
    std::size_t ti = 0, pi = 0;
    std::size_t starP = std::string::npos, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starT = ti;
            continue;
        }
        if (pi < p.size()) {
            UChar32 expected = p[pi];
            bool literal = false;
            if (expected == '\\' && pi + 1 < p.size()) {
                expected = p[pi + 1];
                literal = true;
            }
            if ((!literal && expected == '?') || expected == t[ti]) {
                pi += literal ? 2 : 1;
                ++ti;
                continue;
            }
        }
        if (starP == std::string::npos) return false;
        pi = starP + 1;
        ti = ++starT;
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

std::optional<RegexMatcher> RegexMatcher::compile(const QString& pattern, bool caseInsensitive, QString* error) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    URegularExpression* re = uregex_open(uchars(pattern), static_cast<int32_t>(pattern.size()),
                                         caseInsensitive ? UREGEX_CASE_INSENSITIVE : 0, &parseError, &status);
    if (U_FAILURE(status)) {
        if (re) uregex_close(re);
        if (error)
            *error = QStringLiteral("Can't do regex matching on pattern '%1': %2")
                         .arg(pattern, QString::fromLatin1(u_errorName(status)));
        return std::nullopt;
    }
    return RegexMatcher(re);
}

bool RegexMatcher::matchesWhole(const QString& text) const {
    auto* re = static_cast<URegularExpression*>(compiled_);
    UErrorCode status = U_ZERO_ERROR;
    uregex_setText(re, uchars(text), static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) return false;
    // Bound pathological patterns instead of hanging.
    uregex_setTimeLimit(re, 100000, &status);
    const UBool matched = uregex_matches(re, 0, &status);
    const bool ok = U_SUCCESS(status) && matched;
    // Drop the reference to the caller's buffer.
    status = U_ZERO_ERROR;
    uregex_setText(re, u"", 0, &status);
    return ok;
}

RegexMatcher::RegexMatcher(RegexMatcher&& other) noexcept : compiled_(other.compiled_) { other.compiled_ = nullptr; }

RegexMatcher& RegexMatcher::operator=(RegexMatcher&& other) noexcept {
    std::swap(compiled_, other.compiled_);
    return *this;
}

RegexMatcher::~RegexMatcher() {
    if (compiled_) uregex_close(static_cast<URegularExpression*>(compiled_));
}

}  // namespace fendle
