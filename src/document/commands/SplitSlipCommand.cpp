#include "document/commands/SplitSlipCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "platform/ui/UiPort.h"

#include <algorithm>

namespace fendle {

void SplitSlipCommand::perform(Box& box) { divide(box, nullptr); }

void SplitSlipCommand::divide(Box& box, const SlipPtr& again) {
    if (box.inTrashMode()) {
        box.ui().displayAlert(QStringLiteral("You cannot split slips in Trash Mode!"));
        return;
    }
    if (!box.currentSlip()) return;
    box.storeCurrentSlip();
    const SlipPtr divided = box.currentSlip();
    const RichText textBefore = divided->text().value_or(RichText()).deepCopy();
    const QDateTime timeBefore = divided->lastModificationTime();
    EditorModel& editor = box.editor();
    TextRange selection = editor.selectedRange();
    selection.location = std::clamp<qsizetype>(selection.location, 0, textBefore.length());
    selection.length = std::clamp<qsizetype>(selection.length, 0, textBefore.length() - selection.location);

    RichText kept = textBefore;
    RichText moved;
    if (selection.length == 0) {
        kept = textBefore.substring({0, selection.location});
        moved = textBefore.substring({selection.location, textBefore.length() - selection.location});
    } else {
        kept.replace(selection, RichText());
        moved = textBefore.substring(selection);
    }
    // The editor shows the divided slip, so the switch below stores its part.
    editor.setSlipText(kept);
    editor.setSelectedRangesOfSlipText({TextRange{selection.location, 0}});

    SlipPtr created = again;
    if (created) {
        box.document().setSlip(created);
    } else {
        created = box.document().createSlip();
        created->setText(moved);
        created->setKeywords(divided->keywords());
        created->setSource(divided->source());
        created->setSlipType(divided->slipType());
        created->setAuthor(divided->author());
    }
    box.document().slipDidChange(created, BoxDocument::Change::Keywords);
    box.changeCurrentSlip(created, false);
    const Record record{textBefore, created, divided, selection.location, selection.length, timeBefore};
    box.registerStep([&box, record] { undo(box, record); }, undo_names::SplitSlip);
    box.rerunSearch();
}

void SplitSlipCommand::undo(Box& box, const Record& record) {
    box.applierStarted();
    box.document().deleteSlipForKey(record.newSlip->key());
    box.setCurrentSlip(record.dividedSlip);
    record.dividedSlip->setTextWithoutLastModificationDate(record.textBefore);
    record.dividedSlip->setLastModificationTime(record.timeBefore);
    box.document().slipDidChange(record.dividedSlip);
    box.updateWindow();
    box.rerunSearch();
    box.registerStep([&box, record] { redo(box, record); }, undo_names::SplitSlip);
}

void SplitSlipCommand::redo(Box& box, const Record& record) {
    box.applierStarted();
    box.setCurrentSlip(record.dividedSlip);
    box.updateWindow();
    box.editor().setSelectedRangesOfSlipText({TextRange{record.location, record.length}});
    // The same new slip as the first time: the steps redone after this one
    // are steps on it.
    divide(box, record.newSlip);
}

}  // namespace fendle
