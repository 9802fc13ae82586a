#include "io/Importer.h"

#include "appcore/FendleApplication.h"
#include "io/BoxImport.h"
#include "io/ColumnAssignmentsDialog.h"
#include "io/DelimitedImport.h"
#include "io/ImportRoute.h"


namespace fendle {

const QList<UiPort::FileKind>& Importer::importKinds() {
    static const QList<UiPort::FileKind> kinds{
        {ImportFile,
         {"rtf", "rtfd", "txt", "jpg", "jpeg", "gif", "png", "tif", "tiff", "avi", "mov", "mpg", "mp3", "mp4", "mpeg",
          "pdf"},
         true},
        {ImportFendleFile, {"fendle"}, true},
        {ImportTabDelFile, {"txt"}, false},
        {ImportCommaDelFile, {"csv"}, false},
    };
    return kinds;
}

UiPort::OpenPanel Importer::importPanel() {
    return {QStringLiteral("Import File"), QStringLiteral("OK"), importKinds()};
}

Importer::Importer(FendleController& controller, FendleApplication& application, UiPort& ui,
                   ColumnAssignmentsDialog& columnsDialog)
    : controller_(controller), application_(application), ui_(ui), columnsDialog_(columnsDialog) {}

void Importer::alert(const QString& message, const QString& informative) {
    alert(UiPort::Alert{UiPort::AlertStyle::Modal, message, informative});
}

void Importer::importFile() {
    const std::optional<UiPort::OpenPanelChoice> choice = ui_.runOpenPanel(importPanel());
    if (!choice || choice->kind < 0 || choice->kind >= importKinds().size()) return;
    importFiles(choice->paths, importKinds()[choice->kind].title);
}

void Importer::importFiles(const QStringList& paths, const QString& kind) {
    for (const QString& path : paths) {
        switch (importRouteOf(path, kind == ImportTabDelFile)) {
        case ImportRoute::Box: importBoxDocument(path); break;
        case ImportRoute::CommaDelimited: importCommaDelimitedFile(path); break;
        case ImportRoute::TabDelimited: importTabDelimitedFile(path); break;
        case ImportRoute::FileIntoSlip: application_.makeSlipFromFile(path); break;
        }
    }
}

BoxPtr Importer::destinationBox() {
    const BoxPtr box = controller_.currentDocument();
    if (!box) return nullptr;
    if (box->inTrashMode()) box->browseTrash();
    return box->inTrashMode() ? nullptr : box;
}

bool Importer::importBoxDocument(const QString& path) {
    const BoxPtr destination = destinationBox();
    if (!destination) return false;
    QString error;
    const BoxPtr source = controller_.boxForReading(path, &error);
    if (!source) {
        alert(QStringLiteral("The box could not be imported."), error);
        return false;
    }
    // An open box gives its slips as they stand, the edit in progress included.
    if (controller_.documentForPath(path)) source->storeCurrentSlip();
    const Result<QList<SlipPtr>> slips = importedSlipsOfBox(source->box(), destination->box().numberOfLastSlip());
    if (!slips) {
        alert(QStringLiteral("The box could not be imported."), slips.error());
        return false;
    }
    fileImportedSlips(*destination, *slips);
    return true;
}

void Importer::fileImportedSlips(Box& box, const QList<SlipPtr>& slips) {
    if (slips.isEmpty()) return;
    box.document().fileSlips(slips);
    // New slips may be search results and scents of the slip shown.
    box.updateWindow();
    box.rerunSearch();
}

void Importer::getColumnAssignments(const QString& path, QChar separator) {
    columnAssignments_.setFilename(path);
    if (columnsDialog_.runDialog(columnAssignments_)) performTabCommaDelimitedFileImport(path, separator);
}

void Importer::performTabCommaDelimitedFileImport(const QString& path, QChar separator) {
    const BoxPtr destination = destinationBox();
    if (!destination) return;
    DelimitedImport import(columnAssignments_.columnAssignmentsForImport(), destination->box().numberOfLastSlip());
    import.parseTextInputFile(path, separator, columnAssignments_.encoding());
    // The rows before a failure stay imported.
    fileImportedSlips(*destination, import.slips());
    if (import.failure()) alert(*import.failure());
}

}  // namespace fendle
