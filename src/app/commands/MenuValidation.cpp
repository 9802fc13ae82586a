#include "app/commands/MenuValidation.h"

#include "app/commands/BoxWindowContext.h"
#include "app/commands/CommandTable.h"
#include "document/Box.h"
#include "platform/system/Log.h"

namespace fendle {

bool MenuValidation::validateMenuItem(const QString& title, const BoxWindowContext& c) {
    // Styling works in a text with focus even under a modal window (the
    // template window is one); anywhere else it has nothing to act on.
    if (title == QLatin1String("Bold") || title == QLatin1String("Italic") || title == QLatin1String("Underline"))
        return c.templateTextFocused || c.slipTextFocused;
    if (title == QLatin1String("Highlight"))
        return (c.selectedTab == BoxTab::Slip && c.slipTextFocused && !c.inTrashMode) || c.templateTextFocused;
    if (c.modalWindowUp) return false;
    const CommandEntry* entry = CommandTable::entryForTitle(title);
    return !entry || entry->enabled(c);
}

void MenuValidation::logCurrentSlipConsistency(const Box& box) {
    const SlipPtr slip = box.currentSlip();
    if (!slip)
        logLine(QStringLiteral("Box:validateMenuItem: currentSlip == nil"));
    else if (slip->key().isEmpty())
        logLine(QStringLiteral("Box:validateMenuItem: [currentSlip key] == @\"\""));
}

}  // namespace fendle
