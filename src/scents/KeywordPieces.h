#pragma once
#include <QStringView>

namespace fendle {

// Calls piece(view) for every piece of a keywords string: split at every
// ",", spaces and tabs trimmed at both ends, empty pieces included (the empty
// string is one empty piece). The same split as splitCommaDelimitedString,
// without making a string per piece.
template <typename Piece>
void forEachKeywordPiece(QStringView text, Piece piece) {
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype start = 0;
    while (true) {
        qsizetype end = text.indexOf(u',', start);
        const qsizetype next = end < 0 ? -1 : end + 1;
        if (end < 0) end = text.size();
        qsizetype from = start, to = end;
        while (from < to && blank(text[from])) ++from;
        while (to > from && blank(text[to - 1])) --to;
        piece(text.mid(from, to - from));
        if (next < 0) return;
        start = next;
    }
}

}  // namespace fendle
