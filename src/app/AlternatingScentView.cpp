// Placeholder: replaced when the real view lands.
#include "app/AlternatingScentView.h"

namespace fendle {

AlternatingScentView::AlternatingScentView(Box& box, QWidget* parent) : QWidget(parent), box_(box) {}

void AlternatingScentView::refresh() {}

}  // namespace fendle
