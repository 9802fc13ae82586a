#include "document/SlipTemplateEditing.h"

#include "document/Box.h"
#include "platform/ui/UiPort.h"

namespace fendle {

void SlipTemplateEditing::edit(Box& box) {
    box.ui().openTemplateWindow(box.box().slipTemplate(), box.box().selectedRangesInTemplate().value_or(QList<TextRange>{}));
}

void SlipTemplateEditing::accept(Box& box) {
    UiPort& ui = box.ui();
    box.document().setSlipTemplate(ui.templateWindowText().deepCopy(), ui.templateWindowSelection());
    ui.closeTemplateWindow();
    box.undoManager().removeAllActions();
}

void SlipTemplateEditing::cancel(Box& box) {
    box.ui().closeTemplateWindow();
    box.undoManager().removeAllActions();
}

void SlipTemplateEditing::remove(Box& box) {
    UiPort& ui = box.ui();
    const UiPort::Alert question{UiPort::AlertStyle::Modal,
                                 QStringLiteral("Are you sure you want to delete the Slip Template for this box?"),
                                 QString(),
                                 {QStringLiteral("OK"), QStringLiteral("Cancel")}};
    if (ui.askQuestion(question) == 0)
        box.document().setSlipTemplate(std::nullopt, box.box().selectedRangesInTemplate());
    ui.closeTemplateWindow();
    box.undoManager().removeAllActions();
    box.markDocumentEdited();
}

}  // namespace fendle
