#pragma once
#include "document/BoxTab.h"
#include "model/Slip.h"

#include <QList>
#include <optional>

namespace fendle {

class Box;

// Removing slips to the trash, or, while the trash is shown, restoring them
// from it: the current slip, or the slips selected in the search view. Each
// slip gets its own undo step, which moves it back.
class RemoveSlipsCommand {
public:
    static void perform(Box& box);

private:
    struct Record {
        SlipPtr slip;
        SlipPtr replacement;  // the empty slip made when the last one went
    };
    // The slips a removal takes, by view; none after a refusal.
    static std::optional<QList<SlipPtr>> slipsToRemove(Box& box, BoxTab view, int& selectedRow);
    static void chooseSlipAfterRemoval(Box& box, BoxTab view, int selectedRow);
    static void undo(Box& box, const Record& record);
    static void redo(Box& box, const SlipPtr& slip);
};

}  // namespace fendle
