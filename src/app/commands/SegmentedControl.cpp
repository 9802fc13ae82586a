#include "app/commands/SegmentedControl.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace fendle {

SegmentedControl::SegmentedControl(const QStringList& segmentTexts, const QString& label, QWidget* parent)
    : QWidget(parent), label_(new QLabel(label, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    for (int tag = 0; tag < segmentTexts.size(); ++tag) {
        auto* button = new QToolButton(this);
        button->setText(segmentTexts[tag]);
        button->setAutoRaise(true);
        button->setIconSize(QSize(22, 22));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(button, &QToolButton::clicked, this, [this, tag] { emit segmentClicked(tag); });
        row->addWidget(button);
        buttons_.append(button);
    }
    column->addLayout(row);
    label_->hide();
    setAccessibleName(label);
}

void SegmentedControl::setSegmentEnabled(int tag, bool enabled) {
    if (QToolButton* button = segment(tag)) button->setEnabled(enabled);
}

bool SegmentedControl::isSegmentEnabled(int tag) const {
    const QToolButton* button = segment(tag);
    return button && button->isEnabled() && isEnabled();
}

void SegmentedControl::setSegmentSelected(int tag, bool selected) {
    if (QToolButton* button = segment(tag)) {
        button->setCheckable(true);
        button->setChecked(selected);
    }
}

bool SegmentedControl::isSegmentSelected(int tag) const {
    const QToolButton* button = segment(tag);
    return button && button->isChecked();
}

void SegmentedControl::setSegmentToolTip(int tag, const QString& toolTip) {
    if (QToolButton* button = segment(tag)) button->setToolTip(toolTip);
}

void SegmentedControl::setSegmentImage(int tag, const QString& imageName) {
    if (QToolButton* button = segment(tag)) button->setProperty("imageName", imageName);
}

void SegmentedControl::setSegmentsCheckable(bool checkable) {
    for (QToolButton* button : buttons_) button->setCheckable(checkable);
}

void SegmentedControl::setSegmentIcon(int tag, const QIcon& icon) {
    QToolButton* button = segment(tag);
    if (!button || icon.isNull()) return;
    button->setIcon(icon);
    if (button->toolButtonStyle() == Qt::ToolButtonTextOnly) button->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void SegmentedControl::setTextsShown(bool shown) {
    for (QToolButton* button : buttons_) {
        if (button->icon().isNull()) continue;
        button->setToolButtonStyle(shown ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    }
}

bool SegmentedControl::textsShown() const {
    return std::any_of(buttons_.cbegin(), buttons_.cend(),
                       [](const QToolButton* b) { return b->toolButtonStyle() == Qt::ToolButtonTextBesideIcon; });
}

int SegmentedControl::textsExtent() const {
    int extent = 0;
    for (const QToolButton* button : buttons_)
        if (!button->icon().isNull())
            extent += button->fontMetrics().horizontalAdvance(button->text()) + 2 * button->fontMetrics().averageCharWidth();
    return extent;
}

void SegmentedControl::setLabel(const QString& label) {
    label_->setText(label);
    setAccessibleName(label);
}

QString SegmentedControl::label() const { return label_->text(); }

}  // namespace fendle
