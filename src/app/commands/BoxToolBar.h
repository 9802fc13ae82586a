#pragma once
#include <QToolBar>

class QAction;
class QComboBox;

namespace fendle {

class SegmentedControl;
struct BoxWindowContext;
struct ToolbarState;

// The box window's toolbar: the segmented controls in their declared
// order and the plain items "Print", "Trash" and "Preferences", as theme
// icons with tool tips. It shows what a ToolbarState says and emits the
// user's clicks.
class BoxToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit BoxToolBar(QWidget* parent = nullptr);

    SegmentedControl* saveBoxToolbarControl;
    SegmentedControl* changeSlipToolbarControl;
    SegmentedControl* goBackForwardToolbarControl;
    SegmentedControl* viewSelectorToolbarControl;
    SegmentedControl* fontCharacteristicsToolbarControl;
    SegmentedControl* zoomToolbarControl;
    QComboBox* zoomPopUp;
    // Kept for its state only: the "+" of "Add/Remove" adds slips on the
    // toolbar, "Slip > Add" in the menu.
    SegmentedControl* addSlipToolbarControl;
    SegmentedControl* addRemoveSlipToolbarControl;
    SegmentedControl* splitMergeToolbarControl;
    SegmentedControl* openInExtraSlipWindowToolbarControl;
    SegmentedControl* inspectorToolbarControl;
    QAction* trashItem;
    QAction* preferencesItem;
    QAction* printItem;

    void apply(const ToolbarState& state, const BoxWindowContext& context);
    void selectView(int segment);
    void showZoomFactor(qint32 percent);
    // The zoom pop-up's titles: "%@%%" of each factor.
    static QString zoomTitle(qint32 percent);
    // The width every item needs side by side, so none goes to the overflow menu.
    int neededWidth() const;

protected:
    // QToolBar takes its resize events in event(), so the fitting waits there.
    bool event(QEvent* event) override;

private:
    // The view selector names its views where there is room, else shows icons only.
    void fitToWidth();
    bool nudging_ = false;
};

}  // namespace fendle
