#pragma once
#include "model/Slip.h"

namespace fendle {

class Box;

// Adding a slip: a new one from the template, a pasted one, or one made from
// rich text or a file. Undoing removes it for good and shows the slip shown
// before; redoing files that same slip again the way it came.
class AddSlipCommand {
public:
    enum class Mode { Added = 0, Pasted = 1, FromRTF = 2, FromFile = 3 };

    // A new slip from the box's template, shown and searched for.
    static void addNewSlip(Box& box);
    // The given slip filed with the next number and shown (pasting).
    static void addSlip(Box& box, const SlipPtr& slip);
    // The undo step of a slip already filed and shown by rich-text or file
    // creation; previous was current before.
    static void recordCreatedSlip(Box& box, const SlipPtr& slip, const SlipPtr& previous, Mode mode);

private:
    struct Record {
        SlipPtr slip;
        SlipPtr previous;
        Mode mode = Mode::Added;
    };
    static void record(Box& box, const Record& record);
    static void undo(Box& box, const Record& record);
    // Redoing: the slip the step removed, filed again with the next number.
    static void refile(Box& box, const SlipPtr& slip, Mode mode);
};

}  // namespace fendle
