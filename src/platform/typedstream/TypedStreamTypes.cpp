#include "platform/typedstream/TypedStreamTypes.h"

namespace fendle {

namespace {
constexpr size_t MaxItems = 1 << 16;
constexpr int MaxDepth = 16;

bool parse(const QByteArray& t, qsizetype& at, std::vector<TypeItem>& out, int depth, char until);

bool parseOne(const QByteArray& t, qsizetype& at, std::vector<TypeItem>& out, int depth) {
    if (depth > MaxDepth || at >= t.size() || out.size() > MaxItems) return false;
    const char c = t[at++];
    switch (c) {
    case 'c': case 'C': case 'B': case 's': case 'S': case 'i': case 'I': case 'l': case 'L':
    case 'q': case 'Q': case 'f': case 'd': case '@': case '#': case '*': case '+': case '%': case ':':
        out.push_back({c, 0});
        return true;
    case '!': return true;  // an ignored int: no bytes
    case '[': {
        qint64 n = 0;
        while (at < t.size() && t[at] >= '0' && t[at] <= '9') {
            n = n * 10 + (t[at++] - '0');
            if (n > (1 << 30)) return false;
        }
        if (at >= t.size()) return false;
        if ((t[at] == 'c' || t[at] == 'C') && at + 1 < t.size() && t[at + 1] == ']') {
            at += 2;
            out.push_back({'[', n});
            return true;
        }
        std::vector<TypeItem> element;
        if (!parseOne(t, at, element, depth + 1) || at >= t.size() || t[at++] != ']') return false;
        if (static_cast<size_t>(n) * element.size() > MaxItems) return false;
        for (qint64 i = 0; i < n; ++i) out.insert(out.end(), element.begin(), element.end());
        return true;
    }
    case '{': {
        while (at < t.size() && t[at] != '=' && t[at] != '}') ++at;
        if (at < t.size() && t[at] == '=') ++at;
        return parse(t, at, out, depth + 1, '}') && at < t.size() && t[at++] == '}';
    }
    default: return false;
    }
}

bool parse(const QByteArray& t, qsizetype& at, std::vector<TypeItem>& out, int depth, char until) {
    while (at < t.size() && t[at] != until)
        if (!parseOne(t, at, out, depth)) return false;
    return true;
}
}  // namespace

Result<std::vector<TypeItem>> parseTypeString(const QByteArray& types) {
    std::vector<TypeItem> items;
    qsizetype at = 0;
    if (types.isEmpty() || !parse(types, at, items, 0, '\0') || at != types.size())
        return Result<std::vector<TypeItem>>::failure(
            QStringLiteral("damaged typed stream: unknown type string \"%1\"").arg(QString::fromLatin1(types)));
    return items;
}

}  // namespace fendle
