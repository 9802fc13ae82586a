#include "document/commands/ChangeTextFontCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void ChangeTextFontCommand::record(Box& box, const RichText& textBefore, const SlipPtr& slip) {
    box.registerStep([&box, textBefore, slip] { undo(box, textBefore, slip); }, undo_names::ChangeTextFont);
}

void ChangeTextFontCommand::perform(Box& box, const FontAttribute& font) {
    if (!box.currentSlip()) return;
    box.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const RichText before = box.editor().text().deepCopy();
    record(box, before, box.currentSlip());
    RichText now = before.deepCopy();
    now.addAttribute(attr::Font, font, now.wholeRange());
    box.editor().setSlipText(now);
    box.storeCurrentSlip();
}

void ChangeTextFontCommand::undo(Box& box, const RichText& text, const SlipPtr& slip) {
    box.applierStarted();
    if (!slip) return;
    if (slip != box.currentSlip()) {
        box.ui().displayAlert(QStringLiteral("Switching back to slip ") + slip->key() + QStringLiteral("."));
        box.changeCurrentSlip(slip, false);
    }
    const RichText now = box.editor().text().deepCopy();
    record(box, now, slip);
    box.editor().setSlipText(text);
    box.storeCurrentSlip();
}

}  // namespace fendle
