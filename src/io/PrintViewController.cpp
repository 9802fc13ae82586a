#include "io/PrintViewController.h"

#include "document/SlipsInKeyOrder.h"
#include "io/ProgressSteps.h"
#include "platform/richtext/RichTextBuilder.h"
#include "platform/ui/UiPort.h"

#include <algorithm>

namespace fendle {

namespace {

QList<SlipPtr> inKeyOrder(QList<SlipPtr> slips) {
    std::sort(slips.begin(), slips.end(), [](const SlipPtr& a, const SlipPtr& b) { return a->slipID() < b->slipID(); });
    return slips;
}

}  // namespace

PrintViewController::PrintViewController(ExportSource& box, UiPort& ui, bool accessoryViewUsedForPrinting)
    : box_(box), ui_(ui), printing_(accessoryViewUsedForPrinting) {
    if (!printing_) applyExportRules(Control::Format);
}

std::optional<QList<SlipPtr>> PrintViewController::slipsToExportOrPrint() const {
    const BoxData& data = box_.boxData();
    switch (options_.what) {
    case PrintWhat::Current:
        if (const SlipPtr slip = box_.currentSlip()) return QList<SlipPtr>{slip};
        return QList<SlipPtr>{};
    case PrintWhat::SearchResults: {
        QList<SlipPtr> slips;
        for (const QString& key : box_.searchResultKeys())
            if (const SlipPtr slip = data.slipForKey(key)) slips.append(slip);
        return slips;
    }
    case PrintWhat::All: return slipsInKeyOrder(data);
    case PrintWhat::Flagged: return inKeyOrder(data.flaggedSlips());
    case PrintWhat::None: break;
    }
    return std::nullopt;
}

RichText PrintViewController::exportString(const Slip& slip) {
    const QStringList scents = options_.parts.scents ? box_.scentKeys(slip) : QStringList();
    return SlipExportString::exportString(slip, options_.parts, scents);
}

RichText PrintViewController::computePrintString() {
    if (options_.what == PrintWhat::Current) {
        const SlipPtr slip = box_.currentSlip();
        return slip ? exportString(*slip) : RichText();
    }
    const std::optional<QList<SlipPtr>> slips = slipsToExportOrPrint();
    if (!slips) {
        ui_.displayAlert(NoSlipsMessage, NoSlipsComment);
        return RichText(ErrorPrintString);
    }
    const QString separator = options_.pageBreak ? QStringLiteral("\n\f") : QStringLiteral("\n\n\n");
    RichTextBuilder result;
    ProgressSteps progress(ui_, ComputingText, slips->size());
    for (qsizetype i = 0; i < slips->size(); ++i) {
        progress.step(i + 1);
        result.append(exportString(*slips->at(i)));
        result.append(i + 1 == slips->size() ? QStringLiteral("\n") : separator);
    }
    return std::move(result).build();
}

void PrintViewController::updatePrintString() {
    printString_ = computePrintString();
    emit printStringChanged();
}

void PrintViewController::selectionChanged(Control sender) {
    if (printing_)
        updatePrintString();
    else
        applyExportRules(sender);
}

void PrintViewController::applyExportRules(Control sender) {
    // Separate files and a page break after each slip exclude each other.
    const bool separateChecked = sender == Control::SeparateFiles && options_.separateFiles;
    const bool pageBreakChecked = sender == Control::PageBreak && options_.pageBreak;
    if ((separateChecked && options_.pageBreak) || (pageBreakChecked && options_.separateFiles)) {
        if (separateChecked) options_.pageBreak = false;
        if (pageBreakChecked) options_.separateFiles = false;
        emit optionsChanged();
    }
    if (options_.separateFiles) {
        setRequiredFileType(FolderFileType);
        return;
    }
    const bool attachments = options_.format == ExportFormat::Rtf && chosenSlipsHaveAttachments();
    setRequiredFileType(ExportOptions::fileExtension(options_.format, attachments));
}

bool PrintViewController::chosenSlipsHaveAttachments() const {
    const std::optional<QList<SlipPtr>> slips = slipsToExportOrPrint();
    if (!slips) return false;
    return std::any_of(slips->cbegin(), slips->cend(),
                       [](const SlipPtr& slip) { return slip->text() && slip->text()->hasAttachments(); });
}

void PrintViewController::setRequiredFileType(const QString& type) {
    if (type == requiredFileType_) return;
    requiredFileType_ = type;
    emit requiredFileTypeChanged(type);
}

}  // namespace fendle
