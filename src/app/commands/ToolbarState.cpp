#include "app/commands/ToolbarState.h"

#include "app/commands/BoxWindowContext.h"
#include "app/editing/ZoomFactors.h"
#include "document/Box.h"

namespace fendle {

namespace {

void setExtraWindowState(ToolbarState& s, const BoxWindowContext& c) {
    if (c.selectedTab == BoxTab::Slip) {
        s.extraWindowToolTip = QStringLiteral("Open the current slip in a separate window");
        s.extraWindow = true;
    } else if (c.selectedTab == BoxTab::Search) {
        s.extraWindowToolTip = QStringLiteral("Open the selected slips in separate windows");
        s.extraWindow = c.selectedResultCount > 0;
    } else if (c.selectedTab == BoxTab::AlternatingScent) {
        s.extraWindowToolTip = QStringLiteral("Open the selected slip in separate windows");
        s.extraWindow = c.alternatingRowIsSlip.value_or(false);
    } else {
        s.extraWindowToolTip = QStringLiteral("Open in separate windows");
        s.extraWindow = false;
    }
}

}  // namespace

ToolbarState ToolbarState::of(const BoxWindowContext& c) {
    ToolbarState s;
    const bool slipTab = c.selectedTab == BoxTab::Slip;
    s.save = c.documentEdited;
    s.previous = !c.onFirstSlip;
    s.next = !c.onLastSlip;
    s.back = c.historyLength > 0 && c.historyPosition != 0;
    s.forward = c.historyLength > 0 && c.historyPosition + 1 < c.historyLength;
    s.addSlip = s.addSegment = !c.inTrashMode;
    if (c.inTrashMode) {
        s.removeImage = QStringLiteral("restoreSlipBlack");
        s.removeToolTip = QStringLiteral("Restore slip from trash to normal box");
        s.addRemoveLabel = QStringLiteral("Add/Restore");
        s.trashImage = QStringLiteral("leaveTrashMode");
        s.trashLabel = QStringLiteral("Leave Trash");
        s.trashToolTip = QStringLiteral("Leave trash mode");
    } else {
        s.removeImage = QStringLiteral("removeSlipBlack");
        s.removeToolTip = QStringLiteral("Remove slip and put into trash");
        s.addRemoveLabel = QStringLiteral("Add/Remove");
        s.trashImage = QStringLiteral("trashMode");
        s.trashLabel = QStringLiteral("Trash");
        s.trashToolTip = QStringLiteral("Switch to trash mode");
    }
    s.fontCharacteristics = slipTab && !c.inTrashMode && c.slipTextFocused;
    s.split = !c.inTrashMode && slipTab;
    s.merge = !c.inTrashMode && (slipTab || c.selectedTab == BoxTab::Search);
    s.zoom = slipTab;
    s.zoomOut = c.zoomFactor != ZoomFactors::first();
    s.zoomIn = c.zoomFactor != ZoomFactors::last();
    setExtraWindowState(s, c);
    s.inspectorSelected = c.inspectorVisible;
    return s;
}

bool ToolbarState::validateToolbarItem(const QString& label, const BoxWindowContext& c) {
    if (label == QLatin1String("Save")) return c.documentEdited;
    return label == QLatin1String("Print") || label == QLatin1String("Trash") ||
           label == QLatin1String("Leave Trash") || label == QLatin1String("Preferences");
}

}  // namespace fendle
