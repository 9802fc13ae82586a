#include "io/SlipExporter.h"

#include "io/ExportFileWriter.h"
#include "io/ProgressSteps.h"
#include "platform/system/Log.h"
#include "platform/ui/UiPort.h"

#include <QDir>

namespace fendle {

SlipExporter::Outcome SlipExporter::exportToPath(const QString& path) {
    return controller_.options().separateFiles ? exportToFolder(path) : exportToFile(path);
}

SlipExporter::Outcome SlipExporter::exportToFile(const QString& path) {
    Outcome outcome;
    ExportFileWriter writer(controller_.options(), pdf_);
    const Result<QString> written = writer.writeAttributedString(controller_.computePrintString(), path);
    if (written)
        outcome.written.append(*written);
    else
        reportFailure(path, outcome, written.error());
    return outcome;
}

SlipExporter::Outcome SlipExporter::exportToFolder(const QString& path) {
    Outcome outcome;
    const QString folder = ExportFileWriter::withoutExtension(path);
    if (!QDir().mkpath(folder)) {
        reportFailure(folder, outcome, QStringLiteral("cannot make the folder"));
        return outcome;
    }
    const std::optional<QList<SlipPtr>> slips = controller_.slipsToExportOrPrint();
    if (!slips) return outcome;
    const ExportOptions& options = controller_.options();
    ExportFileWriter writer(options, pdf_);
    ProgressSteps progress(ui_, ExportingText, slips->size());
    for (qsizetype i = 0; i < slips->size(); ++i) {
        progress.step(i + 1);
        const Slip& slip = *slips->at(i);
        const RichText string = controller_.exportString(slip);
        const QString extension = ExportOptions::fileExtension(options.format, string.hasAttachments());
        const QString file = QStringLiteral("%1/%2.%3").arg(folder, fileNameForSlip(slip, options.useTitles), extension);
        const Result<QString> written = writer.writeAttributedString(string, file);
        if (!written) {
            reportFailure(file, outcome, written.error());
            break;
        }
        outcome.written.append(*written);
    }
    return outcome;
}

QString SlipExporter::fileNameForSlip(const Slip& slip, bool useTitles) {
    QString name = useTitles ? slip.title() : slip.key();
    if (name.size() > MaximumTitleLength) {
        name.truncate(name.at(MaximumTitleLength - 1).isHighSurrogate() ? MaximumTitleLength - 1 : MaximumTitleLength);
        name = QStringLiteral("%1[…]").arg(name);
    }
    name.replace(u'/', u' ');
    // A slip without a first line still needs a name of its own.
    return name.trimmed().isEmpty() ? slip.key() : name;
}

void SlipExporter::reportFailure(const QString& path, Outcome& outcome, const QString& reason) {
    logLine(QStringLiteral("SlipExporter: %1: %2").arg(path, reason));
    // The reason too: a full disk asks something else of the user than a
    // folder they may not write in.
    ui_.displayAlert(WriteFailedMessage, QStringLiteral("%1\n\n%2").arg(path, reason));
    outcome.failed = true;
}

}  // namespace fendle
