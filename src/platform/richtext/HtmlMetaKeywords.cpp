#include "platform/richtext/HtmlMetaKeywords.h"

#include <array>
#include <utility>

namespace fendle {

namespace {

bool isSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

qsizetype skipSpaces(QStringView html, qsizetype at) {
    while (at < html.size() && isSpace(html[at])) ++at;
    return at;
}

// The name and content attributes of one tag; end is just past its ">".
struct MetaTag {
    QStringView name;
    QStringView content;
    qsizetype end = 0;
};

// Reads the attributes after "<meta". Every step moves forward, so a tag
// without its ">" or with an open quote ends at the end of the page.
MetaTag readMetaTag(QStringView html, qsizetype at) {
    MetaTag tag;
    const qsizetype size = html.size();
    while (at < size) {
        at = skipSpaces(html, at);
        if (at >= size) break;
        if (html[at] == u'>') {
            ++at;
            break;
        }
        const qsizetype nameStart = at;
        while (at < size && !isSpace(html[at]) && html[at] != u'=' && html[at] != u'>') ++at;
        if (at == nameStart) {
            ++at;  // a stray "=" before any name
            continue;
        }
        const QStringView attribute = html.sliced(nameStart, at - nameStart);
        QStringView value;
        at = skipSpaces(html, at);
        if (at < size && html[at] == u'=') {
            at = skipSpaces(html, at + 1);
            if (at < size && (html[at] == u'"' || html[at] == u'\'')) {
                const QChar quote = html[at];
                const qsizetype close = html.indexOf(quote, at + 1);
                const qsizetype end = close < 0 ? size : close;
                value = html.sliced(at + 1, end - at - 1);
                at = close < 0 ? size : close + 1;
            } else {
                const qsizetype valueStart = at;
                while (at < size && !isSpace(html[at]) && html[at] != u'>') ++at;
                value = html.sliced(valueStart, at - valueStart);
            }
        }
        if (attribute.compare(u"name", Qt::CaseInsensitive) == 0) tag.name = value;
        if (attribute.compare(u"content", Qt::CaseInsensitive) == 0) tag.content = value;
    }
    tag.end = at;
    return tag;
}

qsizetype tagNameEnd(QStringView html, qsizetype at) {
    while (at < html.size() && (html[at].isLetterOrNumber() || html[at] == u'!' || html[at] == u'-')) ++at;
    return at;
}

// Where scanning goes on after a comment or the raw text of a script or
// style element; the page's end when it is never closed.
qsizetype skipRawText(QStringView html, qsizetype from, QStringView closing) {
    const qsizetype found = html.indexOf(closing, from, Qt::CaseInsensitive);
    return found < 0 ? html.size() : found + closing.size();
}

std::optional<char32_t> numericReference(QStringView digits, int base) {
    if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, base);
    if (!ok) return std::nullopt;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return U'\uFFFD';
    return char32_t(value);
}

}  // namespace

QString HtmlMetaKeywords::decodeEntities(QStringView text) {
    static const std::array<std::pair<QStringView, QChar>, 5> named{{
        {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}}};
    QString result;
    result.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype amp = text.indexOf(u'&', at);
        const qsizetype semicolon = amp < 0 ? -1 : text.indexOf(u';', amp + 1);
        // References are short; a far semicolon belongs to something else.
        if (amp < 0 || semicolon < 0 || semicolon - amp > 12) {
            result += text.sliced(at, (amp < 0 ? text.size() : amp + 1) - at);
            at = amp < 0 ? text.size() : amp + 1;
            continue;
        }
        result += text.sliced(at, amp - at);
        const QStringView body = text.sliced(amp + 1, semicolon - amp - 1);
        std::optional<char32_t> decoded;
        if (body.startsWith(u"#x", Qt::CaseInsensitive))
            decoded = numericReference(body.sliced(2), 16);
        else if (body.startsWith(u'#'))
            decoded = numericReference(body.sliced(1), 10);
        for (const auto& [entity, character] : named)
            if (body == entity) decoded = character.unicode();
        if (decoded) {
            result += QString::fromUcs4(&*decoded, 1);
            at = semicolon + 1;
        } else {
            result += u'&';
            at = amp + 1;
        }
    }
    return result;
}

std::optional<QStringList> HtmlMetaKeywords::scan(QStringView html) {
    html = html.first(std::min(html.size(), MaxScannedCharacters));
    QStringList entries;
    qsizetype at = 0;
    while (entries.size() < MaxEntries) {
        const qsizetype open = html.indexOf(u'<', at);
        if (open < 0) break;
        if (html.sliced(open).startsWith(u"<!--")) {
            at = skipRawText(html, open + 4, u"-->");
            continue;
        }
        const qsizetype nameEnd = tagNameEnd(html, open + 1);
        const QStringView tagName = html.sliced(open + 1, nameEnd - open - 1);
        if (tagName.compare(u"script", Qt::CaseInsensitive) == 0) {
            at = skipRawText(html, nameEnd, u"</script");
        } else if (tagName.compare(u"style", Qt::CaseInsensitive) == 0) {
            at = skipRawText(html, nameEnd, u"</style");
        } else if (tagName.compare(u"meta", Qt::CaseInsensitive) == 0) {
            const MetaTag tag = readMetaTag(html, nameEnd);
            at = tag.end;
            if (tag.name.trimmed().compare(u"keywords", Qt::CaseInsensitive) != 0) continue;
            const QString entry = decodeEntities(tag.content.first(std::min(tag.content.size(), MaxEntryLength))).trimmed();
            if (!entry.isEmpty()) entries.append(entry);
        } else {
            at = open + 1;
        }
    }
    if (entries.isEmpty()) return std::nullopt;
    return entries;
}

}  // namespace fendle
