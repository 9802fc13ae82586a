// Placeholder: replaced when the real view lands.
#include "app/SlipScentView.h"

namespace fendle {

SlipScentView::SlipScentView(Box& box, QWidget* parent) : QWidget(parent), box_(box) {}

void SlipScentView::refresh() {}

}  // namespace fendle
