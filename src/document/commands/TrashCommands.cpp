#include "document/commands/TrashCommands.h"

#include "document/Box.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void TrashCommands::browseTrash(Box& box) {
    if (box.box().deletedSlips().isEmpty()) {
        box.ui().displayAlert(QStringLiteral("The trash is empty!"));
        return;
    }
    // An edit in progress belongs to the slip of the view being left; its
    // undo step would later write into a slip of the other view.
    box.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    if (box.editor().changedCell() != EditorCell::None) box.editor().endEditing();
    box.editor().setChangedCell(EditorCell::None);
    emit box.extraSlipWindowsMustClose();
    box.undoManager().removeAllActions();
    box.resetCurrentPositionInSlipHistory();
    const bool entering = !box.inTrashMode();
    box.document().setTrashMode(entering);
    box.setCurrentSlip(box.box().lastSlip());
    box.editor().setEditable(!entering);
    box.updateWindow();
    if (box.selectedTab() == BoxTab::Search) box.rerunSearch();
    else if (box.selectedTab() == BoxTab::KeywordScent) box.updateKeywordScents();
}

void TrashCommands::emptyTrash(Box& box) {
    const bool inTrash = box.inTrashMode();
    const UiPort::Alert question{UiPort::AlertStyle::Modal,
                                 inTrash ? QStringLiteral("You are in Trash Mode. Really delete all slips in the trash?")
                                         : QStringLiteral("Really delete all slips in the trash?"),
                                 QStringLiteral("This cannot be undone!"),
                                 {QStringLiteral("OK"), QStringLiteral("Cancel")}};
    if (box.ui().askQuestion(question) != 0) return;
    if (inTrash) {
        box.ui().displayAlert(QStringLiteral("Switching back to normal view"));
        browseTrash(box);
    }
    box.ui().playSound(UiPort::Sound::EmptyTrash);
    box.document().emptyTrash();
    box.undoManager().removeAllActions();
}

}  // namespace fendle
