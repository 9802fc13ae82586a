#include "document/commands/ClearSlipCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void ClearSlipCommand::perform(Box& box) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    box.storeCurrentSlip();
    const Slip& s = *slip;
    const Record record{s.key(), s.text(), s.keywords(), s.source(), s.slipType(), s.lastModificationTime()};
    box.registerStep([&box, record] { undo(box, record); }, undo_names::ClearSlipFields);
    EditorModel& editor = box.editor();
    editor.setKeywords(std::nullopt);
    editor.setSource(QString());
    editor.setSlipType(QString());
    box.emptyEditorText();
    box.storeCurrentSlip();
    box.updateSlipScent();
}

void ClearSlipCommand::undo(Box& box, const Record& record) {
    box.applierStarted();
    if (!box.currentSlip() || record.key != box.currentSlip()->key()) {
        box.ui().displayAlert(QStringLiteral("The undo operation affects slip %1.").arg(record.key));
        if (SlipPtr slip = box.slip(record.key)) box.changeCurrentSlip(slip, false);
    }
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    box.registerStep([&box, slip] { redo(box, slip); }, undo_names::ClearSlipFields);
    EditorModel& editor = box.editor();
    editor.setSlipText(record.text);
    editor.setKeywords(record.keywords);
    editor.setSource(record.source.value_or(QString()));
    editor.setSlipType(record.slipType.value_or(QString()));
    box.storeCurrentSlip();
    // Fields that were absent stay absent.
    if (!record.source) slip->setSourceWithoutLastModificationDate(std::nullopt);
    if (!record.slipType) slip->setSlipTypeWithoutLastModificationDate(std::nullopt);
    if (!record.text) slip->setTextWithoutLastModificationDate(std::nullopt);
    slip->setLastModificationTime(record.lastModificationTime);
    box.updateSlipScent();
}

void ClearSlipCommand::redo(Box& box, const SlipPtr& slip) {
    box.applierStarted();
    if (slip != box.currentSlip()) {
        box.ui().displayAlert(QStringLiteral("The redo operation affects slip %1.").arg(slip->key()));
        box.changeCurrentSlip(slip, false);
    }
    perform(box);
}

}  // namespace fendle
