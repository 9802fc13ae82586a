#include "app/commands/MenuValidation.h"

#include "app/commands/BoxWindowContext.h"
#include "document/Box.h"
#include "platform/system/Log.h"

namespace fendle {

bool MenuValidation::validateMenuItem(const QString& title, const BoxWindowContext& c) {
    // Styling works in a text with focus even under a modal window (the
    // template window is one); anywhere else it has nothing to act on.
    if (title == QLatin1String("Bold") || title == QLatin1String("Italic") || title == QLatin1String("Underline"))
        return c.templateTextFocused || c.slipTextFocused;
    if (title == QLatin1String("Highlight"))
        return (c.selectedTab == Box::SlipTab && c.slipTextFocused && !c.inTrashMode) || c.templateTextFocused;
    if (c.modalWindowUp) return false;
    return byTitle(title, c);
}

bool MenuValidation::byTitle(const QString& t, const BoxWindowContext& c) {
    const bool slipTab = c.selectedTab == Box::SlipTab;
    const bool searchTab = c.selectedTab == Box::SearchTab;
    if (t == QLatin1String("Close All Extra Slip Windows") || t == QLatin1String("Arrange Extra Slip Windows"))
        return c.hasExtraSlipWindows;
    if (t == QLatin1String("Revert To Saved")) return c.documentEdited;
    if (t == QLatin1String("Paste Slip")) return c.pasteboardHasSlips;
    if (t == QLatin1String("Clear All Fields")) return !c.inTrashMode && slipTab;
    if (t == QLatin1String("Empty Trash")) return !c.trashEmpty;
    if (t == QLatin1String("Go Back")) return c.historyPosition != 0;
    if (t == QLatin1String("Go Forward")) return c.historyPosition < c.historyLength - 1;
    if (t == QLatin1String("Next") || t == QLatin1String("Last")) return !c.onLastSlip;
    if (t == QLatin1String("Previous") || t == QLatin1String("First")) return !c.onFirstSlip;
    if (t == QLatin1String("Add")) return !c.inTrashMode;
    if (t == QLatin1String("Split")) return slipTab && !c.inTrashMode;
    if (t == QLatin1String("Merge")) return (slipTab || searchTab) && !c.inTrashMode;
    if (t == QLatin1String("Toggle Flagged")) return slipTab || searchTab;
    if (t == QLatin1String("Make Slip Link")) return slipTab && c.slipTextFocused;
    if (t == QLatin1String("Flag All Search Results")) return searchTab;
    if (t == QLatin1String("Add Keyword to Selected Results")) return searchTab && c.selectedResultCount > 0;
    if (t == QLatin1String("Show Selected Slips In Extra Window")) {
        if (searchTab) return c.selectedResultCount > 0;
        if (c.selectedTab == Box::KeywordScentTab) return false;
        if (c.selectedTab == Box::AlternatingScentTab) return c.alternatingRowIsSlip.value_or(false);
        return true;
    }
    return true;
}

void MenuValidation::logCurrentSlipConsistency(const Box& box) {
    const SlipPtr slip = box.currentSlip();
    if (!slip)
        logLine(QStringLiteral("Box:validateMenuItem: currentSlip == nil"));
    else if (slip->key().isEmpty())
        logLine(QStringLiteral("Box:validateMenuItem: [currentSlip key] == @\"\""));
}

}  // namespace fendle
