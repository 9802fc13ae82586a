#pragma once
#include "io/SlipExportString.h"
#include "platform/text/TextEncoding.h"

#include <QString>

namespace fendle {

// Which slips a print or export takes: the cells of the "printWhat" choice.
enum class PrintWhat { Current, SearchResults, All, Flagged, None };
// The export formats; PDF goes through the program's PDF renderer.
enum class ExportFormat { Rtf, PlainText, Pdf, None };

// What the print and export options say.
struct ExportOptions {
    PrintWhat what = PrintWhat::Current;
    // A print starts out with scents, keywords and source but no type.
    SlipExportString::Parts parts{.scents = true, .keywords = true, .source = true, .type = false};
    bool pageBreak = false;
    ExportFormat format = ExportFormat::Rtf;
    bool separateFiles = false;
    bool useTitles = false;
    int encoding = encoding::Unicode;

    static QString title(PrintWhat what);
    // An unknown title chooses nothing.
    static PrintWhat printWhatForTitle(const QString& title);
    static QString title(ExportFormat format);
    static ExportFormat exportFormatForTitle(const QString& title);
    // The extension a file of that format takes; RTF with attachments is a package.
    static QString fileExtension(ExportFormat format, bool hasAttachments);
};

}  // namespace fendle
