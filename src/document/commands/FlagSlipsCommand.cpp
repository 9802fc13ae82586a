#include "document/commands/FlagSlipsCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"

namespace fendle {

void FlagSlipsCommand::record(Box& box, const QStringList& keys, bool valueJustSet) {
    box.registerStep([&box, keys, valueJustSet] { undo(box, keys, valueJustSet); }, undo_names::ToggleFlag);
}

void FlagSlipsCommand::undo(Box& box, const QStringList& keys, bool valueJustSet) {
    box.applierStarted();
    const bool value = !valueJustSet;
    for (const QString& key : keys) {
        if (SlipPtr slip = box.slip(key)) {
            slip->setFlagged(value);
            box.document().slipDidChange(slip);
        }
    }
    record(box, keys, value);
    box.updateWindow();
}

}  // namespace fendle
