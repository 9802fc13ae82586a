#pragma once
#include "io/PrintViewController.h"

#include <QStringList>

namespace fendle {

class PdfRenderer;
class UiPort;

// Export of the chosen slips to the path the save panel answered: one file
// holding the print string, or a folder (the path without its extension)
// with one file per slip, each computed and written before the next.
class SlipExporter {
public:
    static inline const QString WriteFailedMessage = QStringLiteral("The file could not be written");
    static inline const QString ExportingText = QStringLiteral("Exporting");
    static constexpr qsizetype MaximumTitleLength = 100;

    struct Outcome {
        QStringList written;
        bool failed = false;
    };

    SlipExporter(PrintViewController& controller, UiPort& ui, PdfRenderer& pdf)
        : controller_(controller), ui_(ui), pdf_(pdf) {}

    // A failed write is reported with its path and ends the export; the
    // files already written stay.
    Outcome exportToPath(const QString& path);

    // The name of a slip's own file: its key, or its title cut to 100
    // characters, with every "/" made a space.
    static QString fileNameForSlip(const Slip& slip, bool useTitles);

private:
    PrintViewController& controller_;
    UiPort& ui_;
    PdfRenderer& pdf_;

    Outcome exportToFile(const QString& path);
    Outcome exportToFolder(const QString& path);
    void reportFailure(const QString& path, Outcome& outcome, const QString& reason);
};

}  // namespace fendle
