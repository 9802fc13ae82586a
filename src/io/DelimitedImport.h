#pragma once
#include "io/ColumnAssignmentsForImport.h"
#include "model/Slip.h"
#include "platform/ui/UiPort.h"

#include <QMap>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace fendle {

// Slips made from the rows of a delimited text file, one per row, numbered
// on from a box's last number. The slips are only made here; the caller
// files them. What stops an import is kept as the alert to show, and the
// slips of the rows before it stay.
class DelimitedImport {
public:
    static constexpr qint64 MaxFileSize = qint64(256) << 20;
    static constexpr qsizetype MaxSlips = 1000000;

    DelimitedImport(QList<ColumnAssignment> assignments, quint32 numberOfLastSlip);

    // Reads the file in the encoding (by its number) and parses it.
    void parseTextInputFile(const QString& path, QChar separator, int encoding);
    void parseText(QStringView text, QChar separator);
    // One row; false when the import stops here.
    bool makeSlipWithColumnContents(const QStringList& fields);
    // The contents in ascending numeric order of their order texts, joined
    // with nothing between them.
    static QString columnImportStringFromDictionary(const QMap<QString, QString>& dictionary);

    const QList<SlipPtr>& slips() const { return slips_; }
    // Why the import stopped early or read nothing; none when it went through.
    const std::optional<UiPort::Alert>& failure() const { return failure_; }

private:
    QList<ColumnAssignment> assignments_;
    quint32 numberOfLastSlip_;
    QList<SlipPtr> slips_;
    std::optional<UiPort::Alert> failure_;

    bool fail(const QString& message, const QString& informative);
    bool roomForAnotherSlip();
};

}  // namespace fendle
