#include "document/WholeSlipStep.h"

#include "document/Box.h"
#include "document/commands/RestoreSlipStateCommand.h"

namespace fendle {

bool recordWholeSlipStep(Box& box, const QString& actionName, const std::function<bool()>& edit,
                         bool renewModificationTime) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return false;
    const SlipPtr before = slip->copy();
    box.undoManager().disableUndoRegistration();
    const bool changed = edit();
    if (changed) {
        box.storeCurrentSlip();
        if (renewModificationTime) slip->updateLastModificationTime();
    }
    box.undoManager().enableUndoRegistration();
    if (changed) RestoreSlipStateCommand::record(box, before, slip, actionName);
    return changed;
}

}  // namespace fendle
