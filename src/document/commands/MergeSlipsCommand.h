#pragma once
#include "model/Slip.h"

#include <QList>

namespace fendle {

class Box;

// Merging slips into the first of them: texts joined under headings,
// keywords and sources collected; the others are removed for good. Undoing
// puts the first back as it was, in place, and files the others again.
class MergeSlipsCommand {
public:
    static void perform(Box& box, const QList<SlipPtr>& slips);

private:
    struct Record {
        SlipPtr first;
        SlipPtr firstBefore;  // a copy of the first as it was, standing in for the archived form
        QList<SlipPtr> others;
    };
    static void undo(Box& box, const Record& record);
};

}  // namespace fendle
