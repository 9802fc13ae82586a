// Placeholder: replaced when the real view lands.
#include "app/SlipTextView.h"

#include "document/Box.h"

namespace fendle {

SlipTextView::SlipTextView(fendle::Box& box, QWidget* parent) : QTextEdit(parent), box_(box) {}

void SlipTextView::showEditorText() { setPlainText(box_.editor().text().string()); }

}  // namespace fendle
