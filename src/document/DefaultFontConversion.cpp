#include "document/DefaultFontConversion.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "platform/UiPort.h"

namespace fendle {

void convertSelectedSlipTextToDefault(Box& box, UiPort& ui) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    box.storeCurrentSlip();
    const SlipPtr before = slip->copy();
    EditorModel& editor = box.editor();
    box.undoManager().disableUndoRegistration();
    RichText text = editor.text();
    const TextRange selection = editor.selectedRange();
    const TextRange range = selection.length > 0 ? selection : text.wholeRange();
    text.addAttribute(attr::Font, box.hooks().defaultSlipFont, range);
    const QList<TextRange> selected = editor.selectedRanges();
    editor.setSlipText(text);
    editor.setSelectedRangesOfSlipText(selected);
    box.storeCurrentSlip();
    slip->updateLastModificationTime();
    box.undoManager().enableUndoRegistration();
    box.registerRestoreOldSlipState(before, slip, undo_names::ConvertTextToDefault);
    ui.refreshInspector();
}

}  // namespace fendle
