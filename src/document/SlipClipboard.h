#pragma once

namespace fendle {

class Box;

// Copying slips to the clipboard (the slips themselves, and their export
// text as plain and rich text, pictures included) and pasting them as new
// slips of a box.
class SlipClipboard {
public:
    // The current slip, the selected search results, or the slip row
    // selected in the alternating scent view.
    static void copySlip(Box& box);
    // Each slip on the clipboard becomes a new slip, with its own "Paste Slip" step.
    static void pasteSlip(Box& box);
};

}  // namespace fendle
