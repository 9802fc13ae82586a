#include "document/commands/EditTextCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void EditTextCommand::record(Box& box, const QDateTime& lastModificationTime) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    // It joins the text system's typing steps, in their group.
    box.undoManager().registerUndoInLastGroup([&box, slip, lastModificationTime] { undo(box, slip, lastModificationTime); },
                                              undo_names::EditText);
    box.markDocumentEdited();
}

void EditTextCommand::undo(Box& box, const SlipPtr& slip, const QDateTime& time) {
    box.applierStarted();
    box.editor().focus(EditorCell::Text);
    if (slip != box.currentSlip()) {
        box.ui().displayAlert(QStringLiteral("Switching to slip %1.").arg(slip->key()));
        box.changeCurrentSlip(slip, false);
    }
    box.storeCurrentSlip();
    // The reverse step brings back the time this step replaces.
    const QDateTime now = slip->lastModificationTime();
    box.registerStep([&box, slip, now] { undo(box, slip, now); }, undo_names::EditText);
    slip->setLastModificationTime(time);
    box.editor().setChangedCell(EditorCell::None);
}

}  // namespace fendle
