#include "document/Box.h"

#include "document/ArchiveBoxFileCodec.h"
#include "document/UndoNames.h"
#include "model/SlipArrayArchive.h"
#include "platform/system/DateUtils.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/system/Log.h"
#include "platform/ui/Pasteboard.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/text/StringValues.h"
#include "platform/ui/UiPort.h"
#include "scents/AlternatingScent.h"
#include "scents/KeywordScent.h"
#include "scents/SlipScents.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

#include <QFile>
#include <QMap>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fendle {

namespace names = undo_names;

Box::Box(UiPort& ui, Pasteboard& pasteboard)
    : ui_(ui),
      pasteboard_(pasteboard),
      editor_(undo_),
      selfDefinedUndoNames_(names::selfDefinedUndoNames()),
      codec_(&ArchiveBoxFileCodec::shared()) {
    editor_.setDelegate(this);
    undo_.addDidUndoOrRedoObserver([this] { undoManagerDidPerformUndoOrRedo(); });
    searchResults_ = std::make_unique<ResultTable>(this);
    // Last: the rule editor runs its first search through this box.
    searchRuleEditor_ = std::make_unique<SearchRuleEditor>(*this);
}

Box::~Box() { editor_.setDelegate(nullptr); }

quint32 Box::numberOfKey(const QString& key) { return static_cast<quint32>(intValueOfString(key)); }

void Box::registerStep(std::function<void()> step, const QString& actionName) {
    undo_.registerUndo(std::move(step), actionName);
    documentEdited_ = true;
}

// ---- views -----------------------------------------------------------------

void Box::selectTabViewItemWithLabel(const QString& label) {
    const bool enteringSearch = selectedTab_ != SearchTab && label == SearchTab;
    selectedTab_ = label;
    ui_.selectTab(label);
    updateBoxWindowTitle();
    if (label == KeywordScentTab || label == AlternatingScentTab) updateKeywordScents();
    if (enteringSearch) {
        // Entering the search view searches again and selects again the rows
        // selected when it was left.
        const QStringList kept = selectedSearchResultKeys();
        rerunSearch();
        QList<qsizetype> rows;
        for (const QString& key : kept)
            if (const qsizetype row = searchResults_->rowForResultWithSlipID(key); row >= 0) rows.append(row);
        selectSearchResultRows(rows);
    }
}

void Box::selectView(int segment) {
    static const QString labels[] = {SlipTab, SearchTab, KeywordScentTab, AlternatingScentTab};
    if (segment < 0 || segment > 3) {
        logLine(QStringLiteral("no new tab selected"));
        return;
    }
    selectTabViewItemWithLabel(labels[segment]);
}

void Box::showFirstSlip(const QString& slipToDisplayWhenOpening) {
    editor_.setChangedCell(EditorModel::NoCell);
    if (slipToDisplayWhenOpening == QStringLiteral("Most recent"))
        mostRecentSlip();
    else if (slipToDisplayWhenOpening == QStringLiteral("Random"))
        randomSlip();
    else
        lastSlip();
}

// ---- editor and current slip ----------------------------------------------

// An empty field shows both no keywords and one empty keyword (what a box
// saved without keywords reads back as); neither counts as a change.
bool Box::editorKeywordsDiffer(const Slip& slip) const {
    if (editor_.keywordsString().isEmpty()) return !slip.keywords().joined().isEmpty();
    return !(editor_.keywords() == slip.keywords());
}

bool Box::currentSlipChanged() const {
    if (!currentSlip_) return false;
    const Slip& s = *currentSlip_;
    return editorKeywordsDiffer(s) || editor_.source() != s.source().value_or(QString()) ||
           editor_.slipType() != s.slipType().value_or(QString()) || !(editor_.text() == s.text().value_or(RichText()));
}

void Box::storeCurrentSlip() {
    if (!currentSlip_) return;
    Slip& s = *currentSlip_;
    bool changed = false;
    // The editor cannot show an absent field; an empty field leaves it absent.
    if (editor_.source() != s.source().value_or(QString())) {
        changed = true;
        s.setSource(editor_.source());
    }
    if (editor_.slipType() != s.slipType().value_or(QString())) {
        changed = true;
        s.setSlipType(editor_.slipType());
    }
    if (!(editor_.text() == s.text().value_or(RichText()))) {
        changed = true;
        s.setText(editor_.text());
    }
    s.setSelectedRanges(editor_.selectedRanges());
    if (!editor_.slipType().isEmpty() && !slipTypes_.contains(editor_.slipType())) addSlipType(editor_.slipType());
    if (editorKeywordsDiffer(s)) {
        s.setKeywords(editor_.keywords());
        call(hooks_.keywordListChanged);
        keywordScentsMustBeUpdated_ = true;
    } else if (!changed) {
        return;
    }
    documentEdited_ = true;
    if (hooks_.slipChanged) hooks_.slipChanged(currentSlip_);
    ui_.refreshInspector();
}

bool Box::endFieldEditing(const char* failure) {
    if (editor_.endEditing()) return true;
    logLine(QString::fromLatin1(failure));
    return false;
}

void Box::commitPotentialChangesInFieldsAndStoreCurrentSlip() {
    const int cell = editor_.changedCell();
    switch (cell) {
    case EditorModel::TextCell:
        storeCurrentSlip();
        break;
    case EditorModel::KeywordsCell:
    case EditorModel::SourceCell:
    case EditorModel::TypeCell: {
        // The edit ends before storing so that its undo step records the
        // slip's time from before the edit.
        static const char* failures[] = {nullptr, "Could not end editing for keywords field",
                                         "Could not end editing for source field",
                                         "Could not end editing for slip type field"};
        endFieldEditing(failures[cell]);
        editor_.focus(cell);
        storeCurrentSlip();
        break;
    }
    default:
        break;
    }
}

void Box::setCurrentSlip(const SlipPtr& slip) {
    if (!slip || slip == currentSlip_) return;
    currentSlip_ = slip;
    history_.record(slip->key());
}

void Box::changeCurrentSlip(const SlipPtr& slip, bool callerUsesHistory) {
    if (!slip) return;
    // An edit still running belongs to the slip being left: it ends here
    // with its undo step (navigation has ended it already).
    if (editor_.changedCell() != EditorModel::NoCell) editor_.endEditing();
    storeCurrentSlip();
    if (!box_.slipForKeyExists(slip->key())) {
        if (inTrashMode())
            ui_.displayAlert(QStringLiteral("Slip is not in the Trash!"),
                             QStringLiteral("I will switch back to the normal view to display the slip."));
        else
            ui_.displayAlert(QStringLiteral("Slip is in the Trash!"),
                             QStringLiteral("I will switch to the Trash View to display the slip."));
        browseTrash();
    }
    const std::optional<QString> historyKey = history_.currentKey();
    SlipPtr fromHistory = callerUsesHistory && historyKey ? box_.slipForKey(*historyKey) : nullptr;
    if (fromHistory)
        currentSlip_ = fromHistory;
    else
        setCurrentSlip(slip);
    if (selectedTab_ != SlipTab) selectTabViewItemWithLabel(SlipTab);
    ui_.refreshInspector();
    updateWindow();
}

void Box::performChangeCurrentSlip(const SlipPtr& slip, bool callerUsesHistory) {
    const int cell = editor_.changedCell();
    if (!currentSlipChanged() || cell == EditorModel::NoCell) {
        commitPotentialChangesInFieldsAndStoreCurrentSlip();
        // A text edit ends here, which gives it its "Edit Text" step.
        if (editor_.changedCell() == EditorModel::TextCell) editor_.endEditing();
        if (currentSlip_ && !selfDefinedUndoNames_.contains(undo_.undoActionName()))
            generateEditTextUndoForLastModificationTime(currentSlip_->lastModificationTime());
        changeCurrentSlip(slip, callerUsesHistory);
        return;
    }
    switch (cell) {
    case EditorModel::TextCell:
        // Ending the edit stores the slip and gives it its "Edit Text" step.
        editor_.endEditing();
        changeCurrentSlip(slip, callerUsesHistory);
        editor_.beginTextEditing();
        break;
    case EditorModel::KeywordsCell:
    case EditorModel::SourceCell:
    case EditorModel::TypeCell:
        editor_.endEditing();
        editor_.focus(cell);
        changeCurrentSlip(slip, callerUsesHistory);
        break;
    default:
        ui_.displayAlert(QStringLiteral("Undefined cell being edited!"));
        break;
    }
}

void Box::addSlipType(const QString& type) {
    slipTypes_.append(type);
    std::sort(slipTypes_.begin(), slipTypes_.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

void Box::updateBoxWindowTitle() {
    const QString label = selectedTab_.isEmpty() ? QStringLiteral("Fendle") : selectedTab_;
    ui_.setWindowTitle(QStringLiteral("%1 View - Slip %2 - %3")
                           .arg(label, QString::number(static_cast<qint32>(currentNumber())), displayName_));
}

void Box::updateWindowWithoutSlipScent() {
    if (!currentSlip_) return;
    updateBoxWindowTitle();
    editor_.setSlipText(currentSlip_->text());
    editor_.setSelectedRangesOfSlipText(currentSlip_->selectedRanges().value_or(QList<TextRange>{}));
    editor_.setKeywords(currentSlip_->keywords());
    editor_.setSource(currentSlip_->source().value_or(QString()));
    editor_.setSlipType(currentSlip_->slipType().value_or(QString()));
    setCheckSpellingAsYouType(hooks_.checkSpellingAsYouType && hooks_.checkSpellingAsYouType());
    ui_.refreshInspector();
}

bool Box::setTextChecking(const QString& defaultsKey, bool on) {
    static const QHash<QString, void (Box::*)(bool)> setters{
        {QStringLiteral("CheckSpellingAsYouType"), &Box::setCheckSpellingAsYouType},
        {QStringLiteral("FDLCheckGrammarWithSpelling"), &Box::setCheckGrammarWithSpelling},
        {QStringLiteral("FDLSmartCopyPaste"), &Box::setSmartCopyPaste},
        {QStringLiteral("FDLSmartQuotes"), &Box::setSmartQuotes},
        {QStringLiteral("FDLSmartLinks"), &Box::setSmartLinks},
    };
    const auto setter = setters.value(defaultsKey);
    if (!setter) return false;
    (this->*setter)(on);
    return true;
}

void Box::updateWindow() {
    if (!currentSlip_) return;
    updateWindowWithoutSlipScent();
    if (!currentlySavingDocument_) updateSlipScent();
    ui_.updateExtraSlipWindows();
    ui_.refreshToolbar();
}

// ---- navigation ------------------------------------------------------------

void Box::navigateToKey(const QString& key, bool callerUsesHistory) {
    if (SlipPtr target = box_.slipForKey(key)) performChangeCurrentSlip(target, callerUsesHistory);
}

void Box::goBackSlip() {
    const auto key = history_.back([this](const QString& k) { return box_.slipForKeyExists(k); });
    if (key) navigateToKey(*key, true);
}

void Box::goForwardSlip() {
    const auto key = history_.forward([this](const QString& k) { return box_.slipForKeyExists(k); });
    if (key) navigateToKey(*key, true);
}

// A neighbour exists exactly when the store's neighbour search finds a
// number on that side; asking it directly spares a scan of all keys for the
// first or last key on every step.
void Box::previousSlip() {
    if (!currentSlip_) return;
    const QString key = box_.findPreviousKey(*currentSlip_);
    if (numberOfKey(key) < currentNumber()) navigateToKey(key, false);
}

void Box::nextSlip() {
    if (!currentSlip_) return;
    const QString key = box_.findNextKey(*currentSlip_);
    if (numberOfKey(key) > currentNumber()) navigateToKey(key, false);
}

void Box::firstSlip() {
    if (currentNumber() > numberOfKey(box_.findFirstKey())) navigateToKey(box_.findFirstKey(), false);
}

void Box::lastSlip() {
    if (!currentSlip_ || currentNumber() < numberOfKey(box_.findLastKey())) navigateToKey(box_.findLastKey(), false);
}

void Box::goToSlip() {
    numberSheetMerges_ = false;
    ui_.beginNumberSheet(QStringLiteral("Go To Slip Number"));
}

void Box::goToCancel() { ui_.endNumberSheet(); }

void Box::numberSheetOK(const QString& numberField) {
    if (numberSheetMerges_)
        mergeSlipsOK(numberField);
    else
        goToOK(numberField);
}

std::optional<quint32> Box::enteredNumber(const QString& numberField) const {
    const qint32 n = intValueOfString(numberField);
    if (n <= 0) return std::nullopt;
    return static_cast<quint32>(n);
}

void Box::goToOK(const QString& numberField) {
    const auto n = enteredNumber(numberField);
    if (!n) return;
    const QString key = keyOfNumber(*n);
    if (!box_.slipForKeyExists(key)) {
        ui_.displayMessage(QStringLiteral("There is no slip with this ID in the box!"));
        return;
    }
    navigateToKey(key, false);
    ui_.endNumberSheet();
}

SlipPtr Box::selectRandomSlip(const QDateTime& now) const {
    const SlipDictionary& slips = box_.slips();
    if (slips.isEmpty()) return nullptr;
    const double seconds = std::floor(secondsSinceReferenceDate(now));
    const quint32 clamped = seconds <= 0 ? 0u : seconds >= 4294967295.0 ? 4294967295u : static_cast<quint32>(seconds);
    // The index counts in the store's enumeration order; stepping there
    // spares copying the whole list.
    return *std::next(slips.cbegin(), clamped % static_cast<quint32>(slips.size()));
}

void Box::randomSlip() {
    if (SlipPtr slip = selectRandomSlip()) performChangeCurrentSlip(slip, false);
}

void Box::mostRecentSlip() {
    QString key;
    if (fileName_) {
        // The attribute written on closing comes first, so that an old value
        // under the other name cannot hide the slip last shown.
        for (const QString& name : {LastSlipOpenAttribute, OtherLastSlipOpenAttribute}) {
            const auto value = ExtendedAttributes::get(*fileName_, name);
            if (value.bytes) {
                key = QString::fromUtf8(*value.bytes).trimmed();
                break;
            }
        }
    }
    if (!key.isEmpty() && box_.slipForKeyExists(key))
        navigateToKey(key, false);
    else
        lastSlip();
}

void Box::windowWillClose() {
    if (fileName_ && currentSlip_) {
        const auto result = ExtendedAttributes::set(*fileName_, LastSlipOpenAttribute, currentSlip_->key().toUtf8());
        if (!result.ok) logLine(QStringLiteral("Error in setting extended attributes for %1.").arg(*fileName_));
    }
    ui_.closeExtraSlipWindows();
}

void Box::suggestSlip() {
    if (!slipScentTable_) {
        ui_.displayAlert(QStringLiteral("Cannot suggest slip. Please report this error to ") + SupportAddress +
                             QStringLiteral(". (I would help tremendously if you would send the Fendle document "
                                            "that caused the problem.)"),
                         QString());
        return;
    }
    if (!currentSlip_) return;
    QStringList candidates = slipScentsForSlip(*currentSlip_).relatedKeys();
    if (candidates.isEmpty()) return;
    candidates.removeAll(currentSlip_->key());
    for (const QString& key : suggestedSlipsHistory_) candidates.removeAll(key);

    SlipPtr suggestion;
    if (candidates.isEmpty()) {
        suggestion = selectRandomSlip();
    } else {
        QMap<int, QStringList> byShared;
        for (const QString& key : candidates) {
            const SlipPtr slip = box_.slipForKey(key);
            if (slip) byShared[slip->numberOfSharedKeywords(currentSlip_->keywords().toStringList())].append(key);
        }
        if (byShared.isEmpty()) return;
        const QStringList& best = byShared.last();
        const int r = std::rand();
        suggestion = box_.slipForKey(best.at(std::abs(r) % best.size()));
    }
    if (!suggestion) return;
    suggestedSlipsHistory_.append(suggestion->key());
    while (suggestedSlipsHistory_.size() > SuggestionHistoryLength) suggestedSlipsHistory_.removeFirst();
    performChangeCurrentSlip(suggestion, false);
}

bool Box::displaySlipWithID(const QString& key) {
    if (SlipPtr slip = box_.slipForKey(key)) {
        changeCurrentSlip(slip, false);
        return true;
    }
    ui_.displayAlert(QStringLiteral("There is no slip with the specified ID!"),
                     inTrashMode() ? QStringLiteral("Hint: You are currently viewing the trash.")
                                   : QStringLiteral("Perhaps it is in the trash?"));
    return false;
}

void Box::browseTrash() {
    if (box_.deletedSlips().isEmpty()) {
        ui_.displayAlert(QStringLiteral("The trash is empty!"));
        return;
    }
    ui_.closeExtraSlipWindows();
    undo_.removeAllActions();
    resetCurrentPositionInSlipHistory();
    const bool entering = !inTrashMode();
    if (entering) {
        ui_.retitleMenuItem(QStringLiteral("View"), QStringLiteral("Browse Trash"), QStringLiteral("Close Trash"));
        ui_.retitleMenuItem(QStringLiteral("Slip"), QStringLiteral("Remove"), QStringLiteral("Restore"));
        storeCurrentSlip();
        box_.enterTrashMode();
    } else {
        ui_.retitleMenuItem(QStringLiteral("View"), QStringLiteral("Close Trash"), QStringLiteral("Browse Trash"));
        ui_.retitleMenuItem(QStringLiteral("Slip"), QStringLiteral("Restore"), QStringLiteral("Remove"));
        box_.leaveTrashMode();
    }
    setCurrentSlip(box_.slipForKey(box_.findLastKey()));
    editor_.setEditable(!entering);
    ui_.setEditorEditable(!entering);
    updateWindow();
    keywordScentsMustBeUpdated_ = true;
    call(hooks_.keywordListChanged);
    ui_.refreshToolbar();
    if (selectedTab_ == SlipTab)
        updateSlipScent();
    else if (selectedTab_ == SearchTab)
        rerunSearch();
    else if (selectedTab_ == KeywordScentTab)
        updateKeywordScents();
}

namespace {
template <typename First, typename Second>
void segmentAction(UiPort& ui, std::optional<int> tag, First first, Second second) {
    if (!tag) {
        ui.beep();
        return;
    }
    if (*tag == 0) first();
    if (*tag == 1) second();
}
}  // namespace

void Box::changeSlipAction(std::optional<int> tag) {
    segmentAction(ui_, tag, [this] { previousSlip(); }, [this] { nextSlip(); });
}
void Box::goBackForwardSlipAction(std::optional<int> tag) {
    segmentAction(ui_, tag, [this] { goBackSlip(); }, [this] { goForwardSlip(); });
}
void Box::addRemoveSlipAction(std::optional<int> tag) {
    segmentAction(ui_, tag, [this] { addSlip(); }, [this] { removeSlip(); });
}
void Box::splitMergeSlipAction(std::optional<int> tag) {
    segmentAction(ui_, tag, [this] { splitSlip(); }, [this] { mergeSlips(); });
}

// ---- editor delegate -------------------------------------------------------

void Box::editorDidBeginEditing(int cell) {
    if (!currentSlip_) return;
    initEditTime_ = currentSlip_->lastModificationTime();
    if (cell == EditorModel::TextCell)
        initEditTextString_ = editor_.text();
    else
        initEditString_ = editor_.fieldString(cell);
}

void Box::editorDidEndEditing(int cell) {
    if (!currentSlip_) return;
    if (cell == EditorModel::TextCell) {
        storeCurrentSlip();
        if (!selfDefinedUndoNames_.contains(undo_.undoActionName()))
            generateEditTextUndoForLastModificationTime(initEditTime_.isValid() ? initEditTime_
                                                                                : currentSlip_->lastModificationTime());
        initEditTime_ = QDateTime();
        return;
    }
    const QString value = editor_.fieldString(cell);
    if (value != initEditString_) {
        static const QString* names[] = {nullptr, &names::ChangeKeywords, &names::ChangeSource, &names::ChangeType};
        const CellRecord record{currentSlip_, initEditString_, cell, currentSlip_->lastModificationTime()};
        registerStep([this, record] { applyCellUndo(record); }, *names[cell]);
    }
    storeCurrentSlip();
}

void Box::addKeywordToCurrentSlip(const QString& keyword) {
    if (!currentSlip_) return;
    const QString before = editor_.fieldString(EditorModel::KeywordsCell);
    const CellRecord record{currentSlip_, before, EditorModel::KeywordsCell, currentSlip_->lastModificationTime(),
                            names::AddKeyword};
    registerStep([this, record] { applyCellUndo(record); }, names::AddKeyword);
    editor_.setFieldString(EditorModel::KeywordsCell,
                           before.trimmed().isEmpty() ? keyword : before + QStringLiteral(", ") + keyword);
    storeCurrentSlip();
    keywordScentsMustBeUpdated_ = true;
    updateSlipScent();
}

void Box::editorWillUndoTyping(const SlipPtr& owner) {
    if (owner && owner != currentSlip_ && box_.slipForKey(owner->key()) == owner) changeCurrentSlip(owner, false);
}

void Box::editorTextChangedByUndo() {
    // The text system restores characters; the slip's time is the business
    // of the "Edit Text" step in the same group.
    if (currentSlip_) currentSlip_->setTextWithoutLastModificationDate(editor_.text());
}

// ---- slip operations -------------------------------------------------------

void Box::emptyEditorText() {
    // Typing into the emptied text starts in the default slip font.
    Attributes attributes;
    attributes.set(attr::Font, hooks_.defaultSlipFont);
    editor_.setTypingAttributes(attributes);
    editor_.setSlipText(RichText());
}

void Box::addSlip() {
    if (inTrashMode()) {
        ui_.displayAlert(QStringLiteral("You cannot add slips to the Trash!"));
        return;
    }
    const SlipPtr slip = box_.createSlipWithTemplate();
    slip->setSelectedRanges(box_.selectedRangesInTemplate());
    const SlipPtr previous = currentSlip_;
    changeCurrentSlip(slip, false);
    if (!box_.slipTemplate()) emptyEditorText();
    const AddRecord record{slip, previous, AddedMode};
    registerStep([this, record] { applyAddSlipUndo(record); }, names::AddSlip);
    rerunSearch();
}

void Box::addSlip(const SlipPtr& slip) {
    if (!slip) return;
    if (inTrashMode()) {
        ui_.displayAlert(QStringLiteral("You cannot paste slips into the Trash!"));
        return;
    }
    box_.addSlip(slip);
    const SlipPtr previous = currentSlip_;
    changeCurrentSlip(slip, false);
    const AddRecord record{slip, previous, PastedMode};
    registerStep([this, record] { applyAddSlipUndo(record); }, names::PasteSlip);
    rerunSearch();
}

std::optional<QList<SlipPtr>> Box::slipsToRemove(const QString& view, int& selectedRow) {
    const bool trash = inTrashMode();
    if (view == SearchTab) {
        selectedRow = selectedSearchResultRow();
        if (selectedRow < 0) {
            ui_.displayAlert(trash ? QStringLiteral("You have to select a slip to restore first!")
                                   : QStringLiteral("You have to select a slip to remove first!"));
            return std::nullopt;
        }
        return slipsSelectedInSearchView();
    }
    if (view == KeywordScentTab) {
        ui_.displayAlert(trash ? QStringLiteral("You cannot restore slips in the Keyword Scent View!")
                               : QStringLiteral("You cannot remove slips in the Keyword Scent View!"));
        return std::nullopt;
    }
    if (view == AlternatingScentTab) {
        ui_.displayAlert(trash ? QStringLiteral("You cannot restore slips in the Alternating Scent View!")
                               : QStringLiteral("You cannot remove slips in the Alternating Scent View!"));
        return std::nullopt;
    }
    if (!currentSlip_) return std::nullopt;
    if (!trash) {
        storeCurrentSlip();
        updateWindow();
    }
    return QList<SlipPtr>{currentSlip_};
}

void Box::removeSlip() {
    const bool trash = inTrashMode();
    // Switching to each removed slip selects the slip view; the choice of
    // the next slip depends on the view the command started in.
    const QString view = selectedTab_;
    int selectedRow = -1;
    const std::optional<QList<SlipPtr>> targets = slipsToRemove(view, selectedRow);
    if (!targets) return;
    const QString actionName = trash ? names::RestoreSlip : names::RemoveSlip;
    QList<RemoveRecord> records;
    for (const SlipPtr& slip : *targets) {
        if (view == SearchTab) changeCurrentSlip(slip, false);
        box_.putSlipInTrash(slip);
        records.append({slip, nullptr});
    }
    const UiPort::Sound sound = trash ? UiPort::Sound::VolumeMount : UiPort::Sound::DragToTrash;

    bool emptied = false;
    if (box_.slips().isEmpty()) {
        emptied = true;
        if (trash) {
            ui_.displayAlert(QStringLiteral("You just restored  the last slip from the trash."),
                             QStringLiteral("I will switch back to normal mode."));
            browseTrash();
            documentEdited_ = true;
        } else {
            ui_.displayAlert(QStringLiteral("You just deleted the last slip in this box."),
                             QStringLiteral("I will create a new, empty slip."));
            // The fresh slip belongs to this removal: its undo takes it away
            // again and its redo makes a new one, so it gets no step of its own.
            undo_.disableUndoRegistration();
            addSlip();
            undo_.enableUndoRegistration();
            if (!records.isEmpty()) records.last().replacement = currentSlip_;
        }
    }
    // Leaving trash mode has dropped all undo steps; none is registered then.
    if (!(emptied && trash)) {
        for (const RemoveRecord& record : records)
            registerStep([this, record] { applyRemoveSlipUndo(record); }, actionName);
    }
    if (!emptied) chooseSlipAfterRemoval(view, selectedRow);
    keywordScentsMustBeUpdated_ = true;
    updateWindow();
    ui_.playSound(sound);
}

void Box::chooseSlipAfterRemoval(const QString& view, int selectedRow) {
    if (view == SearchTab) {
        selectTabViewItemWithLabel(SearchTab);
        rerunSearch();
        const int n = static_cast<int>(searchResults_->count());
        const int row = std::min(selectedRow, n);
        if (n > 0) selectSearchResultRows({row == 0 ? 0 : row - 1});
        return;
    }
    if (!currentSlip_) return;
    // The nearest higher slip if there is one, else the nearest lower.
    QString key = box_.findNextKey(*currentSlip_);
    if (numberOfKey(key) <= currentNumber()) key = box_.findPreviousKey(*currentSlip_);
    if (SlipPtr next = box_.slipForKey(key)) changeCurrentSlip(next, false);
}

QList<SlipPtr> Box::slipsToCopy() {
    QStringList keys;
    if (selectedTab_ == SearchTab) {
        keys = selectedSearchResultKeys();
        if (keys.isEmpty()) {
            ui_.displayAlert(QStringLiteral("No slips selected!"));
            return {};
        }
    } else if (selectedTab_ == AlternatingScentTab) {
        const auto row = hooks_.selectedAlternatingScentRow ? hooks_.selectedAlternatingScentRow() : std::nullopt;
        if (!row) {
            ui_.displayAlert(QStringLiteral("No slips selected!"));
            return {};
        }
        if (!row->isSlip) {
            ui_.displayAlert(QStringLiteral("Cannot copy keyword as slip!"));
            return {};
        }
        const qsizetype bracket = row->label.indexOf(QStringLiteral(" ["));
        keys.append(bracket < 0 ? row->label : row->label.left(bracket));
    } else if (currentSlip_) {
        keys.append(currentSlip_->key());
    }
    QList<SlipPtr> slips;
    for (const auto& entry : box_.slipsForKeys(keys))
        if (const SlipPtr* slip = std::get_if<SlipPtr>(&entry)) slips.append(*slip);
    return slips;
}

void Box::copySlip() {
    storeCurrentSlip();
    const QList<SlipPtr> slips = slipsToCopy();
    if (slips.isEmpty()) return;
    pasteboard_.clearContents();
    if (!pasteboard_.setData(Pasteboard::SlipsType, SlipArrayArchive::archive(slips)))
        ui_.displayMessage(QStringLiteral("I could not copy the slip to the pasteboard (slip data)."));
    QStringList texts;
    for (const SlipPtr& slip : slips) texts.append(hooks_.exportString ? hooks_.exportString(*slip) : slip->textString());
    const QString text = texts.join(QStringLiteral("\n\n-------\n\n"));
    if (!pasteboard_.setData(Pasteboard::StringType, text.toUtf8()))
        ui_.displayMessage(QStringLiteral("I could not copy the slip to the pasteboard (string)."));
    if (!pasteboard_.setData(Pasteboard::RtfType, RtfWriter::write(RichText(text))))
        ui_.displayMessage(QStringLiteral("I could not copy the slip to the pasteboard (RTFD data)."));
}

void Box::pasteSlip() {
    const auto data = pasteboard_.data(Pasteboard::SlipsType);
    const auto slips = data ? SlipArrayArchive::unarchive(*data) : Result<QList<SlipPtr>>::failure(QString());
    if (!slips) {
        if (data) logLine(QStringLiteral("Box:pasteSlip: %1").arg(slips.error()));
        ui_.displayMessage(QStringLiteral("There are no slips on the pasteboard!"));
        return;
    }
    for (const SlipPtr& slip : *slips) addSlip(slip);
}

void Box::mergeSlips() {
    if (selectedTab_ == SlipTab) {
        numberSheetMerges_ = true;
        ui_.beginNumberSheet(QStringLiteral("Merge With Slip Number"));
    } else if (selectedTab_ == SearchTab) {
        mergeSlipArray(slipsSelectedInSearchView());
    }
}

void Box::mergeSlipsOK(const QString& numberField) {
    const auto n = enteredNumber(numberField);
    // Merging a slip into itself would remove the very slip it merges into.
    if (!n || (currentSlip_ && *n == currentSlip_->slipID())) {
        ui_.displayAlert(QStringLiteral("Please enter a valid Slip ID!"));
        return;
    }
    const SlipPtr other = box_.slipForKey(keyOfNumber(*n));
    if (!other) {
        ui_.displayAlert(QStringLiteral("There is no slip with this ID in the box!"));
        return;
    }
    mergeSlipArray({currentSlip_, other});
    ui_.endNumberSheet();
}

void Box::mergeSlipArray(const QList<SlipPtr>& slips) {
    if (slips.size() < 2 || !slips.first()) return;
    // Undoing a merge files a new object under the first slip's key; a redo
    // recorded before that must merge into the filed one.
    const SlipPtr filed = box_.slipForKey(slips.first()->key());
    const SlipPtr first = filed ? filed : slips.first();
    const QList<SlipPtr> others = slips.mid(1);
    storeCurrentSlip();
    const MergeRecord record{first->copy(), others};
    registerStep([this, record] { applyMergeSlipsUndo(record); }, names::MergeSlip);
    changeCurrentSlip(first, false);

    RichText text = first->text().value_or(RichText());
    QStringList keywords = first->keywords().toStringList();
    QString source = first->source().value_or(QString());
    QString type = first->slipType().value_or(QString());
    Attributes heading;
    heading.set(attr::Font,
                FontAttribute{QStringLiteral("Helvetica"), QStringLiteral("Helvetica-Bold"), 14.0, true, false});
    for (const SlipPtr& other : others) {
        if (!other || other == first) continue;
        text.append(QStringLiteral("\n\n-------\ntext from slip %1\n-------\n\n").arg(other->key()), heading);
        text.append(other->text().value_or(RichText()));
        keywords.append(other->keywords().toStringList());
        source += QStringLiteral(";") + other->source().value_or(QString());
        if (type != other->slipType().value_or(QString())) type = QStringLiteral("SLIP MERGE");
        box_.deleteSlipForKey(other->key());
    }
    first->setText(text);
    first->setKeywords(KeywordsArray(keywords));
    first->setSource(source);
    first->setSlipType(type);
    keywordScentsMustBeUpdated_ = true;
    documentEdited_ = true;
    updateWindow();
    rerunSearch();
}

void Box::splitSlip() {
    if (inTrashMode()) {
        ui_.displayAlert(QStringLiteral("You cannot split slips in Trash Mode!"));
        return;
    }
    if (!currentSlip_) return;
    storeCurrentSlip();
    const SlipPtr divided = currentSlip_;
    const RichText textBefore = divided->text().value_or(RichText()).deepCopy();
    const QDateTime timeBefore = divided->lastModificationTime();
    TextRange selection = editor_.selectedRange();
    selection.location = std::clamp<qsizetype>(selection.location, 0, textBefore.length());
    selection.length = std::clamp<qsizetype>(selection.length, 0, textBefore.length() - selection.location);

    RichText kept = textBefore;
    RichText moved;
    if (selection.length == 0) {
        kept = textBefore.substring({0, selection.location});
        moved = textBefore.substring({selection.location, textBefore.length() - selection.location});
    } else {
        kept.replace(selection, RichText());
        moved = textBefore.substring(selection);
    }
    // The editor shows the divided slip, so the switch below stores its part.
    editor_.setSlipText(kept);
    editor_.setSelectedRangesOfSlipText({TextRange{selection.location, 0}});

    const SlipPtr created = box_.createSlip();
    created->setText(moved);
    created->setKeywords(divided->keywords());
    created->setSource(divided->source());
    created->setSlipType(divided->slipType());
    created->setAuthor(divided->author());
    changeCurrentSlip(created, false);
    const SplitRecord record{textBefore, created, divided, selection.location, selection.length, timeBefore};
    registerStep([this, record] { applySplitSlipUndo(record); }, names::SplitSlip);
    keywordScentsMustBeUpdated_ = true;
    rerunSearch();
}

void Box::clearSlip() {
    if (!currentSlip_) return;
    storeCurrentSlip();
    const Slip& s = *currentSlip_;
    const ClearRecord record{s.key(), s.text(), s.keywords(), s.source(), s.slipType(), s.lastModificationTime()};
    registerStep([this, record] { applyClearSlipUndo(record); }, names::ClearSlipFields);
    editor_.setKeywords(std::nullopt);
    editor_.setSource(QString());
    editor_.setSlipType(QString());
    emptyEditorText();
    storeCurrentSlip();
    updateSlipScent();
}

void Box::emptyTrash() {
    const UiPort::Alert question{UiPort::AlertStyle::Modal,
                                 inTrashMode()
                                     ? QStringLiteral("You are in Trash Mode. Really delete all slips in the trash?")
                                     : QStringLiteral("Really delete all slips in the trash?"),
                                 QStringLiteral("This cannot be undone!"),
                                 {QStringLiteral("OK"), QStringLiteral("Cancel")}};
    if (ui_.askQuestion(question) != 0) return;
    if (inTrashMode()) {
        ui_.displayAlert(QStringLiteral("Switching back to normal view"));
        browseTrash();
    }
    ui_.playSound(UiPort::Sound::EmptyTrash);
    box_.emptyTrash();
    undo_.removeAllActions();
    documentEdited_ = true;
}

void Box::editSlipTemplate() {
    ui_.openTemplateWindow(box_.slipTemplate(), box_.selectedRangesInTemplate().value_or(QList<TextRange>{}));
}

void Box::templateOK() {
    box_.setSlipTemplate(ui_.templateWindowText().deepCopy());
    box_.setSelectedRangesInTemplate(ui_.templateWindowSelection());
    ui_.closeTemplateWindow();
    undo_.removeAllActions();
    documentEdited_ = true;
}

void Box::templateCancel() {
    ui_.closeTemplateWindow();
    undo_.removeAllActions();
}

void Box::templateDelete() {
    const UiPort::Alert question{UiPort::AlertStyle::Modal,
                                 QStringLiteral("Are you sure you want to delete the Slip Template for this box?"),
                                 QString(),
                                 {QStringLiteral("OK"), QStringLiteral("Cancel")}};
    if (ui_.askQuestion(question) == 0) box_.setSlipTemplate(std::nullopt);
    ui_.closeTemplateWindow();
    undo_.removeAllActions();
    documentEdited_ = true;
}

void Box::generateEditTextUndoForLastModificationTime(const QDateTime& time) {
    const SlipPtr slip = currentSlip_;
    if (!slip) return;
    // It completes the text system's typing steps, in their group.
    undo_.registerUndoInLastGroup([this, slip, time] { applyEditTextUndo(slip, time); }, names::EditText);
    documentEdited_ = true;
}

void Box::registerRestoreOldSlipState(const SlipPtr& oldState, const SlipPtr& newState, const QString& actionName) {
    registerStep([this, oldState, newState, actionName] { applyRestoreOldSlipStateForUndo(oldState, newState, actionName); },
                 actionName);
}

void Box::undoManagerDidPerformUndoOrRedo() {
    if (startedUndoRedo_ && selectedTab_ != SlipTab) selectTabViewItemWithLabel(SlipTab);
    startedUndoRedo_ = false;
    documentEdited_ = true;
}

// ---- appliers --------------------------------------------------------------

void Box::announceSlip(const SlipPtr& slip) {
    if (!slip || slip == currentSlip_) return;
    ui_.displayAlert((undo_.isRedoing() ? QStringLiteral("The redo operation affects slip %1.")
                                        : QStringLiteral("The undo operation affects slip %1."))
                         .arg(slip->key()));
    changeCurrentSlip(slip, false);
}

void Box::showReplacement(const SlipPtr& slip) {
    // The editor still shows the replaced object's state; it must not be
    // stored into the replacement.
    if (currentSlip_ && currentSlip_->key() == slip->key())
        currentSlip_ = slip;
    else
        setCurrentSlip(slip);
    if (selectedTab_ != SlipTab) selectTabViewItemWithLabel(SlipTab);
    updateWindow();
}

void Box::applyAddSlipUndo(const AddRecord& record) {
    startedUndoRedo_ = true;
    const SlipPtr slip = record.slip;
    switch (record.mode) {
    case AddedMode:
        registerStep([this] { addSlip(); }, names::AddSlip);
        break;
    case PastedMode:
        registerStep([this, slip] { addSlip(slip); }, names::PasteSlip);
        break;
    case FromRTFMode:
        registerStep([this, slip] { applyCreateSlipFromRTFRedo(slip); }, names::CreateSlipFromRTF);
        break;
    case FromFileMode:
        registerStep(
            [this, slip] {
                if (hooks_.createSlipFromFile) hooks_.createSlipFromFile(slip);
            },
            names::CreateSlipFromFile);
        break;
    default:
        ui_.displayAlert(QStringLiteral("No mode for Undo operation specified!"),
                         QStringLiteral("There will be no redo of this operation available."));
        break;
    }
    storeCurrentSlip();
    box_.deleteSlipForKey(slip->key());
    // The slip before may have gone to the trash in the same command; then
    // the step undoing that brings it back.
    if (record.previous && box_.slipForKey(record.previous->key()) == record.previous)
        setCurrentSlip(record.previous);
    else if (SlipPtr last = box_.lastSlip())
        setCurrentSlip(last);
    updateWindow();
    rerunSearch();
}

void Box::applyCreateSlipFromRTFRedo(const SlipPtr& slip) {
    startedUndoRedo_ = true;
    const SlipPtr previous = currentSlip_;
    box_.addSlip(slip);
    changeCurrentSlip(slip, false);
    const AddRecord record{slip, previous, FromRTFMode};
    registerStep([this, record] { applyAddSlipUndo(record); }, names::CreateSlipFromRTF);
}

void Box::applyRemoveSlipUndo(const RemoveRecord& record) {
    startedUndoRedo_ = true;
    storeCurrentSlip();
    const SlipPtr slip = record.slip;
    if (record.replacement && box_.slipForKey(record.replacement->key()) == record.replacement)
        box_.deleteSlipForKey(record.replacement->key());
    box_.restoreSlipFromTrash(slip);
    setCurrentSlip(slip);
    updateWindow();
    rerunSearch();
    ui_.playSound(UiPort::Sound::VolumeMount);
    registerStep([this, slip] { applyRemoveSlipRedo(slip); }, inTrashMode() ? names::RestoreSlip : names::RemoveSlip);
}

void Box::applyRemoveSlipRedo(const SlipPtr& slip) {
    startedUndoRedo_ = true;
    setCurrentSlip(slip);
    updateWindow();
    // The removal works on the current slip, so it runs in the slip view
    // (where every undo and redo ends up anyway).
    if (selectedTab_ != SlipTab) selectTabViewItemWithLabel(SlipTab);
    removeSlip();
}

void Box::applyClearSlipUndo(const ClearRecord& record) {
    startedUndoRedo_ = true;
    if (!currentSlip_ || record.key != currentSlip_->key()) {
        ui_.displayAlert(QStringLiteral("The undo operation affects slip %1.").arg(record.key));
        if (SlipPtr slip = box_.slipForKey(record.key)) changeCurrentSlip(slip, false);
    }
    const SlipPtr slip = currentSlip_;
    if (!slip) return;
    registerStep([this, slip] { applyClearSlipRedo(slip); }, names::ClearSlipFields);
    editor_.setSlipText(record.text);
    editor_.setKeywords(record.keywords);
    editor_.setSource(record.source.value_or(QString()));
    editor_.setSlipType(record.slipType.value_or(QString()));
    storeCurrentSlip();
    // Fields that were absent stay absent.
    if (!record.source) slip->setSourceWithoutLastModificationDate(std::nullopt);
    if (!record.slipType) slip->setSlipTypeWithoutLastModificationDate(std::nullopt);
    if (!record.text) slip->setTextWithoutLastModificationDate(std::nullopt);
    slip->setLastModificationTime(record.lastModificationTime);
    updateSlipScent();
}

void Box::applyClearSlipRedo(const SlipPtr& slip) {
    startedUndoRedo_ = true;
    if (slip != currentSlip_) {
        ui_.displayAlert(QStringLiteral("The redo operation affects slip %1.").arg(slip->key()));
        changeCurrentSlip(slip, false);
    }
    clearSlip();
}

void Box::applySplitSlipUndo(const SplitRecord& record) {
    startedUndoRedo_ = true;
    box_.deleteSlipForKey(record.newSlip->key());
    setCurrentSlip(record.dividedSlip);
    record.dividedSlip->setTextWithoutLastModificationDate(record.textBefore);
    record.dividedSlip->setLastModificationTime(record.timeBefore);
    updateWindow();
    rerunSearch();
    registerStep([this, record] { applySplitSlipRedo(record); }, names::SplitSlip);
}

void Box::applySplitSlipRedo(const SplitRecord& record) {
    startedUndoRedo_ = true;
    setCurrentSlip(record.dividedSlip);
    updateWindow();
    editor_.setSelectedRangesOfSlipText({TextRange{record.location, record.length}});
    splitSlip();
}

void Box::applyMergeSlipsUndo(const MergeRecord& record) {
    startedUndoRedo_ = true;
    storeCurrentSlip();
    // A fresh copy each time, so the record stays as it was for the next undo.
    const SlipPtr first = record.firstBefore->copy();
    box_.setSlip(first);
    for (const SlipPtr& other : record.others) box_.setSlip(other);
    showReplacement(first);
    keywordScentsMustBeUpdated_ = true;
    QList<SlipPtr> slips{first};
    slips.append(record.others);
    registerStep([this, slips] { mergeSlipArray(slips); }, names::MergeSlip);
    rerunSearch();
}

void Box::applyEditTextUndo(const SlipPtr& slip, const QDateTime& time) {
    startedUndoRedo_ = true;
    editor_.focus(EditorModel::TextCell);
    if (slip != currentSlip_) {
        ui_.displayAlert(QStringLiteral("Switching to slip %1.").arg(slip->key()));
        changeCurrentSlip(slip, false);
    }
    storeCurrentSlip();
    // The reverse step brings back the time this step replaces.
    const QDateTime now = slip->lastModificationTime();
    registerStep([this, slip, now] { applyEditTextUndo(slip, now); }, names::EditText);
    slip->setLastModificationTime(time);
    editor_.setChangedCell(EditorModel::NoCell);
}

void Box::applyCellUndo(const CellRecord& record) {
    startedUndoRedo_ = true;
    selectTabViewItemWithLabel(SlipTab);
    announceSlip(record.slip);
    const SlipPtr slip = currentSlip_;
    if (!slip) return;
    const CellRecord reverse{slip, editor_.fieldString(record.cell), record.cell, slip->lastModificationTime(),
                             record.actionName};
    static const QString* cellNames[] = {nullptr, &names::ChangeKeywords, &names::ChangeSource, &names::ChangeType};
    registerStep([this, reverse] { applyCellUndo(reverse); },
                 reverse.actionName.isEmpty() ? *cellNames[record.cell] : reverse.actionName);
    editor_.setFieldString(record.cell, record.value);
    storeCurrentSlip();
    editor_.setChangedCell(EditorModel::NoCell);
    slip->setLastModificationTime(record.lastModificationTime);
}

void Box::applyRestoreOldSlipStateForUndo(const SlipPtr& putBack, const SlipPtr& replaced,
                                          const QString& actionName) {
    startedUndoRedo_ = true;
    storeCurrentSlip();
    box_.setSlip(putBack);
    if (currentSlip_ != replaced) announceSlip(putBack);
    showReplacement(putBack);
    registerStep([this, putBack, replaced, actionName] { applyRestoreOldSlipStateForUndo(replaced, putBack, actionName); },
                 actionName);
    if (actionName == names::ResizeImage) call(hooks_.initiateResizeImage);
}

void Box::registerFlagSlipUndo(const QStringList& keys, bool valueJustSet) {
    registerStep([this, keys, valueJustSet] { applyFlagSlipUndo(keys, valueJustSet); }, names::ToggleFlag);
}

void Box::applyFlagSlipUndo(const QStringList& keys, bool valueJustSet) {
    startedUndoRedo_ = true;
    const bool value = !valueJustSet;
    for (const QString& key : keys)
        if (SlipPtr slip = box_.slipForKey(key)) slip->setFlagged(value);
    registerStep([this, keys, value] { applyFlagSlipUndo(keys, value); }, names::ToggleFlag);
    updateWindow();
}

void Box::registerAddKeywordToSelectedSlipsUndo(const QList<KeywordsRestore>& before) {
    registerStep([this, before] { applyAddKeywordToSelectedSlipsUndo(before); }, names::AddKeyword);
}

void Box::applyAddKeywordToSelectedSlipsUndo(const QList<KeywordsRestore>& records) {
    startedUndoRedo_ = true;
    QList<KeywordsRestore> reverse;
    for (const KeywordsRestore& record : records) {
        if (!record.slip) continue;
        reverse.append({record.slip, record.slip->keywords(), record.slip->lastModificationTime()});
        record.slip->setKeywordsWithoutLastModificationDate(record.keywords);
        if (undo_.isUndoing())
            record.slip->setLastModificationTime(record.lastModificationTime);
        else
            record.slip->updateLastModificationTime();
    }
    registerStep([this, reverse] { applyAddKeywordToSelectedSlipsUndo(reverse); }, names::AddKeyword);
    keywordScentsMustBeUpdated_ = true;
    updateWindow();
    rerunSearch();
}

void Box::registerChangeDefaultTextFontUndo(const RichText& textBefore, const SlipPtr& slip) {
    registerStep([this, textBefore, slip] { applyChangeDefaultTextFontUndo(textBefore, slip); }, names::ChangeTextFont);
}

void Box::setDefaultSlipFont(const FontAttribute& font) {
    hooks_.defaultSlipFont = font;
    if (!currentSlip_) return;
    commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const RichText before = editor_.text().deepCopy();
    registerChangeDefaultTextFontUndo(before, currentSlip_);
    RichText now = before.deepCopy();
    now.addAttribute(attr::Font, font, now.wholeRange());
    editor_.setSlipText(now);
    storeCurrentSlip();
}

void Box::applyChangeDefaultTextFontUndo(const RichText& text, const SlipPtr& slip) {
    startedUndoRedo_ = true;
    if (!slip) return;
    if (slip != currentSlip_) {
        ui_.displayAlert(QStringLiteral("Switching back to slip ") + slip->key() + QStringLiteral("."));
        changeCurrentSlip(slip, false);
    }
    const RichText now = editor_.text().deepCopy();
    registerStep([this, now, slip] { applyChangeDefaultTextFontUndo(now, slip); }, names::ChangeTextFont);
    editor_.setSlipText(text);
    storeCurrentSlip();
}

void Box::registerChangeAttributedSubstringUndo(const SlipPtr& slip, const RichText& toInsert,
                                                const RichText& toReplace, TextRange range,
                                                const QDateTime& lastModificationTime, const QString& actionName) {
    const SubstringRecord record{slip, toInsert, toReplace, range.location, range.length, lastModificationTime};
    registerStep([this, record, actionName] { applyChangeAttributedSubstringInSlipTextUndo(record, actionName); },
                 actionName);
}

void Box::applyChangeAttributedSubstringInSlipTextUndo(const SubstringRecord& record, const QString& actionName) {
    startedUndoRedo_ = true;
    const SlipPtr slip = record.slip;
    if (!slip) return;
    undo_.disableUndoRegistration();
    RichText text = slip->text().value_or(RichText());
    // What the range holds now is what the reverse step puts back.
    const SubstringRecord reverse{slip, text.substring({record.location, record.length}), record.inserted,
                                  record.location, record.inserted.length(), slip->lastModificationTime()};
    text.replace({record.location, record.length}, record.inserted);
    slip->setText(text);
    if (undo_.isUndoing()) slip->setLastModificationTime(record.lastModificationTime);
    if (slip == currentSlip_) {
        editor_.setSlipText(text);
    } else {
        ui_.displayAlert((undo_.isRedoing() ? QStringLiteral("The redo operation affects slip ")
                                            : QStringLiteral("The undo operation affects slip ")) +
                         slip->key() + QStringLiteral("."));
        changeCurrentSlip(slip, false);
    }
    editor_.setSelectedRangesOfSlipText({TextRange{record.location, record.inserted.length()}});
    undo_.enableUndoRegistration();
    registerStep([this, reverse, actionName] { applyChangeAttributedSubstringInSlipTextUndo(reverse, actionName); },
                 actionName);
}

void Box::registerCreatedSlipUndo(const SlipPtr& slip, const SlipPtr& previous, bool fromFile) {
    const AddRecord record{slip, previous, fromFile ? FromFileMode : FromRTFMode};
    registerStep([this, record] { applyAddSlipUndo(record); },
                 fromFile ? names::CreateSlipFromFile : names::CreateSlipFromRTF);
}

// ---- the document and its file ---------------------------------------------

bool Box::isDocumentEdited() const {
    const int cell = editor_.changedCell();
    if (cell == EditorModel::KeywordsCell || cell == EditorModel::SourceCell || cell == EditorModel::TypeCell)
        return true;
    return documentEdited_;
}

bool Box::readFromData(const QByteArray& data, const QString& typeName) {
    if (typeName == CacheFileType) {
        ui_.displayAlert(QStringLiteral("Box: Called with Cache File!"),
                         QStringLiteral("You should not see this message. Please send a bug-report to the deveopler."));
        return false;
    }
    if (!codec_) return false;
    // Read into a fresh store so that a failed read leaves this one whole.
    BoxData read;
    if (auto dictionaries = codec_->readSequential(data)) {
        fileFormatOnLastOpening_ = OldDocumentType;
        read.setSlips(std::move(dictionaries->first), std::move(dictionaries->second));
        read.setDataFromFile(data);
    } else {
        fileFormatOnLastOpening_ = DocumentType;
        const BoxFileCodec::Result result = codec_->loadBoxData(read, data);
        if (!result.ok) {
            if (!result.message.isEmpty()) logLine(result.message);
            return false;
        }
    }
    box_ = std::move(read);
    // An index built before belongs to the slips just replaced.
    keywordScentsMustBeUpdated_ = true;
    editor_.setChangedCell(EditorModel::NoCell);
    currentSlip_.reset();
    resetCurrentPositionInSlipHistory();
    suggestedSlipsHistory_.clear();
    return true;
}

std::optional<QByteArray> Box::dataOfType(const QString& typeName) {
    commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const bool current = typeName == DocumentType || typeName == DocumentTypeQuorvel || typeName == DocumentTypeHalvorn;
    if (!current && typeName != OldDocumentType) {
        ui_.displayAlert(QStringLiteral("Problem saving the file!"),
                         QStringLiteral("I don't know how to save to format: ") + typeName);
        return std::nullopt;
    }
    if (!codec_) return std::nullopt;
    // The file always holds the box's own slips under "slips"; in trash mode
    // a shallow copy is turned back (the dictionaries share their data).
    BoxData oriented = box_;
    if (oriented.inTrashMode()) oriented.leaveTrashMode();
    return current ? codec_->dataRepresentation(oriented) : codec_->sequentialData(oriented);
}

bool Box::saveDocument(const QString& path, const QString& typeName, SaveKind kind) {
    currentlySavingDocument_ = true;
    commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const std::optional<QByteArray> data = dataOfType(typeName);
    bool ok = data.has_value();
    if (ok && keepBackupFile_ && QFile::exists(path)) {
        const QString backup = path + QLatin1Char('~');
        QFile::remove(backup);
        if (!QFile::copy(path, backup)) logLine(QStringLiteral("Box:saveDocument: could not keep backup %1").arg(backup));
    }
    if (ok) {
        QSaveFile file(path);
        ok = file.open(QIODevice::WriteOnly) && file.write(*data) == data->size() && file.commit();
        if (!ok) logLine(QStringLiteral("Box:saveDocument: could not write %1: %2").arg(path, file.errorString()));
    }
    currentlySavingDocument_ = false;
    if (ok && kind != SaveKind::SaveTo) documentEdited_ = false;
    if (ok && kind == SaveKind::Save) ui_.refreshInspector();
    return ok;
}

bool Box::revertToContents(const QString& path, const QString& typeName) {
    if (inTrashMode()) browseTrash();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() <= MaxFileSize) {
        const QByteArray data = file.read(MaxFileSize);
        if (readFromData(data, typeName)) documentEdited_ = false;
    }
    loadDocumentWithInitialData();
    return true;
}

void Box::close() {
    call(hooks_.storeWindowState);
    if (hooks_.synchronizeDefaults && !hooks_.synchronizeDefaults())
        ui_.showAlert({UiPort::AlertStyle::Modal, QStringLiteral("Problem saving your Preferences to the disk!"),
                       QStringLiteral("I'll just continue as if nothing happend.")});
}

void Box::loadDocumentWithInitialData(const std::optional<QString>& slipFromCacheFile) {
    for (const SlipPtr& slip : box_.slips()) {
        const QString type = slip->slipType().value_or(QString());
        if (!type.isEmpty() && !slipTypes_.contains(type)) addSlipType(type);
    }
    if (slipFromCacheFile) displaySlipWithID(*slipFromCacheFile);
    if (!currentSlip_ || box_.slipForKey(currentSlip_->key()) != currentSlip_) {
        currentSlip_.reset();
        lastSlip();
    }
    // The index is built here once, unless the window's first slip has just
    // built it from these slips, and then stays current: marking it stale
    // again would make the first move after opening build it a second time.
    if (keywordScentsMustBeUpdated_ || !keywordScent_)
        updateKeywordScents();
    else
        call(hooks_.rebuildKeywordScentTable);
    updateWindow();
    undo_.removeAllActions();
    showAllSlipsAsSearchResults();
}

// ---- scents ---------------------------------------------------------------

SlipScentList Box::slipScentsForSlip(const Slip& slip) {
    return fendle::slipScentsForSlip(slip, *keywordScents());
}

void Box::updateSlipScent() {
    if (selectedTab_ != SlipTab || !currentSlip_) return;
    SlipScentOutlineViewDataSource table;
    table.setScentArray(slipScentsForSlip(*currentSlip_));
    slipScentTable_ = std::move(table);
    call(hooks_.updateSlipScent);
}

std::shared_ptr<KeywordScent> Box::makeKeywordScentData() const {
    return std::make_shared<KeywordScent>(box_.keywordsDictionary(), showDuplicatesInScentPath_);
}

std::shared_ptr<AlternatingScent> Box::makeAlternatingScentData() const {
    return std::make_shared<AlternatingScent>(box_.keywordsDictionary(), box_);
}

void Box::updateKeywordScents() {
    if (!keywordScentsMustBeUpdated_ && keywordScent_) return;
    keywordScent_ = makeKeywordScentData();
    alternatingScent_ = makeAlternatingScentData();
    keywordScentsMustBeUpdated_ = false;
    call(hooks_.rebuildKeywordScentTable);
}

std::shared_ptr<KeywordScent> Box::keywordScents() {
    updateKeywordScents();
    return keywordScent_;
}

// ---- search ----------------------------------------------------------------

QVariantList Box::currentSearchRuleEditorState() const { return searchRuleEditor_->searchRuleEditorState(); }

void Box::setSearchRuleEditorState(const QVariantList& state) {
    if (selectedTab_ != SearchTab) selectTabViewItemWithLabel(SearchTab);
    searchRuleEditor_->setRuleEditorContent(state);
}

void Box::setSearchResultsToSlips(const QList<SlipPtr>& slips) {
    retiredSearchResults_ = std::move(searchResults_);
    searchResults_ = std::make_unique<ResultTable>(ResultTable::fromSlips(slips, this, sortDescriptors_));
    selectedResultRows_.clear();
    call(hooks_.searchResultsChanged);
}

void Box::selectSearchResultRows(const QList<qsizetype>& rows) {
    selectedResultRows_.clear();
    for (const qsizetype row : rows)
        if (row >= 0 && row < searchResults_->count() && !selectedResultRows_.contains(row)) selectedResultRows_.append(row);
    std::sort(selectedResultRows_.begin(), selectedResultRows_.end());
}

ResultTable Box::selectedSearchResults() const {
    if (selectedResultRows_.isEmpty()) return ResultTable(const_cast<Box*>(this));
    return searchResults_->resultsAtIndexes(selectedResultRows_);
}

QStringList Box::selectedSearchResultKeys() const {
    QStringList keys;
    for (const qsizetype row : selectedResultRows_) keys.append(searchResults_->resultAtIndex(row).resultID());
    return keys;
}

QList<SlipPtr> Box::slipsSelectedInSearchView() const {
    QList<SlipPtr> slips;
    for (const QString& key : selectedSearchResultKeys())
        if (SlipPtr slip = box_.slipForKey(key)) slips.append(slip);
    return slips;
}

void Box::rerunSearch() { searchRuleEditor_->controlDidChange(); }

bool Box::searchTestsFlags() const {
    if (selectedTab_ != SearchTab) return false;
    const PredicatePtr predicate = searchRuleEditor_->predicate();
    return predicate && predicate->predicateFormat().contains(QStringLiteral("isFlagged == "));
}

void Box::showAllSlipsAsSearchResults() { setSearchResultsToSlips(box_.slips().values()); }

void Box::selectSearchTab() {
    if (selectedTab_ != SearchTab) selectTabViewItemWithLabel(SearchTab);
}

void Box::setFlagged(bool flagged, const QString& identifier, ResultTable& sender) {
    if (&sender != searchResults_.get()) {
        logLine(QStringLiteral("Fendle Warning: Don't know which table sent command \"Change Flagged\"! Sender: ") +
                QString::number(reinterpret_cast<quintptr>(&sender), 16));
        return;
    }
    const QString key = identifier;  // the sender's entry may be replaced by the search below
    const SlipPtr slip = box_.slipForKey(key);
    if (!slip) return;
    slip->setFlagged(flagged);
    if (searchTestsFlags()) rerunSearch();
    ui_.updateExtraSlipWindows();
    registerFlagSlipUndo({key}, flagged);
}

}  // namespace fendle
