#pragma once
#include <QList>
#include <QWidget>

class QLabel;
class QToolButton;

namespace fendle {

// A toolbar group of buttons (segments) with a label below it. Segments
// are addressed by their tag, their position in the group.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    SegmentedControl(const QStringList& segmentTexts, const QString& label, QWidget* parent = nullptr);

    int segmentCount() const { return int(buttons_.size()); }
    QToolButton* segment(int tag) const { return buttons_.value(tag); }
    void setSegmentEnabled(int tag, bool enabled);
    bool isSegmentEnabled(int tag) const;
    void setSegmentSelected(int tag, bool selected);
    bool isSegmentSelected(int tag) const;
    void setSegmentToolTip(int tag, const QString& toolTip);
    // The image is named, as the resources name it; the name is kept on the
    // segment as its "imageName" property.
    void setSegmentImage(int tag, const QString& imageName);
    void setSegmentsCheckable(bool checkable);
    void setLabel(const QString& label);
    QString label() const;

signals:
    void segmentClicked(int tag);

private:
    QList<QToolButton*> buttons_;
    QLabel* label_;
};

}  // namespace fendle
