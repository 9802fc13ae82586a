// Placeholder: replaced when the real view lands.
#include "app/KeywordScentView.h"

namespace fendle {

KeywordScentView::KeywordScentView(Box& box, QWidget* parent) : QWidget(parent), box_(box) {}

void KeywordScentView::refresh() {}

}  // namespace fendle
