#include "document/Box.h"

#include "document/BoxPreferences.h"
#include "document/SlipChoice.h"
#include "document/SlipClipboard.h"
#include "document/SlipLinkMaker.h"
#include "document/SlipTemplateEditing.h"
#include "document/UndoNames.h"
#include "document/commands/AddSlipCommand.h"
#include "document/commands/ChangeTextFontCommand.h"
#include "document/commands/ClearSlipCommand.h"
#include "document/commands/EditFieldCommand.h"
#include "document/commands/EditTextCommand.h"
#include "document/commands/MergeSlipsCommand.h"
#include "document/commands/RemoveSlipsCommand.h"
#include "document/commands/SplitSlipCommand.h"
#include "document/commands/TrashCommands.h"
#include "platform/system/Log.h"
#include "platform/text/StringValues.h"
#include "platform/ui/UiPort.h"
#include "scents/SlipScents.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

#include <algorithm>

namespace fendle {

namespace names = undo_names;

Box::Box(UiPort& ui, Pasteboard& pasteboard, const BoxPreferences& preferences, WebResources& web)
    : ui_(ui),
      pasteboard_(pasteboard),
      preferences_(preferences),
      web_(web),
      editor_(document_.undoManager()),
      selfDefinedUndoNames_(names::selfDefinedUndoNames()) {
    editor_.setDelegate(this);
    undoManager().addDidUndoOrRedoObserver([this] { undoManagerDidPerformUndoOrRedo(); });
    // Last: the rule editor runs its first search through the box.
    search_ = std::make_unique<SearchSession>(*this);
    connect(&document_, &BoxDocument::fileNameChanged, this, &Box::updateBoxWindowTitle);
    connect(&document_, &BoxDocument::slipChanged, this, [this](const SlipPtr& slip) { search_->slipChanged(slip); });
}

Box::~Box() { editor_.setDelegate(nullptr); }

quint32 Box::numberOfKey(const QString& key) { return static_cast<quint32>(intValueOfString(key)); }

void Box::registerStep(std::function<void()> step, const QString& actionName) {
    undoManager().registerUndo(std::move(step), actionName);
    document_.markEdited();
}

bool Box::isUndoingOrRedoing() const {
    const UndoManager& undo = document_.undoManager();
    return undo.isUndoing() || undo.isRedoing();
}

// ---- views -----------------------------------------------------------------

void Box::selectTabViewItemWithLabel(BoxTab tab) {
    const bool enteringSearch = selectedTab_ != BoxTab::Search && tab == BoxTab::Search;
    selectedTab_ = tab;
    emit tabSelected(tab);
    updateBoxWindowTitle();
    if (tab == BoxTab::KeywordScent || tab == BoxTab::AlternatingScent) updateKeywordScents();
    if (tab == BoxTab::Slip) updateSlipScent();
    if (enteringSearch) {
        // Entering the search view searches again and selects again the rows
        // selected when it was left.
        const QStringList kept = selectedSearchResultKeys();
        rerunSearch();
        QList<qsizetype> rows;
        for (const QString& key : kept)
            if (const qsizetype row = currentSearchResults().rowForResultWithSlipID(key); row >= 0) rows.append(row);
        selectSearchResultRows(rows);
    }
}

void Box::selectView(int segment) {
    if (const auto tab = tabAtIndex(segment))
        selectTabViewItemWithLabel(*tab);
    else
        logLine(QStringLiteral("no new tab selected"));
}

QString Box::windowTitle() const {
    return QStringLiteral("%1 View - Slip %2 - %3")
        .arg(tabLabel(selectedTab_), QString::number(static_cast<qint32>(currentNumber())), document_.displayName());
}

void Box::updateBoxWindowTitle() { emit windowTitleChanged(windowTitle()); }

void Box::showFirstSlip(const QString& slipToDisplayWhenOpening) {
    editor_.setChangedCell(EditorCell::None);
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
    BoxDocument::Change change = BoxDocument::Change::Fields;
    if (editorKeywordsDiffer(s)) {
        s.setKeywords(editor_.keywords());
        change = BoxDocument::Change::Keywords;
    } else if (!changed) {
        return;
    }
    document_.slipDidChange(currentSlip_, change);
    // New keywords rank the slip scents anew.
    if (change == BoxDocument::Change::Keywords && !currentlySavingDocument_) updateSlipScent();
}

void Box::commitPotentialChangesInFieldsAndStoreCurrentSlip() {
    const EditorCell cell = editor_.changedCell();
    switch (cell) {
    case EditorCell::Text:
        storeCurrentSlip();
        break;
    case EditorCell::Keywords:
    case EditorCell::Source:
    case EditorCell::Type: {
        // The edit ends before storing so that its undo step records the
        // slip's time from before the edit.
        static const char* failures[] = {nullptr, "Could not end editing for keywords field",
                                         "Could not end editing for source field",
                                         "Could not end editing for slip type field"};
        if (!editor_.endEditing()) logLine(QString::fromLatin1(failures[static_cast<int>(cell)]));
        editor_.focus(cell);
        storeCurrentSlip();
        break;
    }
    case EditorCell::None:
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
    if (editor_.changedCell() != EditorCell::None) editor_.endEditing();
    storeCurrentSlip();
    if (!box().slipForKeyExists(slip->key())) {
        if (inTrashMode())
            ui_.displayAlert(QStringLiteral("Slip is not in the Trash!"),
                             QStringLiteral("I will switch back to the normal view to display the slip."));
        else
            ui_.displayAlert(QStringLiteral("Slip is in the Trash!"),
                             QStringLiteral("I will switch to the Trash View to display the slip."));
        browseTrash();
    }
    const std::optional<QString> historyKey = history_.currentKey();
    SlipPtr fromHistory = callerUsesHistory && historyKey ? box().slipForKey(*historyKey) : nullptr;
    if (fromHistory)
        currentSlip_ = fromHistory;
    else
        setCurrentSlip(slip);
    if (selectedTab_ != BoxTab::Slip) selectTabViewItemWithLabel(BoxTab::Slip);
    updateWindow();
}

void Box::performChangeCurrentSlip(const SlipPtr& slip, bool callerUsesHistory) {
    const EditorCell cell = editor_.changedCell();
    if (!currentSlipChanged() || cell == EditorCell::None) {
        commitPotentialChangesInFieldsAndStoreCurrentSlip();
        // A text edit ends here, which gives it its "Edit Text" step.
        if (editor_.changedCell() == EditorCell::Text) editor_.endEditing();
        if (currentSlip_ && !selfDefinedUndoNames_.contains(undoManager().undoActionName()))
            generateEditTextUndoForLastModificationTime(currentSlip_->lastModificationTime());
        changeCurrentSlip(slip, callerUsesHistory);
        return;
    }
    switch (cell) {
    case EditorCell::Text:
        // Ending the edit stores the slip and gives it its "Edit Text" step.
        editor_.endEditing();
        changeCurrentSlip(slip, callerUsesHistory);
        editor_.beginTextEditing();
        break;
    case EditorCell::Keywords:
    case EditorCell::Source:
    case EditorCell::Type:
        editor_.endEditing();
        editor_.focus(cell);
        changeCurrentSlip(slip, callerUsesHistory);
        break;
    default:
        // A cell number read from nowhere the editor knows.
        ui_.displayAlert(QStringLiteral("Undefined cell being edited!"));
        break;
    }
}

void Box::updateWindowWithoutSlipScent() {
    if (!currentSlip_) return;
    updateBoxWindowTitle();
    editor_.setSlipText(currentSlip_->text());
    editor_.setSelectedRangesOfSlipText(currentSlip_->selectedRanges().value_or(QList<TextRange>{}));
    editor_.setKeywords(currentSlip_->keywords());
    editor_.setSource(currentSlip_->source().value_or(QString()));
    editor_.setSlipType(currentSlip_->slipType().value_or(QString()));
    editor_.setTextChecking(QStringLiteral("CheckSpellingAsYouType"), preferences_.checkSpellingAsYouType());
    emit windowRefreshed();
}

void Box::updateWindow() {
    if (!currentSlip_) return;
    updateWindowWithoutSlipScent();
    if (!currentlySavingDocument_) updateSlipScent();
}


void Box::emptyEditorText() {
    // Typing into the emptied text starts in the default slip font.
    Attributes attributes;
    attributes.set(attr::Font, preferences_.slipTextFont());
    editor_.setTypingAttributes(attributes);
    editor_.setSlipText(RichText());
}

// ---- navigation ------------------------------------------------------------

void Box::navigateToKey(const QString& key, bool callerUsesHistory) {
    if (SlipPtr target = box().slipForKey(key)) performChangeCurrentSlip(target, callerUsesHistory);
}

void Box::goBackSlip() {
    const auto key = history_.back([this](const QString& k) { return box().slipForKeyExists(k); });
    if (key) navigateToKey(*key, true);
}

void Box::goForwardSlip() {
    const auto key = history_.forward([this](const QString& k) { return box().slipForKeyExists(k); });
    if (key) navigateToKey(*key, true);
}

// A neighbour exists exactly when the store's neighbour search finds a
// number on that side; asking it directly spares a scan of all keys for the
// first or last key on every step.
void Box::previousSlip() {
    if (!currentSlip_) return;
    const QString key = box().findPreviousKey(*currentSlip_);
    if (numberOfKey(key) < currentNumber()) navigateToKey(key, false);
}

void Box::nextSlip() {
    if (!currentSlip_) return;
    const QString key = box().findNextKey(*currentSlip_);
    if (numberOfKey(key) > currentNumber()) navigateToKey(key, false);
}

void Box::firstSlip() {
    if (currentNumber() > numberOfKey(box().findFirstKey())) navigateToKey(box().findFirstKey(), false);
}

void Box::lastSlip() {
    if (!currentSlip_ || currentNumber() < numberOfKey(box().findLastKey())) navigateToKey(box().findLastKey(), false);
}

void Box::goToSlip() { beginNumberSheet(NumberSheetPurpose::GoTo); }

void Box::goToCancel() { ui_.endNumberSheet(); }

void Box::beginNumberSheet(NumberSheetPurpose purpose) {
    static const QString labels[] = {QStringLiteral("Go To Slip Number"), QStringLiteral("Merge With Slip Number"),
                                     QStringLiteral("Slip ID:")};
    numberSheetPurpose_ = purpose;
    ui_.beginNumberSheet(labels[static_cast<int>(purpose)]);
}

void Box::numberSheetOK(const QString& numberField) {
    switch (numberSheetPurpose_) {
    case NumberSheetPurpose::GoTo: goToOK(numberField); break;
    case NumberSheetPurpose::Merge: mergeSlipsOK(numberField); break;
    case NumberSheetPurpose::SlipLink: SlipLinkMaker(*this).makeSlipLinkOK(numberField); break;
    }
}

std::optional<quint32> Box::enteredNumber(const QString& numberField) const {
    const qint32 n = intValueOfString(numberField);
    if (n <= 0) return std::nullopt;
    return static_cast<quint32>(n);
}

void Box::goToOK(const QString& numberField) {
    const auto n = enteredNumber(numberField);
    if (!n) return;
    const QString key = BoxData::makeKey(*n);
    if (!box().slipForKeyExists(key)) {
        ui_.displayMessage(QStringLiteral("There is no slip with this ID in the box!"));
        return;
    }
    navigateToKey(key, false);
    ui_.endNumberSheet();
}

SlipPtr Box::selectRandomSlip(const QDateTime& now) const { return SlipChoice::randomSlip(box(), now); }

void Box::randomSlip() {
    if (SlipPtr slip = selectRandomSlip()) performChangeCurrentSlip(slip, false);
}

void Box::mostRecentSlip() {
    const std::optional<QString> key = SlipChoice::lastSlipOpen(fileName());
    if (key && box().slipForKeyExists(*key))
        navigateToKey(*key, false);
    else
        lastSlip();
}

void Box::windowWillClose() {
    if (fileName() && currentSlip_) SlipChoice::recordLastSlipOpen(*fileName(), currentSlip_->key());
    emit extraSlipWindowsMustClose();
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
    const SlipPtr suggestion = SlipChoice::suggestion(*this, suggestedSlipsHistory_);
    if (!suggestion) return;
    suggestedSlipsHistory_.append(suggestion->key());
    while (suggestedSlipsHistory_.size() > SuggestionHistoryLength) suggestedSlipsHistory_.removeFirst();
    performChangeCurrentSlip(suggestion, false);
}

bool Box::displaySlipWithID(const QString& key) {
    if (SlipPtr slip = box().slipForKey(key)) {
        changeCurrentSlip(slip, false);
        return true;
    }
    ui_.displayAlert(QStringLiteral("There is no slip with the specified ID!"),
                     inTrashMode() ? QStringLiteral("Hint: You are currently viewing the trash.")
                                   : QStringLiteral("Perhaps it is in the trash?"));
    return false;
}

// ---- slip operations --------------------------------------------------------

void Box::addSlip() { AddSlipCommand::addNewSlip(*this); }
void Box::addSlip(const SlipPtr& slip) { AddSlipCommand::addSlip(*this, slip); }
void Box::removeSlip() { RemoveSlipsCommand::perform(*this); }
void Box::copySlip() { SlipClipboard::copySlip(*this); }
void Box::pasteSlip() { SlipClipboard::pasteSlip(*this); }
void Box::mergeSlipArray(const QList<SlipPtr>& slips) { MergeSlipsCommand::perform(*this, slips); }
void Box::splitSlip() { SplitSlipCommand::perform(*this); }
void Box::clearSlip() { ClearSlipCommand::perform(*this); }
void Box::browseTrash() { TrashCommands::browseTrash(*this); }
void Box::emptyTrash() { TrashCommands::emptyTrash(*this); }
void Box::editSlipTemplate() { SlipTemplateEditing::edit(*this); }
void Box::templateOK() { SlipTemplateEditing::accept(*this); }
void Box::templateCancel() { SlipTemplateEditing::cancel(*this); }
void Box::templateDelete() { SlipTemplateEditing::remove(*this); }
void Box::addKeywordToCurrentSlip(const QString& keyword) { EditFieldCommand::addKeywordToCurrentSlip(*this, keyword); }
void Box::setDefaultSlipFont(const FontAttribute& font) { ChangeTextFontCommand::perform(*this, font); }
void Box::generateEditTextUndoForLastModificationTime(const QDateTime& time) { EditTextCommand::record(*this, time); }

void Box::mergeSlips() {
    if (selectedTab_ == BoxTab::Slip) {
        beginNumberSheet(NumberSheetPurpose::Merge);
    } else if (selectedTab_ == BoxTab::Search) {
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
    const SlipPtr other = box().slipForKey(BoxData::makeKey(*n));
    if (!other) {
        ui_.displayAlert(QStringLiteral("There is no slip with this ID in the box!"));
        return;
    }
    mergeSlipArray({currentSlip_, other});
    ui_.endNumberSheet();
}

// ---- editor delegate -------------------------------------------------------

void Box::editorDidBeginEditing(EditorCell cell) {
    if (!currentSlip_) return;
    initEditTime_ = currentSlip_->lastModificationTime();
    if (cell == EditorCell::Text)
        initEditTextString_ = editor_.text();
    else
        initEditString_ = editor_.fieldString(cell);
}

void Box::editorDidEndEditing(EditorCell cell) {
    if (!currentSlip_) return;
    if (cell == EditorCell::Text) {
        storeCurrentSlip();
        if (!selfDefinedUndoNames_.contains(undoManager().undoActionName()))
            generateEditTextUndoForLastModificationTime(initEditTime_.isValid() ? initEditTime_
                                                                                : currentSlip_->lastModificationTime());
        initEditTime_ = QDateTime();
        return;
    }
    if (editor_.fieldString(cell) != initEditString_) EditFieldCommand::record(*this, cell, initEditString_);
    storeCurrentSlip();
}

void Box::editorWillUndoTyping(const SlipPtr& owner) {
    if (owner && owner != currentSlip_ && box().slipForKey(owner->key()) == owner) changeCurrentSlip(owner, false);
}

void Box::editorTextChangedByUndo() {
    // The text system restores characters; the slip's time is the business
    // of the "Edit Text" step in the same group.
    if (currentSlip_) {
        currentSlip_->setTextWithoutLastModificationDate(editor_.text());
        document_.slipDidChange(currentSlip_);
    }
}

// ---- undo bookkeeping -------------------------------------------------------

void Box::undoManagerDidPerformUndoOrRedo() {
    if (startedUndoRedo_ && selectedTab_ != BoxTab::Slip) selectTabViewItemWithLabel(BoxTab::Slip);
    startedUndoRedo_ = false;
    document_.markEdited();
}

void Box::announceSlip(const SlipPtr& slip) {
    if (!slip || slip == currentSlip_) return;
    ui_.displayAlert((undoManager().isRedoing() ? QStringLiteral("The redo operation affects slip %1.")
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
    if (selectedTab_ != BoxTab::Slip) selectTabViewItemWithLabel(BoxTab::Slip);
    updateWindow();
}

// ---- the document and its file ---------------------------------------------

void Box::setFileName(const std::optional<QString>& path) { document_.setFileName(path); }

bool Box::isDocumentEdited() const {
    const EditorCell cell = editor_.changedCell();
    if (cell == EditorCell::Keywords || cell == EditorCell::Source || cell == EditorCell::Type) return true;
    // Typing makes its undo step only when it ends; until then the changed
    // text must still count, or nothing would save or autosave it.
    if (cell == EditorCell::Text && currentSlipChanged()) return true;
    return document_.isEdited();
}

void Box::resetSession() {
    editor_.setChangedCell(EditorCell::None);
    currentSlip_.reset();
    resetCurrentPositionInSlipHistory();
    suggestedSlipsHistory_.clear();
}

Status Box::readFromURL(const QString& path, const QString& typeName) {
    if (typeName == BoxDocument::CacheFileType) {
        ui_.displayAlert(QStringLiteral("Box: Called with Cache File!"),
                         QStringLiteral("You should not see this message. Please send a bug-report to the deveopler."));
        return Status::failure(QStringLiteral("A cache file is no box"));
    }
    const Status read = document_.readFromURL(path);
    if (read) resetSession();
    return read;
}

bool Box::saveDocument(const QString& path, const QString& typeName, BoxDocument::SaveKind kind) {
    currentlySavingDocument_ = true;
    commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const Status saved = document_.writeToURL(path, typeName, kind, preferences_.keepBackupFile());
    currentlySavingDocument_ = false;
    if (!saved) {
        logLine(QStringLiteral("Box:saveDocument: could not write %1: %2").arg(path, saved.error()));
        ui_.displayAlert(QStringLiteral("Problem saving the file!"), saved.error());
        return false;
    }
    if (kind != BoxDocument::SaveKind::SaveTo) setFileName(path);
    return true;
}

Status Box::writeCopy(const QString& path) {
    // The editor's state belongs in the copy without ending the edit.
    storeCurrentSlip();
    return BoxFile::writeToURL(box(), path);
}

bool Box::revertToContents(const QString& path) {
    if (inTrashMode()) browseTrash();
    if (const Status read = readFromURL(path); !read)
        ui_.displayAlert(QStringLiteral("Problem reading the file!"), read.error());
    loadDocumentWithInitialData();
    return true;
}

void Box::loadDocumentWithInitialData(const std::optional<QString>& slipFromCacheFile) {
    if (slipFromCacheFile) displaySlipWithID(*slipFromCacheFile);
    if (!currentSlip_ || box().slipForKey(currentSlip_->key()) != currentSlip_) {
        currentSlip_.reset();
        lastSlip();
    }
    // The index is built here once and then stays current: the first move
    // after opening would otherwise build it a second time.
    updateKeywordScents();
    updateWindow();
    undoManager().removeAllActions();
    showAllSlipsAsSearchResults();
}

// ---- scents ---------------------------------------------------------------

SlipScentList Box::slipScentsForSlip(const Slip& slip) { return fendle::slipScentsForSlip(slip, *keywordScents()); }

void Box::updateSlipScent() {
    if (selectedTab_ != BoxTab::Slip || !currentSlip_) return;
    SlipScentOutlineViewDataSource table;
    table.setScentArray(slipScentsForSlip(*currentSlip_));
    slipScentTable_ = std::move(table);
    emit slipScentsChanged();
}

// ---- search ----------------------------------------------------------------

ResultTable Box::selectedSearchResults() const { return search_->selectedResults(); }

void Box::initiateKeywordSearch(const QString& keyword) {
    search_->selectSearchTab();
    searchRuleEditor().initiateKeywordSearch();
    searchRuleEditor().addKeywordToSearch(keyword);
}

}  // namespace fendle
