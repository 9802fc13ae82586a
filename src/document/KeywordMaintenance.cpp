#include "document/KeywordMaintenance.h"

#include "document/Box.h"
#include "document/SlipsInKeyOrder.h"
#include "platform/ui/UiPort.h"
#include "scents/KeywordScent.h"
#include "scents/SlipScents.h"
#include "search/ResultTable.h"

namespace fendle {

using Row = KeywordAndSlipWindow::Row;

QList<Row> KeywordMaintenance::singletonKeywords(const KeywordScent& index) {
    const QHash<QString, QStringList>& slipsOfKeyword = index.keywordsInBox();
    QList<Row> rows;
    for (auto it = slipsOfKeyword.cbegin(); it != slipsOfKeyword.cend(); ++it) {
        // An empty piece between two commas names no keyword.
        if (it->size() < 2 && !it.key().isEmpty()) rows.append({it.key(), it->value(0)});
    }
    // The index keeps no order of its own; a fixed one keeps runs comparable.
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int folded = a.text.compare(b.text, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.text < b.text;
    });
    return rows;
}

QList<Row> KeywordMaintenance::orphanedSlips(const BoxData& box,
                                             const std::function<qsizetype(const Slip&)>& slipScentCount) {
    QList<Row> rows;
    for (const SlipPtr& slip : slipsInKeyOrder(box)) {
        if (slip->keywords().joined().isEmpty())
            rows.append({QStringLiteral("no keywords"), slip->key()});
        else if (slipScentCount(*slip) == 0)
            rows.append({QStringLiteral("no slip scents"), slip->key()});
    }
    return rows;
}

std::shared_ptr<const KeywordScent> KeywordMaintenance::keywordIndex() const {
    if (ports_.keywordIndex) {
        if (auto index = ports_.keywordIndex()) return index;
    }
    return std::make_shared<const KeywordScent>(box_.box().keywordsDictionary(), false);
}

// ---- keywords ----------------------------------------------------------------

unsigned KeywordMaintenance::replaceKeywordOK(const QString& oldKeyword, const QString& newKeyword) {
    // Pending edits of the shown slip go in first; the window is refreshed from the store.
    box_.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const unsigned count = box_.box().replaceAllOccurrencesOfKeyword(oldKeyword, newKeyword);
    box_.undoManager().removeAllActions();
    box_.markDocumentEdited();
    box_.setKeywordScentsMustBeUpdated(true);
    box_.updateWindow();
    ui_.displayAlert(QStringLiteral("Replaced all occurrences of '%1' with '%2' on %3 slips.")
                         .arg(oldKeyword, newKeyword, QString::number(count)),
                     QString());
    return count;
}

void KeywordMaintenance::addKeywordOK(const QString& keyword, const QStringList& selectedKeys) {
    QList<Box::KeywordsRestore> before;
    for (const QString& key : selectedKeys) {
        const SlipPtr slip = box_.slip(key);
        if (!slip) continue;
        before.append({slip, slip->keywords(), slip->lastModificationTime()});
        QStringList extended = slip->keywords().toStringList();
        extended.append(keyword);
        slip->setKeywords(KeywordsArray(extended));
    }
    box_.setKeywordScentsMustBeUpdated(true);
    box_.updateWindow();
    box_.registerAddKeywordToSelectedSlipsUndo(before);
    box_.rerunSearch();
}

// ---- the two lists -------------------------------------------------------------

std::shared_ptr<KeywordAndSlipWindow> KeywordMaintenance::showWindow(QList<Row> rows) {
    auto window = std::make_shared<KeywordAndSlipWindow>(std::move(rows));
    window->setDoubleAction([this](const QString& key) { performDoubleClickOnKeywordAndSlipWindow(key); });
    return window;
}

std::shared_ptr<KeywordAndSlipWindow> KeywordMaintenance::findSingletonKeywords() {
    auto window = showWindow(singletonKeywords(*keywordIndex()));
    if (ports_.showKeywordAndSlipWindow) ports_.showKeywordAndSlipWindow(window);
    return window;
}

std::shared_ptr<KeywordAndSlipWindow> KeywordMaintenance::findOrphanedSlips() {
    box_.storeCurrentSlip();
    const auto index = keywordIndex();
    auto window = showWindow(orphanedSlips(box_.box(), [&index](const Slip& slip) {
        return rankedSlipScents(slip, *index).size();
    }));
    window->setTitle(QStringLiteral("Orphaned Slips"));
    window->setKeywordColumnHeader(QStringLiteral("Problem"));
    window->setSlipColumnFirst(true);
    if (window->numberOfRowsInTableView() == 0)
        ui_.displayAlert(QStringLiteral("No orphaned slip in this box."),
                         QStringLiteral("An orphaned slip is a slip without keywords or slip scents."));
    if (ports_.showKeywordAndSlipWindow) ports_.showKeywordAndSlipWindow(window);
    return window;
}

void KeywordMaintenance::performDoubleClickOnKeywordAndSlipWindow(const QString& key) {
    // The list does not follow the box: the slip may be gone since.
    if (const SlipPtr slip = box_.slip(key)) box_.performChangeCurrentSlip(slip, false);
}

// ---- flags ---------------------------------------------------------------------

QList<SlipPtr> KeywordMaintenance::flaggedSlips() const { return box_.box().flaggedSlips(); }

void KeywordMaintenance::flagChanged(const QStringList& keys, bool value) {
    ui_.updateExtraSlipWindows();
    box_.registerFlagSlipUndo(keys, value);
}

void KeywordMaintenance::flagSlip() {
    const QString& tab = box_.selectedTabViewItemLabel();
    if (tab == Box::SlipTab) {
        const SlipPtr slip = box_.currentSlip();
        if (!slip) return;
        const bool value = !slip->isFlagged();
        slip->setFlagged(value);
        flagChanged({slip->key()}, value);
    } else if (tab == Box::SearchTab) {
        // One step per selected row, but one search for all of them.
        for (const QString& key : box_.selectedSearchResultKeys()) {
            const SlipPtr slip = box_.slip(key);
            if (!slip) continue;
            const bool value = !slip->isFlagged();
            slip->setFlagged(value);
            flagChanged({key}, value);
        }
        if (box_.searchTestsFlags()) box_.rerunSearch();
    }
}

void KeywordMaintenance::toggleFlagged(const std::optional<QString>& extraWindowSlipKey) {
    const SlipPtr slip = extraWindowSlipKey ? box_.slip(*extraWindowSlipKey) : box_.currentSlip();
    if (!slip) return;
    const bool value = !slip->isFlagged();
    slip->setFlagged(value);
    if (extraWindowSlipKey && box_.selectedTabViewItemLabel() == Box::SlipTab) box_.updateWindow();
    if (extraWindowSlipKey && box_.selectedTabViewItemLabel() == Box::SearchTab) showFlagInResults(slip->key(), value);
    flagChanged({slip->key()}, value);
}

void KeywordMaintenance::showFlagInResults(const QString& key, bool value) {
    // Result rows keep a flag of their own, shown in the table.
    ResultTable& results = box_.currentSearchResults();
    const qsizetype row = results.rowForResultWithSlipID(key);
    if (row < 0) return;
    QList<ResultEntry> entries = results.results();
    entries[row].setFlagged(value);
    results.setResults(entries);
    if (box_.hooks().searchResultsChanged) box_.hooks().searchResultsChanged();
}

void KeywordMaintenance::flagAllSlips() {
    const QStringList keys = box_.currentSearchResults().slipIDsForResults();
    for (const QString& key : keys) {
        if (const SlipPtr slip = box_.slip(key)) slip->setFlagged(true);
    }
    box_.rerunSearch();
    flagChanged(keys, true);
}

void KeywordMaintenance::unflagAllSlips() {
    QStringList keys;
    for (const SlipPtr& slip : flaggedSlips()) keys.append(slip->key());
    for (const SlipPtr& slip : box_.box().slips()) slip->setFlagged(false);
    if (box_.selectedTabViewItemLabel() == Box::SearchTab) box_.rerunSearch();
    flagChanged(keys, false);
}

// ---- statistics and the plug-in interface ----------------------------------------

BoxStatistics KeywordMaintenance::statistics() {
    const BoxStatistics stats = BoxStatistics::compute(box_.box(), *keywordIndex());
    if (ports_.showStatistics) ports_.showStatistics(stats);
    return stats;
}

void KeywordMaintenance::replaceFieldOfCurrentSlip(int cell, const std::optional<QString>& value) {
    if (!box_.currentSlip()) return;
    EditorModel& editor = box_.editor();
    // An edit session of the field: its end records "Change Keywords" or
    // "Change Source" and stores the slip.
    editor.focus(cell);
    editor.typeInField(cell, value.value_or(QString()));
    editor.endEditing();
    box_.updateWindow();
}

void KeywordMaintenance::replaceKeywordsOfCurrentSlipWithString(const std::optional<QString>& value) {
    replaceFieldOfCurrentSlip(EditorModel::KeywordsCell, value);
}

void KeywordMaintenance::replaceSourceOfCurrentSlipWithString(const std::optional<QString>& value) {
    replaceFieldOfCurrentSlip(EditorModel::SourceCell, value);
}

}  // namespace fendle
