#include "document/DefaultFontConversion.h"

#include "document/Box.h"
#include "document/BoxPreferences.h"
#include "document/UndoNames.h"
#include "document/WholeSlipStep.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void convertSelectedSlipTextToDefault(Box& box, UiPort& ui) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    box.storeCurrentSlip();
    recordWholeSlipStep(
        box, undo_names::ConvertTextToDefault,
        [&box] {
            EditorModel& editor = box.editor();
            RichText text = editor.text();
            const TextRange selection = editor.selectedRange();
            const TextRange range = selection.length > 0 ? selection : text.wholeRange();
            text.addAttribute(attr::Font, box.preferences().slipTextFont(), range);
            const QList<TextRange> selected = editor.selectedRanges();
            editor.setSlipText(text);
            editor.setSelectedRangesOfSlipText(selected);
            return true;
        },
        true);
}

}  // namespace fendle
