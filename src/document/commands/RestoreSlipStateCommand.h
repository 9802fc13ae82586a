#pragma once
#include "model/Slip.h"

namespace fendle {

class Box;

// Whole-slip steps (drops, picture resizing, conversion to the default
// font): undoing files the slip as it was in place of the changed one, and
// the reverse step swaps them back.
class RestoreSlipStateCommand {
public:
    static void record(Box& box, const SlipPtr& oldState, const SlipPtr& newState, const QString& actionName);

private:
    static void apply(Box& box, const SlipPtr& putBack, const SlipPtr& replaced, const QString& actionName);
};

}  // namespace fendle
