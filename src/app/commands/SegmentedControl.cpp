#include "app/commands/SegmentedControl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace fendle {

SegmentedControl::SegmentedControl(const QStringList& segmentTexts, const QString& label, QWidget* parent)
    : QWidget(parent), label_(new QLabel(label, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 0, 2, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    for (int tag = 0; tag < segmentTexts.size(); ++tag) {
        auto* button = new QToolButton(this);
        button->setText(segmentTexts[tag]);
        button->setAutoRaise(false);
        connect(button, &QToolButton::clicked, this, [this, tag] { emit segmentClicked(tag); });
        row->addWidget(button);
        buttons_.append(button);
    }
    column->addLayout(row);
    label_->setAlignment(Qt::AlignHCenter);
    QFont small = label_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label_->setFont(small);
    label_->setVisible(!label.isEmpty());
    column->addWidget(label_);
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

void SegmentedControl::setLabel(const QString& label) {
    label_->setText(label);
    label_->setVisible(!label.isEmpty());
}

QString SegmentedControl::label() const { return label_->text(); }

}  // namespace fendle
