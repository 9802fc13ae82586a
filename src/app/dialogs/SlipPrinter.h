#pragma once
#include "platform/richtext/RichText.h"

class QPrinter;
class QWidget;

namespace fendle {

class Box;

// Printing from the box window: the current slip's export string (with
// scents, keywords and source, without type) through the print dialogue,
// on pages with margins of 72 points.
class SlipPrinter {
public:
    static constexpr double MarginPoints = 72.0;

    // What a print of the box's current slip shows; empty without one.
    static RichText printString(Box& box);
    // Lays the text out on the printer's pages; false when the printer
    // could not be started.
    static bool print(const RichText& text, QPrinter& printer);
    // The margins and page settings every print of a box uses.
    static void preparePrinter(QPrinter& printer);
    // "Print": stores the current slip, then asks with a window-modal dialogue.
    static void printDocument(Box& box, QWidget& window);
};

}  // namespace fendle
