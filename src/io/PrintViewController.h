#pragma once
#include "io/ExportOptions.h"
#include "io/ExportSource.h"
#include "platform/richtext/RichText.h"

#include <QObject>
#include <optional>

namespace fendle {

class UiPort;

// The options printing and export share (which slips, which parts, a page
// break after each slip) and those of export alone (format, separate
// files, titles as file names, encoding), with the rules that tie them
// together. The option views write into options() and then call
// selectionChanged() with the control that changed.
class PrintViewController : public QObject {
    Q_OBJECT
public:
    enum class Control { PrintWhat, PageBreak, Keywords, Source, Type, Scents, Format, SeparateFiles, UseTitles, Encoding };

    static inline const QString InitialPrintString = QStringLiteral("Fendle big time error");
    static inline const QString ErrorPrintString = QStringLiteral("error computing the print string");
    static inline const QString NoSlipsMessage = QStringLiteral("Could not identify what you want to export or print!");
    static inline const QString NoSlipsComment =
        QStringLiteral("You should not see this message; please file a bug report.");
    static inline const QString ComputingText = QStringLiteral("Computing");
    static inline const QString FolderFileType = QStringLiteral("fdlfolder");

    PrintViewController(ExportSource& box, UiPort& ui, bool accessoryViewUsedForPrinting);

    bool accessoryViewUsedForPrinting() const { return printing_; }
    ExportOptions& options() { return options_; }
    const ExportOptions& options() const { return options_; }
    ExportSource& box() { return box_; }

    // The chosen slips in the order they are printed; none for no known choice.
    std::optional<QList<SlipPtr>> slipsToExportOrPrint() const;
    // One slip's export string with the chosen parts and its own scents.
    RichText exportString(const Slip& slip);
    // The chosen slips' export strings joined, with the progress panel up.
    RichText computePrintString();
    const RichText& printString() const { return printString_; }
    void updatePrintString();

    // Applies the rules that follow a change of one control.
    void selectionChanged(Control sender);
    QString exportFormat() const { return ExportOptions::title(options_.format); }
    int encoding() const { return options_.encoding; }
    bool useTitlesEnabled() const { return options_.separateFiles; }
    bool encodingEnabled() const { return options_.format == ExportFormat::PlainText; }
    // The type the save panel asks for: a folder of files, or the format's file.
    const QString& requiredFileType() const { return requiredFileType_; }

signals:
    // The options changed by a rule, not by the control the user touched.
    void optionsChanged();
    void printStringChanged();
    void requiredFileTypeChanged(const QString& type);

private:
    ExportSource& box_;
    UiPort& ui_;
    bool printing_;
    ExportOptions options_;
    RichText printString_{InitialPrintString};
    QString requiredFileType_;

    void applyExportRules(Control sender);
    bool chosenSlipsHaveAttachments() const;
    void setRequiredFileType(const QString& type);
};

}  // namespace fendle
