#include "io/DelimitedTextParser.h"

namespace fendle {

namespace {

constexpr QChar Quote = u'"';
constexpr QChar CarriageReturn = u'\r';
constexpr QChar LineFeed = u'\n';

bool isLineBreak(QChar ch) { return ch == CarriageReturn || ch == LineFeed; }

}  // namespace

DelimitedTextParser::DelimitedTextParser(QChar separator, qsizetype keptFields)
    : separator_(separator), keptFields_(keptFields) {}

qsizetype DelimitedTextParser::parse(QStringView text, const RowVisitor& visitRow) const {
    const qsizetype n = text.size();
    const qsizetype last = n - 1;
    QString field;
    QStringList row;
    qsizetype rows = 0;
    bool inQuotes = false;

    auto endField = [&] {
        if (row.size() < keptFields_) row.append(field);
        field.clear();
    };
    // Answers whether parsing goes on.
    auto endRow = [&] {
        endField();
        ++rows;
        const bool more = visitRow(row);
        row.clear();
        return more;
    };

    for (qsizetype i = 0; i < n; ++i) {
        QChar ch = text[i];
        const QChar next = i < last ? text[i + 1] : QChar(u' ');
        if (ch == Quote && next != Quote) {
            inQuotes = !inQuotes;
            // The quote itself is dropped, also when it ends the text.
            if (i == last) {
                endRow();
                return rows;
            }
            ch = text[++i];
        } else if (ch == Quote) {
            ++i;  // two quotes stand for one
        }

        if (!inQuotes && isLineBreak(ch)) {
            // The pair ends one row, not two.
            if (ch == CarriageReturn && i < last && text[i + 1] == LineFeed) ++i;
            if (!endRow()) return rows;
            continue;
        }
        if (!inQuotes && ch == separator_)
            endField();
        else
            field.append(ch);
        if (i == last && !endRow()) return rows;
    }
    return rows;
}

}  // namespace fendle
