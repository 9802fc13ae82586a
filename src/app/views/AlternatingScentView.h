#pragma once
#include "app/views/ZNOutlineView.h"
#include "document/Box.h"

#include <optional>

namespace fendle {

class AlternatingScentModel;
class Box;

// The "Alternating Scent" tab: keywords, the slips carrying them, those
// slips' keywords, and so on. A double-click on a keyword adds it to the
// search; on a slip it shows that slip.
class AlternatingScentView : public ZNOutlineView {
    Q_OBJECT
public:
    explicit AlternatingScentView(fendle::Box& box, QWidget* parent = nullptr);

    // Installs the box's graph as last built.
    void refresh();
    AlternatingScentModel& scentModel() { return *model_; }
    void doubleClickOnAlternatingScentOutlineView();
    // The selected row's text and whether it is a slip row; none without a selection.
    std::optional<fendle::Box::AlternatingRow> selectedRow() const;

private:
    fendle::Box& box_;
    AlternatingScentModel* model_;

    void connectToBox();
};

}  // namespace fendle
