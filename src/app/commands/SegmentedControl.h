#pragma once
#include <QList>
#include <QWidget>

class QIcon;
class QLabel;
class QToolButton;

namespace fendle {

// A toolbar group of flat buttons (segments) that show theme icons. The
// group's label ("Add/Remove"...) names it for tool tips and screen readers;
// a toolbar row of captions would cost more width than the icons.
// Segments are addressed by their tag, their position in the group.
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
    // A theme icon; the segment's text stays as its name and shows only
    // when the theme has no icon for it.
    void setSegmentIcon(int tag, const QIcon& icon);
    // Icons with their texts beside them, or icons alone.
    void setTextsShown(bool shown);
    bool textsShown() const;
    // How much wider the control gets with its texts shown beside the icons.
    int textsExtent() const;
    void setLabel(const QString& label);
    QString label() const;

signals:
    void segmentClicked(int tag);

private:
    QList<QToolButton*> buttons_;
    QLabel* label_;
};

}  // namespace fendle
