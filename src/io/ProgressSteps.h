#pragma once
#include <QString>
#include <QtGlobal>

namespace fendle {

class UiPort;

// The progress panel of a walk over n items: shown at 0.1 %, moved on only
// when the shown value changes (a panel that repaints for each of 100,000
// slips would cost more than the walk), hidden at the end of the scope.
class ProgressSteps {
public:
    ProgressSteps(UiPort& ui, const QString& text, qsizetype count);
    ~ProgressSteps();
    ProgressSteps(const ProgressSteps&) = delete;
    ProgressSteps& operator=(const ProgressSteps&) = delete;

    // Item i of n (counted from 1) is under way.
    void step(qsizetype i);

private:
    UiPort& ui_;
    qsizetype count_;
    int shownPerMille_ = 1;
};

}  // namespace fendle
