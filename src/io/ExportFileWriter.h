#pragma once
#include "io/ExportOptions.h"
#include "platform/richtext/RichText.h"
#include "platform/system/Result.h"

namespace fendle {

class PdfRenderer;

// Writes an export string in the chosen format, atomically. RTF goes to the
// path with the extension "rtf" (or "rtfd", a package, when the text holds
// attachments) and never replaces a file: an existing name is numbered.
// Plain text and PDF go to the path as given and replace what is there.
class ExportFileWriter {
public:
    ExportFileWriter(const ExportOptions& options, PdfRenderer& pdf) : options_(options), pdf_(pdf) {}

    // The path written, or why nothing was.
    Result<QString> writeAttributedString(const RichText& string, const QString& path);

    // The path with its extension (if any) dropped or replaced.
    static QString withoutExtension(const QString& path);
    static QString withExtension(const QString& path, const QString& extension);

private:
    const ExportOptions& options_;
    PdfRenderer& pdf_;

    Result<QString> writeRichText(const RichText& string, const QString& path);
    Result<QString> writePdf(const RichText& string, const QString& path);
};

}  // namespace fendle
