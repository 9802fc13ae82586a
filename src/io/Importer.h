#pragma once
#include "appcore/FendleController.h"
#include "io/ColumnAssignmentsForImport.h"
#include "platform/ui/UiPort.h"

#include <QList>
#include <QString>

namespace fendle {

class ColumnAssignmentsDialog;
class FendleApplication;

// "Import...": slips from other boxes, from comma- or tab-delimited text
// and from other files, added to the current box. Imports cannot be undone;
// the box is only marked changed. Lives as long as the program, and so do
// the column settings it keeps between imports.
class Importer {
public:
    static inline const QString ImportFile = QStringLiteral("File Into New Slip");
    static inline const QString ImportFendleFile = QStringLiteral("Fendle File (*.fendle)");
    static inline const QString ImportTabDelFile = QStringLiteral("Tab-delimited File (*.txt)");
    static inline const QString ImportCommaDelFile = QStringLiteral("Comma-delimited File (*.csv)");
    static inline const QChar Comma = u',';
    static inline const QChar Tab = u'\t';

    // The kinds of the panel's chooser, in its order.
    static const QList<UiPort::FileKind>& importKinds();
    static UiPort::OpenPanel importPanel();

    Importer(FendleController& controller, FendleApplication& application, UiPort& ui,
             ColumnAssignmentsDialog& columnsDialog);

    void importFile();
    // Each file by its extension; "txt" is delimited text only when that
    // kind was chosen.
    void importFiles(const QStringList& paths, const QString& kind);
    // Answers whether the box's slips were added.
    bool importBoxDocument(const QString& path);
    void importCommaDelimitedFile(const QString& path) { getColumnAssignments(path, Comma); }
    void importTabDelimitedFile(const QString& path) { getColumnAssignments(path, Tab); }
    // The column dialog; its OK imports the file.
    void getColumnAssignments(const QString& path, QChar separator);
    void performTabCommaDelimitedFileImport(const QString& path, QChar separator);

    ColumnAssignmentsForImport& columnAssignments() { return columnAssignments_; }

private:
    FendleController& controller_;
    FendleApplication& application_;
    UiPort& ui_;
    ColumnAssignmentsDialog& columnsDialog_;
    ColumnAssignmentsForImport columnAssignments_;

    // The current box, showing its slips rather than its trash; none without one.
    BoxPtr destinationBox();
    // Not undoable: the box is only marked changed.
    void fileImportedSlips(Box& box, const QList<SlipPtr>& slips);
    void alert(const UiPort::Alert& alert) { ui_.showAlert(alert); }
    void alert(const QString& message, const QString& informative);
};

}  // namespace fendle
