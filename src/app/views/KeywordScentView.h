#pragma once
#include <QWidget>

class QCheckBox;

namespace fendle {

class Box;
class KeywordScentModel;
class ZNOutlineView;

// The "Keyword Scent" tab: the endless tree of scent paths and its two check
// boxes. A double-click (or Return) adds the row's keyword to the search, and
// with "use scent path" on the keywords of its ancestors as well.
class KeywordScentView : public QWidget {
    Q_OBJECT
public:
    static inline const QString UseScentPathKey = QStringLiteral("UseScentPathForSearch");

    explicit KeywordScentView(Box& box, QWidget* parent = nullptr);

    // Installs the box's keyword index, rebuilding it when it is stale.
    void refresh();

    ZNOutlineView* outlineView() const { return tree_; }
    KeywordScentModel& scentModel() { return *model_; }
    QCheckBox* showDuplicatesInScentPathButton() const { return showDuplicates_; }
    QCheckBox* useScentPathForSearchButton() const { return useScentPath_; }
    // Stored under "UseScentPathForSearch" when the box closes.
    bool useScentPathForSearch() const;
    // The stored value, when the window is set up.
    void setUseScentPathForSearch(bool on);

    void showDuplicatesInScentPathButtonChanged();
    void doubleClickOnScentTable();

private:
    Box& box_;
    KeywordScentModel* model_;
    ZNOutlineView* tree_;
    QCheckBox* showDuplicates_;
    QCheckBox* useScentPath_;
    bool refreshing_ = false;

    void connectToBox();
};

}  // namespace fendle
