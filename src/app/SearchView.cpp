// Placeholder: replaced when the real view lands.
#include "app/SearchView.h"

namespace fendle {

SearchView::SearchView(Box& box, QWidget* parent) : QWidget(parent), box_(box) {}

void SearchView::refresh() {}

}  // namespace fendle
