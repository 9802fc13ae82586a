#include "platform/text/StringValues.h"

#include <algorithm>
#include <limits>

namespace fendle {

qint32 intValueOfString(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r')) ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 cap = qint64(std::numeric_limits<qint32>::max()) + 1;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > cap) value = cap;
    }
    if (negative) return static_cast<qint32>(std::max(-value, qint64(std::numeric_limits<qint32>::min())));
    return static_cast<qint32>(std::min(value, qint64(std::numeric_limits<qint32>::max())));
}

QString trimSpacesAndTabs(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (start < end && blank(text[start])) ++start;
    while (end > start && blank(text[end - 1])) --end;
    return text.mid(start, end - start);
}

}  // namespace fendle
