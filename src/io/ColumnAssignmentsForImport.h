#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace fendle {

// One imported column: which column of the file (from 1), the slip field it
// goes to, and its order within that field as the user typed it.
struct ColumnAssignment {
    int column = 1;
    QString field;
    QString order;
    friend bool operator==(const ColumnAssignment&, const ColumnAssignment&) = default;
};

// What the column dialog shows and keeps between imports: a field and an
// order text for each of the twelve columns, and the file's encoding.
class ColumnAssignmentsForImport {
public:
    static constexpr int ColumnCount = 12;
    static inline const QString NotImported = QStringLiteral("---");
    static inline const QString SlipText = QStringLiteral("Slip Text");
    static inline const QString Keywords = QStringLiteral("Keywords");
    static inline const QString Source = QStringLiteral("Source");
    static inline const QString Type = QStringLiteral("Type");
    static inline const QString Title = QStringLiteral("Assign Columns for File Import");

    // The choices of each column, in the order the dialog lists them.
    static const QStringList& fieldTitles();
    // The encodings offered, by title and number, in the dialog's order.
    static const QStringList& encodingTitles();
    static const QList<int>& encodings();

    ColumnAssignmentsForImport();

    const QString& importFilename() const { return importFilename_; }
    void setFilename(const QString& path) { importFilename_ = path; }

    // Columns count from 1; a title that is not a field leaves the column out.
    const QString& field(int column) const;
    void setField(int column, const QString& title);
    const QString& order(int column) const;
    void setOrder(int column, const QString& text);

    int encodingIndex() const { return encodingIndex_; }
    void setEncodingIndex(int index) { encodingIndex_ = index; }
    // The selected encoding's number; MacOS Roman for any other selection.
    int encoding() const;

    // One assignment per imported column, in column order.
    QList<ColumnAssignment> columnAssignmentsForImport() const;

private:
    struct Column {
        QString field = NotImported;
        QString order;
    };
    std::array<Column, ColumnCount> columns_;
    int encodingIndex_;
    QString importFilename_;

    static bool isColumn(int column) { return column >= 1 && column <= ColumnCount; }
};

}  // namespace fendle
