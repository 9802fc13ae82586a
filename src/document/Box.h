#pragma once
#include "document/BoxDocument.h"
#include "document/BoxTab.h"
#include "document/EditorModel.h"
#include "document/SlipHistory.h"
#include "scents/SlipScentOutlineViewDataSource.h"
#include "document/SearchSession.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace fendle {

class BoxPreferences;
class KeywordScent;
class Pasteboard;
class ResultTable;
class SearchRuleEditor;
class UiPort;
class WebResources;

// A box as its window works on it: the document, the slip shown in the
// editor, the history of shown slips, the selected view and the search and
// scents shown there. The window shows what the box announces through its
// signals and the document's; the operations change the document through
// the undoable commands.
class Box : public QObject, public EditorModel::Delegate {
    Q_OBJECT
public:
    static inline const QString LastSlipOpenAttribute = QStringLiteral("net.halvorn.fendle.LastSlipOpen");
    // Read when a file lacks the attribute this program writes.
    static inline const QString OtherLastSlipOpenAttribute = QStringLiteral("com.quorvel.fendle.LastSlipOpen");
    static inline const QString SupportAddress = QStringLiteral("fendle-support@halvorn.net");
    static constexpr qsizetype SuggestionHistoryLength = 10;

    Box(UiPort& ui, Pasteboard& pasteboard, const BoxPreferences& preferences, WebResources& web);
    ~Box() override;
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;

    BoxDocument& document() { return document_; }
    const BoxDocument& document() const { return document_; }
    const BoxData& box() const { return document_.data(); }
    UndoManager& undoManager() { return document_.undoManager(); }
    EditorModel& editor() { return editor_; }
    const EditorModel& editor() const { return editor_; }
    UiPort& ui() { return ui_; }
    Pasteboard& pasteboard() { return pasteboard_; }
    const BoxPreferences& preferences() const { return preferences_; }
    WebResources& webResources() { return web_; }

    // The document and its file.
    const std::optional<QString>& fileName() const { return document_.fileName(); }
    void setFileName(const std::optional<QString>& path);
    const QString& fileFormatOnLastOpening() const { return document_.fileFormatOnLastOpening(); }
    // Also true while a keywords, source or type field is being edited.
    bool isDocumentEdited() const;
    void markDocumentEdited() { document_.markEdited(); }
    // Reads the file; a failed read leaves the box as it was and says why.
    Status readFromURL(const QString& path, const QString& typeName = BoxDocument::DocumentType);
    // Commits the fields, then writes the file ("SaveBackup" keeps the previous one).
    bool saveDocument(const QString& path, const QString& typeName = BoxDocument::DocumentType,
                      BoxDocument::SaveKind kind = BoxDocument::SaveKind::Save);
    // A copy of the box as it stands, written elsewhere without touching its state.
    Status writeCopy(const QString& path);
    bool revertToContents(const QString& path);
    bool currentlySavingDocument() const { return currentlySavingDocument_; }
    // After a read, once the window is ready; a cache file may name the slip to show.
    void loadDocumentWithInitialData(const std::optional<QString>& slipFromCacheFile = std::nullopt);
    // Once the window is built: no edit, the first slip chosen by the
    // "FDLSlipToDisplayWhenOpeningBox" value.
    void showFirstSlip(const QString& slipToDisplayWhenOpening);
    // The window closes: the current slip's key goes into the file's attribute.
    void windowWillClose();

    // State.
    SlipPtr currentSlip() const { return currentSlip_; }
    SlipPtr slip(const QString& key) const { return box().slipForKey(key); }
    bool inTrashMode() const { return document_.inTrashMode(); }
    const SlipHistory& slipHistory() const { return history_; }
    const QStringList& suggestedSlipsHistory() const { return suggestedSlipsHistory_; }
    const QStringList& slipTypes() const { return document_.slipTypes(); }

    // Views.
    BoxTab selectedTab() const { return selectedTab_; }
    void selectTabViewItemWithLabel(BoxTab tab);
    void selectView(int segment);
    QString windowTitle() const;
    void updateBoxWindowTitle();
    // The selected row of the alternating scent view: its label and whether
    // it is a slip row; the view tells the box when it changes.
    struct AlternatingRow {
        QString label;
        bool isSlip = false;
    };
    const std::optional<AlternatingRow>& selectedAlternatingScentRow() const { return selectedAlternatingRow_; }
    void setSelectedAlternatingScentRow(const std::optional<AlternatingRow>& row) { selectedAlternatingRow_ = row; }

    // Editor and current slip.
    bool currentSlipChanged() const;
    void storeCurrentSlip();
    void commitPotentialChangesInFieldsAndStoreCurrentSlip();
    void setCurrentSlip(const SlipPtr& slip);
    void changeCurrentSlip(const SlipPtr& slip, bool callerUsesHistory);
    void performChangeCurrentSlip(const SlipPtr& slip, bool callerUsesHistory);
    void resetCurrentPositionInSlipHistory() { history_.reset(); }
    void updateWindow();
    void updateWindowWithoutSlipScent();
    // The slip text view's switch stored under a defaults key ("FDLSmartQuotes"...); false for other keys.
    bool setTextChecking(const QString& defaultsKey, bool on) { return editor_.setTextChecking(defaultsKey, on); }
    // Empties the editor's text; typing then starts in the slip text font.
    void emptyEditorText();

    // Scents. The document keeps the keyword index; the box ranks the
    // current slip's scents while the slip view shows.
    SlipScentList slipScentsForSlip(const Slip& slip);
    void updateSlipScent();
    // The slip-scent list's model; none before the first ranking.
    const std::optional<SlipScentOutlineViewDataSource>& slipScentTable() const { return slipScentTable_; }
    void updateKeywordScents() { document_.updateKeywordScents(); }
    std::shared_ptr<KeywordScent> keywordScents() { return document_.keywordScents(); }
    const std::shared_ptr<AlternatingScent>& alternatingScents() const { return document_.alternatingScents(); }
    bool showDuplicatesInScentPath() const { return document_.showDuplicatesInScentPath(); }
    void setShowDuplicatesInScentPath(bool show) { document_.setShowDuplicatesInScentPath(show); }

    // Search.
    SearchSession& search() { return *search_; }
    const SearchSession& search() const { return *search_; }
    SearchRuleEditor& searchRuleEditor() { return search_->ruleEditor(); }
    QVariantList currentSearchRuleEditorState() const { return search_->rules(); }
    void setSearchRuleEditorState(const QVariantList& state) { search_->setRules(state); }
    const ResultTable& currentSearchResults() const { return search_->results(); }
    ResultTable& currentSearchResults() { return search_->results(); }
    ResultTable selectedSearchResults() const;
    QList<SlipPtr> slipsSelectedInSearchView() const { return search_->selectedSlips(); }
    QStringList selectedSearchResultKeys() const { return search_->selectedKeys(); }
    void rerunSearch() { search_->rerun(); }
    bool searchTestsFlags() const { return search_->testsFlags(); }
    const QList<qsizetype>& selectedSearchResultRows() const { return search_->selectedRows(); }
    void selectSearchResultRows(const QList<qsizetype>& rows) { search_->selectRows(rows); }
    void setSearchSortDescriptors(const QList<SortDescriptor>& descriptors) { search_->setSortDescriptors(descriptors); }
    void showAllSlipsAsSearchResults() { search_->showAllSlips(); }
    // A keyword search started from outside the window (the search service).
    void initiateKeywordSearch(const QString& keyword);

    // Navigation.
    void goBackSlip();
    void goForwardSlip();
    void previousSlip();
    void nextSlip();
    void firstSlip();
    void lastSlip();
    void goToSlip();
    void goToOK(const QString& numberField);
    void goToCancel();
    // The number sheet serves going to a slip, merging with one and linking to one.
    enum class NumberSheetPurpose { GoTo, Merge, SlipLink };
    void beginNumberSheet(NumberSheetPurpose purpose);
    // The number sheet's OK button.
    void numberSheetOK(const QString& numberField);
    SlipPtr selectRandomSlip(const QDateTime& now = QDateTime::currentDateTimeUtc()) const;
    void randomSlip();
    void mostRecentSlip();
    void suggestSlip();
    bool displaySlipWithID(const QString& key);
    void browseTrash();

    // Slip operations; each is one undoable command of its own.
    void addSlip();
    void addSlip(const SlipPtr& slip);
    void removeSlip();
    void copySlip();
    void pasteSlip();
    void mergeSlips();
    void mergeSlipsOK(const QString& numberField);
    void mergeSlipArray(const QList<SlipPtr>& slips);
    void splitSlip();
    void clearSlip();
    void emptyTrash();
    void editSlipTemplate();
    void templateOK();
    void templateCancel();
    void templateDelete();
    void generateEditTextUndoForLastModificationTime(const QDateTime& time);
    // The inspector's keyword list: the keyword joins the keywords field
    // as an "Add Keyword" step.
    void addKeywordToCurrentSlip(const QString& keyword);
    // A new slip text font: the whole text of the current slip takes it, as one undoable step.
    void setDefaultSlipFont(const FontAttribute& font);

    // For the undoable commands: a step registered while the box is in
    // use, marking the document edited; and the bookkeeping of appliers.
    void registerStep(std::function<void()> step, const QString& actionName);
    bool isUndoingOrRedoing() const;
    void applierStarted() { startedUndoRedo_ = true; }
    // Shows a slip an undo or redo works on, saying so when it is not the current one.
    void announceSlip(const SlipPtr& slip);
    // Makes a slip filed in place of the current one current, without storing
    // the editor into it.
    void showReplacement(const SlipPtr& slip);
    void undoManagerDidPerformUndoOrRedo();

    // Editor delegate.
    void editorDidBeginEditing(EditorCell cell) override;
    void editorDidEndEditing(EditorCell cell) override;
    SlipPtr editorTextOwner() const override { return currentSlip_; }
    void editorWillUndoTyping(const SlipPtr& owner) override;
    void editorTextChangedByUndo() override;

signals:
    // What the window shows follows these and the document's signals.
    void windowTitleChanged(const QString& title);
    void tabSelected(BoxTab tab);
    // The slip was shown anew: its fields, the toolbar, the extra windows
    // and the inspector follow.
    void windowRefreshed();
    void slipScentsChanged();
    void searchResultsChanged();
    // One row of the results shows its slip anew.
    void searchResultRowChanged(qsizetype row);
    // A search command wants the user's typing in the value field of this rule row.
    void ruleValueFocusRequested(int row);
    void extraSlipWindowsMustClose();
    // Undoing or redoing a picture resize takes the picture up again.
    void imageResizeRestored();

private:
    UiPort& ui_;
    Pasteboard& pasteboard_;
    const BoxPreferences& preferences_;
    WebResources& web_;
    BoxDocument document_;
    EditorModel editor_;
    SlipPtr currentSlip_;
    QString initEditString_;
    RichText initEditTextString_;
    QDateTime initEditTime_;
    SlipHistory history_;
    QStringList suggestedSlipsHistory_;
    QStringList selfDefinedUndoNames_;
    BoxTab selectedTab_ = BoxTab::Slip;
    std::optional<AlternatingRow> selectedAlternatingRow_;
    bool currentlySavingDocument_ = false;
    std::optional<SlipScentOutlineViewDataSource> slipScentTable_;
    std::unique_ptr<SearchSession> search_;
    bool startedUndoRedo_ = false;
    NumberSheetPurpose numberSheetPurpose_ = NumberSheetPurpose::GoTo;

    void navigateToKey(const QString& key, bool callerUsesHistory);
    bool editorKeywordsDiffer(const Slip& slip) const;
    std::optional<quint32> enteredNumber(const QString& numberField) const;
    quint32 currentNumber() const { return currentSlip_ ? currentSlip_->slipID() : 0; }
    static quint32 numberOfKey(const QString& key);
    void resetSession();
};

}  // namespace fendle
