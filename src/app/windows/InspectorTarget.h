#pragma once
#include "model/Slip.h"

namespace fendle {

class BoxWindow;

// What the inspector panel refers to: the box window in front (or the one
// of the extra slip window in front), and that extra window's slip.
class InspectorTarget {
public:
    virtual ~InspectorTarget() = default;
    // None while no box window is open.
    virtual BoxWindow* currentBoxWindow() const = 0;
    // The slip of the extra slip window in front; none when none is.
    virtual SlipPtr keyExtraWindowSlip() const = 0;
};

}  // namespace fendle
