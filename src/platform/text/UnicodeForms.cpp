#include "platform/text/UnicodeForms.h"

#include <unicode/unorm2.h>
#include <unicode/ustring.h>

namespace fendle {

namespace {
const UChar* uchars(const QString& s) { return reinterpret_cast<const UChar*>(s.utf16()); }
UChar* uchars(QString& s) { return reinterpret_cast<UChar*>(s.data()); }

// Runs an ICU conversion that reports the size it needs when the first
// buffer is too small.
template <typename Convert>
QString converted(const QString& text, qsizetype guess, Convert convert) {
    QString out(guess, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    int32_t written = convert(uchars(out), static_cast<int32_t>(out.size()), status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(written);
        status = U_ZERO_ERROR;
        written = convert(uchars(out), static_cast<int32_t>(out.size()), status);
    }
    if (U_FAILURE(status)) return text;
    out.truncate(written);
    return out;
}
}  // namespace

QString decomposedString(const QString& text) {
    if (text.isEmpty()) return text;
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
    if (U_FAILURE(status)) return text.normalized(QString::NormalizationForm_D);
    const auto length = static_cast<int32_t>(text.size());
    return converted(text, text.size() * 2 + 8, [&](UChar* out, int32_t capacity, UErrorCode& error) {
        return unorm2_normalize(nfd, uchars(text), length, out, capacity, &error);
    });
}

QString lowercaseString(const QString& text) {
    if (text.isEmpty()) return text;
    const auto length = static_cast<int32_t>(text.size());
    return converted(text, text.size() + 8, [&](UChar* out, int32_t capacity, UErrorCode& error) {
        return u_strToLower(out, capacity, uchars(text), length, "", &error);
    });
}

}  // namespace fendle
