#include "io/ColumnAssignmentsForImport.h"

#include "platform/text/TextEncoding.h"

namespace fendle {

const QStringList& ColumnAssignmentsForImport::fieldTitles() {
    static const QStringList titles{NotImported, SlipText, Keywords, Source, Type};
    return titles;
}

const QList<int>& ColumnAssignmentsForImport::encodings() { return TextEncoding::supported(); }

const QStringList& ColumnAssignmentsForImport::encodingTitles() {
    static const QStringList titles = [] {
        QStringList list;
        for (int number : encodings()) list.append(TextEncoding::title(number));
        return list;
    }();
    return titles;
}

// Files written on Linux are UTF-8 far more often than anything else.
ColumnAssignmentsForImport::ColumnAssignmentsForImport()
    : encodingIndex_(static_cast<int>(encodings().indexOf(encoding::UTF8))) {}

const QString& ColumnAssignmentsForImport::field(int column) const {
    return isColumn(column) ? columns_[column - 1].field : NotImported;
}

void ColumnAssignmentsForImport::setField(int column, const QString& title) {
    if (isColumn(column)) columns_[column - 1].field = fieldTitles().contains(title) ? title : NotImported;
}

const QString& ColumnAssignmentsForImport::order(int column) const {
    static const QString none;
    return isColumn(column) ? columns_[column - 1].order : none;
}

void ColumnAssignmentsForImport::setOrder(int column, const QString& text) {
    if (isColumn(column)) columns_[column - 1].order = text;
}

int ColumnAssignmentsForImport::encoding() const {
    const QList<int>& numbers = encodings();
    return encodingIndex_ >= 0 && encodingIndex_ < numbers.size() ? numbers[encodingIndex_] : encoding::MacOSRoman;
}

QList<ColumnAssignment> ColumnAssignmentsForImport::columnAssignmentsForImport() const {
    QList<ColumnAssignment> assignments;
    for (int column = 1; column <= ColumnCount; ++column)
        if (field(column) != NotImported) assignments.append({column, field(column), order(column)});
    return assignments;
}

}  // namespace fendle
