#include "io/ExportFileWriter.h"

#include "io/NumberedFilename.h"
#include "io/PdfRenderer.h"
#include "platform/files/AtomicFile.h"
#include "platform/richtext/RichTextFile.h"
#include "platform/richtext/RtfdPackage.h"

#include <QFileInfo>

namespace fendle {

namespace {
Result<QString> writtenTo(const Status& status, const QString& path) {
    if (!status) return Result<QString>::failure(status);
    return path;
}
}  // namespace

QString ExportFileWriter::withoutExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? path.left(path.size() - name.size() + dot) : path;
}

QString ExportFileWriter::withExtension(const QString& path, const QString& extension) {
    return withoutExtension(path) + u'.' + extension;
}

Result<QString> ExportFileWriter::writeAttributedString(const RichText& string, const QString& path) {
    switch (options_.format) {
    case ExportFormat::Rtf: return writeRichText(string, path);
    case ExportFormat::PlainText:
        return writtenTo(RichTextFile::writePlainText(string, path, options_.encoding), path);
    case ExportFormat::Pdf: return writePdf(string, path);
    case ExportFormat::None: break;
    }
    return Result<QString>::failure(QStringLiteral("no export format chosen"));
}

Result<QString> ExportFileWriter::writeRichText(const RichText& string, const QString& path) {
    const bool package = string.hasAttachments();
    QString target = withExtension(path, ExportOptions::fileExtension(ExportFormat::Rtf, package));
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        const std::optional<QString> numbered = numberedFilenameForFilename(target);
        if (!numbered) return Result<QString>::failure(QStringLiteral("no free numbered name for %1").arg(target));
        target = *numbered;
    }
    return writtenTo(package ? RtfdPackage::write(string, target) : RichTextFile::writeRtf(string, target), target);
}

Result<QString> ExportFileWriter::writePdf(const RichText& string, const QString& path) {
    const Result<QByteArray> pdf = pdf_.render(string);
    if (!pdf) return Result<QString>::failure(pdf);
    return writtenTo(writeFileAtomically(path, *pdf), path);
}

}  // namespace fendle
