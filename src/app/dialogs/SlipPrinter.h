#pragma once
#include "platform/richtext/RichText.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace fendle {

class Box;
class PrintViewController;
class UiPort;

// Printing from the box window: the chosen slips' export strings through
// the print dialogue, whose options decide what is printed, on pages with
// margins of 72 points.
class SlipPrinter {
public:
    static constexpr double MarginPoints = 72.0;

    // What a print of the box shows before any option is changed: the
    // current slip with scents, keywords and source but no type; empty
    // without a current slip.
    static RichText printString(Box& box);
    // Lays the text out on the printer's pages; false when the printer
    // could not be started.
    static bool print(const RichText& text, QPrinter& printer);
    // What the options ask for: the print string, or with "One slip per
    // page" each chosen slip on a page of its own.
    static bool print(PrintViewController& options, QPrinter& printer);
    // The margins every print and PDF of a box uses.
    static void preparePrinter(QPagedPaintDevice& device);
    // "Print": stores the current slip, then asks with a window-modal
    // dialogue that holds the print options.
    static void printDocument(Box& box, QWidget& window);
};

}  // namespace fendle
