#pragma once

class QWidget;

namespace fendle {

struct BoxStatistics;

// The statistics sheet: the thirteen figures of a box, label and value.
class StatisticsSheet {
public:
    // Shows the sheet on the window; it goes when closed.
    static void show(const BoxStatistics& statistics, QWidget* window);
};

}  // namespace fendle
