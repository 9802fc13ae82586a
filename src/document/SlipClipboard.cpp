#include "document/SlipClipboard.h"

#include "document/Box.h"
#include "document/SlipTextDragAndDrop.h"
#include "io/SlipExportString.h"
#include "model/SlipArrayArchive.h"
#include "platform/system/Log.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/UiPort.h"
#include "scents/AlternatingScentEntry.h"

namespace fendle {

namespace {

// The keys of the slips a copy takes, by view; none after an alert.
std::optional<QStringList> keysToCopy(Box& box) {
    switch (box.selectedTab()) {
    case BoxTab::Search: {
        const QStringList keys = box.selectedSearchResultKeys();
        if (keys.isEmpty()) {
            box.ui().displayAlert(QStringLiteral("No slips selected!"));
            return std::nullopt;
        }
        return keys;
    }
    case BoxTab::AlternatingScent: {
        const auto& row = box.selectedAlternatingScentRow();
        if (!row) {
            box.ui().displayAlert(QStringLiteral("No slips selected!"));
            return std::nullopt;
        }
        if (!row->isSlip) {
            box.ui().displayAlert(QStringLiteral("Cannot copy keyword as slip!"));
            return std::nullopt;
        }
        return QStringList{AlternatingScentEntry::slipKeyOfLabel(row->label)};
    }
    case BoxTab::Slip:
    case BoxTab::KeywordScent:
        break;
    }
    if (!box.currentSlip()) return std::nullopt;
    return QStringList{box.currentSlip()->key()};
}

// The export texts of the slips, one after the other.
RichText exportText(const QList<SlipPtr>& slips) {
    const SlipExportString::Parts parts{false, true, true, true};
    RichText text;
    for (const SlipPtr& slip : slips) {
        if (!text.isEmpty()) text.append(QStringLiteral("\n\n-------\n\n"), Attributes());
        text.append(SlipExportString::exportString(*slip, parts, {}));
    }
    return text;
}

}  // namespace

void SlipClipboard::copySlip(Box& box) {
    box.storeCurrentSlip();
    const std::optional<QStringList> keys = keysToCopy(box);
    if (!keys) return;
    QList<SlipPtr> slips;
    for (const auto& entry : box.box().slipsForKeys(*keys))
        if (const SlipPtr* slip = std::get_if<SlipPtr>(&entry)) slips.append(*slip);
    if (slips.isEmpty()) return;
    Pasteboard& pasteboard = box.pasteboard();
    UiPort& ui = box.ui();
    pasteboard.clearContents();
    if (!pasteboard.setData(Pasteboard::SlipsType, SlipArrayArchive::archive(slips)))
        ui.displayMessage(QStringLiteral("I could not copy the slip to the pasteboard (slip data)."));
    const RichText text = exportText(slips);
    if (!pasteboard.setData(Pasteboard::StringType, text.string().toUtf8()))
        ui.displayMessage(QStringLiteral("I could not copy the slip to the pasteboard (string)."));
    if (!sliptextdrag::writeRichText(pasteboard, text, box.document().boxUrlString()))
        ui.displayMessage(QStringLiteral("I could not copy the slip to the pasteboard (RTFD data)."));
}

void SlipClipboard::pasteSlip(Box& box) {
    const auto data = box.pasteboard().data(Pasteboard::SlipsType);
    const auto slips = data ? SlipArrayArchive::unarchive(*data) : Result<QList<SlipPtr>>::failure(QString());
    if (!slips) {
        if (data) logLine(QStringLiteral("Box:pasteSlip: %1").arg(slips.error()));
        box.ui().displayMessage(QStringLiteral("There are no slips on the pasteboard!"));
        return;
    }
    for (const SlipPtr& slip : *slips) box.addSlip(slip);
}

}  // namespace fendle
