#include "io/ProgressSteps.h"

#include "platform/ui/UiPort.h"

namespace fendle {

ProgressSteps::ProgressSteps(UiPort& ui, const QString& text, qsizetype count) : ui_(ui), count_(count) {
    ui_.showProgress(text, 0.1);
}

ProgressSteps::~ProgressSteps() { ui_.hideProgress(); }

void ProgressSteps::step(qsizetype i) {
    if (count_ <= 0) return;
    const int perMille = int(1000 * i / count_);
    if (perMille == shownPerMille_) return;
    shownPerMille_ = perMille;
    ui_.setProgress(perMille / 10.0);
}

}  // namespace fendle
