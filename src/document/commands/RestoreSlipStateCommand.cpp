#include "document/commands/RestoreSlipStateCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"

namespace fendle {

void RestoreSlipStateCommand::record(Box& box, const SlipPtr& oldState, const SlipPtr& newState,
                                     const QString& actionName) {
    box.registerStep([&box, oldState, newState, actionName] { apply(box, oldState, newState, actionName); },
                     actionName);
}

void RestoreSlipStateCommand::apply(Box& box, const SlipPtr& putBack, const SlipPtr& replaced,
                                    const QString& actionName) {
    box.applierStarted();
    box.storeCurrentSlip();
    box.document().setSlip(putBack);
    if (box.currentSlip() != replaced) box.announceSlip(putBack);
    box.showReplacement(putBack);
    record(box, replaced, putBack, actionName);
    if (actionName == undo_names::ResizeImage) emit box.imageResizeRestored();
}

}  // namespace fendle
