#include "app/commands/BoxWindowContext.h"

#include "document/Box.h"
#include "platform/ui/Pasteboard.h"

namespace fendle {

BoxWindowContext BoxWindowContext::of(Box& box, const Pasteboard& pasteboard) {
    BoxWindowContext context;
    const BoxData& data = box.box();
    context.selectedTab = box.selectedTab();
    context.inTrashMode = box.inTrashMode();
    context.documentEdited = box.isDocumentEdited();
    context.pasteboardHasSlips = pasteboard.hasType(Pasteboard::SlipsType);
    // While the trash is shown it is the active collection.
    context.trashEmpty = box.inTrashMode() ? data.slips().isEmpty() : data.deletedSlips().isEmpty();
    context.historyPosition = box.slipHistory().position();
    context.historyLength = box.slipHistory().keys().size();
    if (const SlipPtr slip = box.currentSlip()) {
        const QString key = slip->key();
        context.onFirstSlip = data.findFirstKey() == key;
        // The neighbour search steps through numbers; scanning all keys for
        // the highest would cost a pass over the box on every refresh.
        context.onLastSlip = slip->slipID() > data.numberOfLastSlip() ? data.findLastKey() == key
                                                                       : data.findNextKey(*slip) == key;
    }
    context.selectedResultCount = box.selectedSearchResultRows().size();
    if (const auto& row = box.selectedAlternatingScentRow()) context.alternatingRowIsSlip = row->isSlip;
    context.zoomFactor = data.currentZoomFactor();
    return context;
}

}  // namespace fendle
