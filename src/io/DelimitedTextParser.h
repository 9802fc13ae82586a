#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace fendle {

// Splits delimited text (comma- or tab-separated) into rows of fields.
// A double quote opens or closes a quoted stretch, in which separators and
// line breaks belong to the field; two double quotes stand for one. A
// carriage return, a line feed or the pair of both ends a row and belongs
// to no field; the text's last line break makes no empty row.
class DelimitedTextParser {
public:
    // Answers false to stop the parse after this row.
    using RowVisitor = std::function<bool(const QStringList& fields)>;

    // keptFields bounds how many fields of a row are handed on: the rest are
    // read past and dropped, so that a row of millions of separators costs
    // no more memory than its text.
    DelimitedTextParser(QChar separator, qsizetype keptFields);

    // Visits the rows in order; answers the number of rows visited.
    qsizetype parse(QStringView text, const RowVisitor& visitRow) const;

private:
    QChar separator_;
    qsizetype keptFields_;
};

}  // namespace fendle
