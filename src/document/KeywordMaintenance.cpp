#include "document/KeywordMaintenance.h"

#include "document/Box.h"
#include "document/SlipsInKeyOrder.h"
#include "document/commands/AddKeywordToSlipsCommand.h"
#include "document/commands/FlagSlipsCommand.h"
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

// ---- keywords ----------------------------------------------------------------

unsigned KeywordMaintenance::replaceKeywordOK(const QString& oldKeyword, const QString& newKeyword) {
    // Pending edits of the shown slip go in first; the window is refreshed from the store.
    box_.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const unsigned count = box_.document().replaceAllOccurrencesOfKeyword(oldKeyword, newKeyword);
    box_.undoManager().removeAllActions();
    box_.markDocumentEdited();
    box_.updateWindow();
    box_.ui().displayAlert(QStringLiteral("Replaced all occurrences of '%1' with '%2' on %3 slips.")
                         .arg(oldKeyword, newKeyword, QString::number(count)),
                     QString());
    return count;
}

void KeywordMaintenance::addKeywordOK(const QString& keyword, const QStringList& selectedKeys) {
    QList<AddKeywordToSlipsCommand::Before> before;
    for (const QString& key : selectedKeys) {
        const SlipPtr slip = box_.slip(key);
        if (!slip) continue;
        before.append({slip, slip->keywords(), slip->lastModificationTime()});
        QStringList extended = slip->keywords().toStringList();
        extended.append(keyword);
        slip->setKeywords(KeywordsArray(extended));
        box_.document().slipDidChange(slip, BoxDocument::Change::Keywords);
    }
    box_.updateWindow();
    AddKeywordToSlipsCommand::record(box_, before);
    box_.rerunSearch();
}

// ---- the two lists -------------------------------------------------------------

std::shared_ptr<KeywordAndSlipWindow> KeywordMaintenance::showWindow(QList<Row> rows) {
    auto window = std::make_shared<KeywordAndSlipWindow>(std::move(rows));
    // The list may outlive the command that made it, not the box.
    Box* box = &box_;
    window->setDoubleAction([box](const QString& key) { performDoubleClickOnKeywordAndSlipWindow(*box, key); });
    return window;
}

std::shared_ptr<KeywordAndSlipWindow> KeywordMaintenance::findSingletonKeywords() {
    box_.storeCurrentSlip();
    return showWindow(singletonKeywords(*box_.keywordScents()));
}

std::shared_ptr<KeywordAndSlipWindow> KeywordMaintenance::findOrphanedSlips() {
    box_.storeCurrentSlip();
    const auto index = box_.keywordScents();
    auto window = showWindow(orphanedSlips(box_.box(), [&index](const Slip& slip) {
        return rankedSlipScents(slip, *index).size();
    }));
    window->setTitle(QStringLiteral("Orphaned Slips"));
    window->setKeywordColumnHeader(QStringLiteral("Problem"));
    window->setSlipColumnFirst(true);
    if (window->numberOfRowsInTableView() == 0)
        box_.ui().displayAlert(QStringLiteral("No orphaned slip in this box."),
                               QStringLiteral("An orphaned slip is a slip without keywords or slip scents."));
    return window;
}

void KeywordMaintenance::performDoubleClickOnKeywordAndSlipWindow(Box& box, const QString& key) {
    // The list does not follow the box: the slip may be gone since.
    if (const SlipPtr slip = box.slip(key)) box.performChangeCurrentSlip(slip, false);
}

// ---- flags ---------------------------------------------------------------------

QList<SlipPtr> KeywordMaintenance::flaggedSlips() const { return box_.box().flaggedSlips(); }

// A flag changed in place: the result rows showing it, the extra windows
// and the slip view follow the document's notification.
void KeywordMaintenance::setFlag(const SlipPtr& slip, bool value) {
    slip->setFlagged(value);
    box_.document().slipDidChange(slip);
}

void KeywordMaintenance::flagChanged(const QStringList& keys, bool value) { FlagSlipsCommand::record(box_, keys, value); }

void KeywordMaintenance::flagSlip() {
    const BoxTab tab = box_.selectedTab();
    if (tab == BoxTab::Slip) {
        const SlipPtr slip = box_.currentSlip();
        if (!slip) return;
        const bool value = !slip->isFlagged();
        setFlag(slip, value);
        flagChanged({slip->key()}, value);
    } else if (tab == BoxTab::Search) {
        // One step per selected row, but one search for all of them.
        for (const QString& key : box_.selectedSearchResultKeys()) {
            const SlipPtr slip = box_.slip(key);
            if (!slip) continue;
            const bool value = !slip->isFlagged();
            setFlag(slip, value);
            flagChanged({key}, value);
        }
        if (box_.searchTestsFlags()) box_.rerunSearch();
    }
}

void KeywordMaintenance::toggleFlagged(const std::optional<QString>& extraWindowSlipKey) {
    const SlipPtr slip = extraWindowSlipKey ? box_.slip(*extraWindowSlipKey) : box_.currentSlip();
    if (!slip) return;
    const bool value = !slip->isFlagged();
    setFlag(slip, value);
    if (extraWindowSlipKey && box_.selectedTab() == BoxTab::Slip) box_.updateWindow();
    flagChanged({slip->key()}, value);
}

void KeywordMaintenance::flagAllSlips() {
    const QStringList keys = box_.currentSearchResults().slipIDsForResults();
    for (const QString& key : keys) {
        if (const SlipPtr slip = box_.slip(key)) setFlag(slip, true);
    }
    box_.rerunSearch();
    flagChanged(keys, true);
}

void KeywordMaintenance::unflagAllSlips() {
    QStringList keys;
    for (const SlipPtr& slip : flaggedSlips()) keys.append(slip->key());
    for (const QString& key : keys) setFlag(box_.slip(key), false);
    if (box_.selectedTab() == BoxTab::Search) box_.rerunSearch();
    flagChanged(keys, false);
}

// ---- statistics and the plug-in interface ----------------------------------------

BoxStatistics KeywordMaintenance::statistics() {
    box_.storeCurrentSlip();
    return BoxStatistics::compute(box_.box(), *box_.keywordScents());
}

void KeywordMaintenance::replaceFieldOfCurrentSlip(EditorCell cell, const std::optional<QString>& value) {
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
    replaceFieldOfCurrentSlip(EditorCell::Keywords, value);
}

void KeywordMaintenance::replaceSourceOfCurrentSlipWithString(const std::optional<QString>& value) {
    replaceFieldOfCurrentSlip(EditorCell::Source, value);
}

}  // namespace fendle
