#pragma once
#include "document/BoxStatistics.h"
#include "document/KeywordAndSlipWindow.h"

#include <QStringList>
#include "document/EditorCell.h"
#include "model/Slip.h"

#include <functional>
#include <memory>
#include <optional>

namespace fendle {

class Box;
class KeywordScent;

// The box's housekeeping: renaming a keyword everywhere, adding a keyword
// to many slips, the singleton-keyword and orphaned-slip lists, the flag
// commands and the statistics. The lists and the statistics are answered
// for the caller to show.
class KeywordMaintenance {
public:
    explicit KeywordMaintenance(Box& box) : box_(box) {}

    // Rows of the two lists, computed without any window.
    static QList<KeywordAndSlipWindow::Row> singletonKeywords(const KeywordScent& index);
    // slipScentCount answers the number of related slips of a slip.
    static QList<KeywordAndSlipWindow::Row> orphanedSlips(const BoxData& box,
                                                          const std::function<qsizetype(const Slip&)>& slipScentCount);

    // The replace-keyword dialogue's OK: not undoable; answers the count.
    unsigned replaceKeywordOK(const QString& oldKeyword, const QString& newKeyword);
    // The add-keyword sheet's OK over the selected results, in selection order.
    void addKeywordOK(const QString& keyword, const QStringList& selectedKeys);

    std::shared_ptr<KeywordAndSlipWindow> findSingletonKeywords();
    std::shared_ptr<KeywordAndSlipWindow> findOrphanedSlips();
    // The double action of a list: the listed slip becomes current.
    static void performDoubleClickOnKeywordAndSlipWindow(Box& box, const QString& key);

    QList<SlipPtr> flaggedSlips() const;
    void flagSlip();
    // The flag check box of the box window (nullopt) or of an extra window's slip.
    void toggleFlagged(const std::optional<QString>& extraWindowSlipKey = std::nullopt);
    void flagAllSlips();
    void unflagAllSlips();

    BoxStatistics statistics();

    // The plug-in interface: the field takes the string (none empties it).
    void replaceKeywordsOfCurrentSlipWithString(const std::optional<QString>& value);
    void replaceSourceOfCurrentSlipWithString(const std::optional<QString>& value);

private:
    Box& box_;

    void setFlag(const SlipPtr& slip, bool value);
    void flagChanged(const QStringList& keys, bool value);
    void replaceFieldOfCurrentSlip(EditorCell cell, const std::optional<QString>& value);
    std::shared_ptr<KeywordAndSlipWindow> showWindow(QList<KeywordAndSlipWindow::Row> rows);
};

}  // namespace fendle
