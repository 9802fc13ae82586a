#include "app/views/RuleArea.h"

#include <QEvent>
#include <QScrollBar>

namespace fendle {

namespace {
constexpr int VisibleRuleLines = 8;
}

RuleArea::RuleArea(QWidget* rules, QWidget* parent) : QScrollArea(parent) {
    setWidget(rules);
    setWidgetResizable(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // The rules announce a new layout when a row comes or goes.
    rules->installEventFilter(this);
}

int RuleArea::heightLimit() const { return VisibleRuleLines * (fontMetrics().height() + 14); }

QSize RuleArea::sizeHint() const {
    const int content = widget() ? widget()->sizeHint().height() : 0;
    const int frame = 2 * frameWidth();
    return {QScrollArea::sizeHint().width(), qMin(content + frame, heightLimit())};
}

QSize RuleArea::minimumSizeHint() const { return {QScrollArea::minimumSizeHint().width(), sizeHint().height()}; }

bool RuleArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace fendle
