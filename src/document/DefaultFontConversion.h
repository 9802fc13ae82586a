#pragma once

namespace fendle {

class Box;
class UiPort;

// "Convert Text To Default": the selection (or the whole slip text) takes
// the slip text font, keeping its other attributes; one undo step.
void convertSelectedSlipTextToDefault(Box& box, UiPort& ui);

}  // namespace fendle
