#include "io/DelimitedImport.h"

#include "io/DelimitedTextParser.h"
#include "platform/files/AtomicFile.h"
#include "platform/text/TextEncoding.h"
#include "platform/text/TextOrdering.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace fendle {

namespace {

constexpr QChar ByteOrderMark = QChar(0xFEFF);
constexpr quint32 HighestSlipNumber = std::numeric_limits<qint32>::max();

}  // namespace

DelimitedImport::DelimitedImport(QList<ColumnAssignment> assignments, quint32 numberOfLastSlip)
    : assignments_(std::move(assignments)), numberOfLastSlip_(numberOfLastSlip) {}

bool DelimitedImport::fail(const QString& message, const QString& informative) {
    failure_ = UiPort::Alert{UiPort::AlertStyle::Modal, message, informative};
    return false;
}

void DelimitedImport::parseTextInputFile(const QString& path, QChar separator, int encoding) {
    if (QFileInfo(path).size() > MaxFileSize) {
        fail(QStringLiteral("The file is too large to import."),
             QStringLiteral("%1 is larger than %2 MiB.").arg(QFileInfo(path).fileName()).arg(MaxFileSize >> 20));
        return;
    }
    const Result<QByteArray> bytes = readWholeFile(path, MaxFileSize);
    if (!bytes) {
        fail(QStringLiteral("The file could not be read."), bytes.error());
        return;
    }
    QString error;
    std::optional<QString> text = TextEncoding::decode(*bytes, encoding, &error);
    if (!text) {
        fail(QStringLiteral("The file could not be read in the chosen encoding."), error);
        return;
    }
    // A byte order mark is no part of the first field.
    if (text->startsWith(ByteOrderMark)) text->remove(0, 1);
    parseText(*text, separator);
}

void DelimitedImport::parseText(QStringView text, QChar separator) {
    // Columns beyond the last assigned one are never looked at.
    int widest = 0;
    for (const ColumnAssignment& assignment : assignments_) widest = std::max(widest, assignment.column);
    const DelimitedTextParser parser(separator, widest);
    parser.parse(text, [this](const QStringList& fields) { return makeSlipWithColumnContents(fields); });
}

bool DelimitedImport::roomForAnotherSlip() {
    if (slips_.size() < MaxSlips && numberOfLastSlip_ < HighestSlipNumber) return true;
    return fail(QStringLiteral("Too many slips to import!"),
                QStringLiteral("One import makes at most %1 slips; the slips made before stay in the box.")
                    .arg(MaxSlips));
}

bool DelimitedImport::makeSlipWithColumnContents(const QStringList& fields) {
    QMap<QString, QMap<QString, QString>> byField;
    for (const ColumnAssignment& assignment : assignments_) {
        if (assignment.column < 1 || assignment.column > fields.size())
            return fail(QStringLiteral("Too many import columns specified!"),
                        QStringLiteral("The file could not be imported, because it contains fewer columns than you "
                                       "specified in the input mask."));
        byField[assignment.field].insert(assignment.order, fields[assignment.column - 1]);
    }
    if (!roomForAnotherSlip()) return false;
    SlipPtr slip = Slip::create(++numberOfLastSlip_);
    slip->setText(RichText(columnImportStringFromDictionary(byField.value(ColumnAssignmentsForImport::SlipText))));
    slip->setKeywordsString(columnImportStringFromDictionary(byField.value(ColumnAssignmentsForImport::Keywords)));
    slip->setSource(columnImportStringFromDictionary(byField.value(ColumnAssignmentsForImport::Source)));
    slip->setSlipType(columnImportStringFromDictionary(byField.value(ColumnAssignmentsForImport::Type)));
    slips_.append(slip);
    return true;
}

QString DelimitedImport::columnImportStringFromDictionary(const QMap<QString, QString>& dictionary) {
    QStringList orders = dictionary.keys();
    std::sort(orders.begin(), orders.end(),
              [](const QString& a, const QString& b) { return compareNumericallyIgnoringCase(a, b) < 0; });
    QString joined;
    for (const QString& order : orders) joined += dictionary.value(order);
    return joined;
}

}  // namespace fendle
