#pragma once
#include "document/EditorCell.h"
#include "model/Slip.h"

#include <QDateTime>

namespace fendle {

class Box;

// An edit of the keywords, source or type field ("Change Keywords",
// "Change Source", "Change Type", or "Add Keyword" from the inspector).
// Undoing puts the field's string and the slip's time back.
class EditFieldCommand {
public:
    // The field's edit session ended with value changed from before.
    static void record(Box& box, EditorCell cell, const QString& before);
    // The inspector's keyword list: the keyword joins the keywords field.
    static void addKeywordToCurrentSlip(Box& box, const QString& keyword);

private:
    struct Record {
        SlipPtr slip;
        QString value;
        EditorCell cell = EditorCell::None;
        QDateTime lastModificationTime;
        QString actionName;  // empty: the field's own name
    };
    static const QString& nameOf(const Record& record);
    static void undo(Box& box, const Record& record);
};

}  // namespace fendle
