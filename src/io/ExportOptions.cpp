#include "io/ExportOptions.h"

#include <QStringList>

namespace fendle {

namespace {
const QStringList& printWhatTitles() {
    static const QStringList titles{QStringLiteral("Current"), QStringLiteral("Search Results"), QStringLiteral("All"),
                                    QStringLiteral("Flagged")};
    return titles;
}
const QStringList& formatTitles() {
    static const QStringList titles{QStringLiteral("Rich Text Format (RTF)"), QStringLiteral("Plain Text"),
                                    QStringLiteral("PDF")};
    return titles;
}
}  // namespace

QString ExportOptions::title(PrintWhat what) { return printWhatTitles().value(int(what)); }

PrintWhat ExportOptions::printWhatForTitle(const QString& title) {
    const qsizetype index = printWhatTitles().indexOf(title);
    return index < 0 ? PrintWhat::None : PrintWhat(index);
}

QString ExportOptions::title(ExportFormat format) { return formatTitles().value(int(format)); }

ExportFormat ExportOptions::exportFormatForTitle(const QString& title) {
    const qsizetype index = formatTitles().indexOf(title);
    return index < 0 ? ExportFormat::None : ExportFormat(index);
}

QString ExportOptions::fileExtension(ExportFormat format, bool hasAttachments) {
    switch (format) {
    case ExportFormat::Rtf: return hasAttachments ? QStringLiteral("rtfd") : QStringLiteral("rtf");
    case ExportFormat::PlainText: return QStringLiteral("txt");
    case ExportFormat::Pdf: return QStringLiteral("pdf");
    case ExportFormat::None: break;
    }
    return QString();
}

}  // namespace fendle
