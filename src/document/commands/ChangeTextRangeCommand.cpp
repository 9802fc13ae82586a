#include "document/commands/ChangeTextRangeCommand.h"

#include "document/Box.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void ChangeTextRangeCommand::record(Box& box, const SlipPtr& slip, const RichText& toInsert, const RichText& toReplace,
                                    TextRange range, const QDateTime& lastModificationTime,
                                    const QString& actionName) {
    const Record record{slip, toInsert, toReplace, range.location, range.length, lastModificationTime};
    box.registerStep([&box, record, actionName] { apply(box, record, actionName); }, actionName);
}

void ChangeTextRangeCommand::apply(Box& box, const Record& record, const QString& actionName) {
    box.applierStarted();
    const SlipPtr slip = record.slip;
    if (!slip) return;
    UndoManager& undo = box.undoManager();
    undo.disableUndoRegistration();
    RichText text = slip->text().value_or(RichText());
    // What the range holds now is what the reverse step puts back.
    const Record reverse{slip, text.substring({record.location, record.length}), record.inserted,
                         record.location, record.inserted.length(), slip->lastModificationTime()};
    text.replace({record.location, record.length}, record.inserted);
    slip->setText(text);
    if (undo.isUndoing()) slip->setLastModificationTime(record.lastModificationTime);
    box.document().slipDidChange(slip);
    if (slip == box.currentSlip()) {
        box.editor().setSlipText(text);
    } else {
        box.ui().displayAlert((undo.isRedoing() ? QStringLiteral("The redo operation affects slip ")
                                                : QStringLiteral("The undo operation affects slip ")) +
                              slip->key() + QStringLiteral("."));
        box.changeCurrentSlip(slip, false);
    }
    box.editor().setSelectedRangesOfSlipText({TextRange{record.location, record.inserted.length()}});
    undo.enableUndoRegistration();
    box.registerStep([&box, reverse, actionName] { apply(box, reverse, actionName); }, actionName);
}

}  // namespace fendle
