#include "document/commands/ChangeSlipAuthorCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void ChangeSlipAuthorCommand::perform(Box& box, const SlipPtr& slip, const QString& author) {
    record(box, *slip);
    slip->setAuthor(author);
    box.document().slipDidChange(slip);
}

void ChangeSlipAuthorCommand::record(Box& box, const Slip& slip) {
    const Record record{slip.key(), slip.lastModificationTime(), slip.author()};
    box.registerStep([&box, record] { undo(box, record); }, undo_names::ChangeSlipAuthor);
}

void ChangeSlipAuthorCommand::undo(Box& box, const Record& record) {
    const SlipPtr slip = box.slip(record.key);
    if (!slip) return;  // the slip has gone since; nothing left to put back
    const SlipPtr current = box.currentSlip();
    const bool undoing = box.undoManager().isUndoing();
    if (!current || current->key() != record.key) {
        const QString format = undoing ? QStringLiteral("The undo operation affects slip %1.")
                                       : QStringLiteral("The redo operation affects slip %1.");
        box.ui().displayAlert(format.arg(record.key));
        box.changeCurrentSlip(slip, false);
    }
    ChangeSlipAuthorCommand::record(box, *slip);
    slip->setAuthorWithoutLastModificationDate(record.author);
    if (undoing)
        slip->setLastModificationTime(record.lastModificationTime);
    else
        slip->updateLastModificationTime();
    box.document().slipDidChange(slip);
}

}  // namespace fendle
