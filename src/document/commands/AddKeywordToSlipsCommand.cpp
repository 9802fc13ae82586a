#include "document/commands/AddKeywordToSlipsCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"

namespace fendle {

void AddKeywordToSlipsCommand::record(Box& box, const QList<Before>& before) {
    box.registerStep([&box, before] { undo(box, before); }, undo_names::AddKeyword);
}

void AddKeywordToSlipsCommand::undo(Box& box, const QList<Before>& records) {
    box.applierStarted();
    QList<Before> reverse;
    for (const Before& record : records) {
        if (!record.slip) continue;
        reverse.append({record.slip, record.slip->keywords(), record.slip->lastModificationTime()});
        record.slip->setKeywordsWithoutLastModificationDate(record.keywords);
        if (box.undoManager().isUndoing())
            record.slip->setLastModificationTime(record.lastModificationTime);
        else
            record.slip->updateLastModificationTime();
        box.document().slipDidChange(record.slip, BoxDocument::Change::Keywords);
    }
    AddKeywordToSlipsCommand::record(box, reverse);
    box.updateWindow();
    box.rerunSearch();
}

}  // namespace fendle
