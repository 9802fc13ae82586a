#include "platform/text/IcuConverter.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <algorithm>

namespace fendle {

void IcuConverter::Closer::operator()(UConverter* converter) const { ucnv_close(converter); }

std::optional<IcuConverter> IcuConverter::open(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name, &status);
    if (U_FAILURE(status) || !converter) return std::nullopt;
    return IcuConverter(converter);
}

std::optional<QString> IcuConverter::toUnicode(QByteArrayView bytes, bool strict) const {
    UConverter* cnv = converter_.get();
    ucnv_reset(cnv);
    UErrorCode status = U_ZERO_ERROR;
    if (strict)
        ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    else
        ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) return std::nullopt;
    // A byte never yields more than two UTF-16 units in the encodings used here.
    QString result(bytes.size() * 2 + 2, Qt::Uninitialized);
    UChar* target = reinterpret_cast<UChar*>(result.data());
    UChar* const targetStart = target;
    const char* source = bytes.data();
    ucnv_toUnicode(cnv, &target, targetStart + result.size(), &source, bytes.data() + bytes.size(), nullptr, true,
                   &status);
    if (U_FAILURE(status)) return std::nullopt;
    result.truncate(target - targetStart);
    return result;
}

QByteArray IcuConverter::fromUnicode(const QString& text, QList<qsizetype>* unencodable) const {
    UConverter* cnv = converter_.get();
    ucnv_reset(cnv);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(cnv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    const UChar* const start = reinterpret_cast<const UChar*>(text.constData());
    const UChar* source = start;
    const UChar* const sourceLimit = start + text.size();
    QByteArray out;
    qsizetype used = 0;
    out.resize(std::max<qsizetype>(16, text.size() * 4 + 16));
    static const UChar question[] = {u'?'};
    const UChar* pendingSource = nullptr;  // the "?" standing in for a character
    while (true) {
        status = U_ZERO_ERROR;
        char* target = out.data() + used;
        const UChar** from = pendingSource ? &pendingSource : &source;
        const UChar* limit = pendingSource ? question + 1 : sourceLimit;
        ucnv_fromUnicode(cnv, &target, out.data() + out.size(), from, limit, nullptr, true, &status);
        used = target - out.data();
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2);
            continue;
        }
        if (pendingSource) {
            pendingSource = nullptr;
            continue;
        }
        if (status == U_INVALID_CHAR_FOUND || status == U_ILLEGAL_CHAR_FOUND) {
            UChar bad[8];
            int8_t badLength = 8;
            UErrorCode ignored = U_ZERO_ERROR;
            ucnv_getInvalidUChars(cnv, bad, &badLength, &ignored);
            if (unencodable) unencodable->append((source - start) - badLength);
            pendingSource = question;
            continue;
        }
        break;
    }
    out.truncate(used);
    return out;
}

}  // namespace fendle
