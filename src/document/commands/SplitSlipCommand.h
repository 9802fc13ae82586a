#pragma once
#include "model/Slip.h"

#include <QDateTime>

namespace fendle {

class Box;

// Splitting the current slip at the selection: the selected text (or all
// after the cursor) moves to a new slip with the same keywords, source,
// type and author. Undoing removes the new slip and gives the text back;
// redoing files that same slip again.
class SplitSlipCommand {
public:
    static void perform(Box& box);

private:
    struct Record {
        RichText textBefore;
        SlipPtr newSlip;
        SlipPtr dividedSlip;
        qsizetype location = 0;
        qsizetype length = 0;
        QDateTime timeBefore;
    };
    // Splits the current slip; again is the slip made by the first split
    // when it is redone, none the first time.
    static void divide(Box& box, const SlipPtr& again);
    static void undo(Box& box, const Record& record);
    static void redo(Box& box, const Record& record);
};

}  // namespace fendle
