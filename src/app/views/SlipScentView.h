#pragma once
#include "app/views/ZNOutlineView.h"

namespace fendle {

class Box;
class SlipScentModel;

// The "SLIP SCENTS" list beside the current slip. Selecting a row shows that
// slip and leaves the list as it is; a double-click or Return makes it the
// current slip and ranks the list anew around it.
class SlipScentView : public ZNOutlineView {
    Q_OBJECT
public:
    explicit SlipScentView(fendle::Box& box, QWidget* parent = nullptr);

    // Reloads the list the box has ranked last: nothing selected, group open.
    void refresh();
    SlipScentModel& scentModel() { return *model_; }
    // The selected row as the list counts it (0 the group row), -1 for none.
    qsizetype selectedListRow() const;
    void doubleClickOnSlipScentTable();

private:
    fendle::Box& box_;
    SlipScentModel* model_;
    bool reloading_ = false;

    void connectToBox();
    void selectionDidChange();
    void selectOwnSlipWhenNothingSelected();
};

}  // namespace fendle
