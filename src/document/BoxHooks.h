#pragma once
#include "model/Slip.h"
#include "platform/TextAttributes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace fendle {

// What the box document needs from the scents, search, archive, rich-text
// and export code. Each hook may be left empty: the box then skips that
// refresh (or, where a result is needed, reports that it is missing).
struct BoxHooks {
    // Slip scents: element 0 is the slip's own key, the others related slips.
    // Empty while the slip scent table does not exist.
    std::function<QStringList(const SlipPtr&)> slipScentsForSlip;
    std::function<void()> updateSlipScent;
    std::function<void()> rebuildKeywordScentTable;

    // Search view.
    std::function<void()> rerunSearch;
    std::function<void()> showAllSlipsAsSearchResults;
    // Keyword and alternating scents built anew from the store.
    std::function<void()> rebuildScents;
    std::function<QStringList()> selectedSearchResultKeys;  // in row order
    std::function<int()> selectedSearchResultRow;           // -1 when none
    std::function<int()> numberOfSearchResults;
    std::function<void(int)> selectSearchResultRow;

    // The selected row of the alternating scent view: its label and whether
    // it is a slip row.
    struct AlternatingRow {
        QString label;
        bool isSlip = false;
    };
    std::function<std::optional<AlternatingRow>()> selectedAlternatingScentRow;

    // Others told about changes: the Spotlight plug-in and the inspector.
    std::function<void(const SlipPtr&)> slipChanged;
    std::function<void()> keywordListChanged;

    // Clipboard forms: the keyed archive of a slip array, and the export text.
    std::function<std::optional<QByteArray>(const QList<SlipPtr>&)> archiveSlips;
    std::function<std::optional<QList<SlipPtr>>(const QByteArray&)> unarchiveSlips;
    std::function<QString(const Slip&)> exportString;
    std::function<std::optional<QByteArray>(const QString&)> rtfdData;

    // Redo of a slip created from a file (services); gets the slip.
    std::function<void(const SlipPtr&)> createSlipFromFile;

    // Closing: the window frame and the scent-path switch go to the
    // defaults, which are then written; false when writing failed.
    std::function<void()> storeWindowState;
    std::function<bool()> synchronizeDefaults;

    // The preference "SlipTextFont".
    FontAttribute defaultSlipFont{QStringLiteral("Helvetica"), QStringLiteral("Helvetica"), 12.0};
};

}  // namespace fendle
