#include "document/commands/EditFieldCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"

namespace fendle {

namespace names = undo_names;

const QString& EditFieldCommand::nameOf(const Record& record) {
    if (!record.actionName.isEmpty()) return record.actionName;
    if (record.cell == EditorCell::Source) return names::ChangeSource;
    if (record.cell == EditorCell::Type) return names::ChangeType;
    return names::ChangeKeywords;
}

void EditFieldCommand::record(Box& box, EditorCell cell, const QString& before) {
    const SlipPtr slip = box.currentSlip();
    const Record record{slip, before, cell, slip->lastModificationTime(), QString()};
    box.registerStep([&box, record] { undo(box, record); }, nameOf(record));
}

void EditFieldCommand::addKeywordToCurrentSlip(Box& box, const QString& keyword) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    EditorModel& editor = box.editor();
    const QString before = editor.fieldString(EditorCell::Keywords);
    const Record record{slip, before, EditorCell::Keywords, slip->lastModificationTime(), names::AddKeyword};
    box.registerStep([&box, record] { undo(box, record); }, names::AddKeyword);
    editor.setFieldString(EditorCell::Keywords,
                          before.trimmed().isEmpty() ? keyword : before + QStringLiteral(", ") + keyword);
    box.storeCurrentSlip();
    box.updateSlipScent();
}

void EditFieldCommand::undo(Box& box, const Record& record) {
    box.applierStarted();
    box.selectTabViewItemWithLabel(BoxTab::Slip);
    box.announceSlip(record.slip);
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    EditorModel& editor = box.editor();
    const Record reverse{slip, editor.fieldString(record.cell), record.cell, slip->lastModificationTime(),
                         record.actionName};
    box.registerStep([&box, reverse] { undo(box, reverse); }, nameOf(reverse));
    editor.setFieldString(record.cell, record.value);
    box.storeCurrentSlip();
    editor.setChangedCell(EditorCell::None);
    slip->setLastModificationTime(record.lastModificationTime);
}

}  // namespace fendle
