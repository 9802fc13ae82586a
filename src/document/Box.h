#pragma once
#include "document/BoxHooks.h"
#include "document/EditorModel.h"
#include "document/SlipHistory.h"
#include "model/BoxData.h"
#include "platform/ui/UndoManager.h"
#include "scents/SlipScentOutlineViewDataSource.h"
#include "search/ResultTableBox.h"
#include "search/SearchRuleEditorHost.h"
#include "search/SortDescriptor.h"

#include <QDateTime>
#include <QStringList>
#include <memory>
#include <optional>

namespace fendle {

class AlternatingScent;
class BoxFileCodec;
class KeywordScent;
class Pasteboard;
class ResultTable;
class SearchRuleEditor;
class UiPort;

// The box document: the current slip shown in the editor, its history and
// navigation, and the slip operations with their undo steps.
class Box : public EditorModel::Delegate, public SearchRuleEditorHost, public ResultTableBox {
public:
    static inline const QString SlipTab = QStringLiteral("Slip");
    static inline const QString SearchTab = QStringLiteral("Search");
    static inline const QString KeywordScentTab = QStringLiteral("Keyword Scent");
    static inline const QString AlternatingScentTab = QStringLiteral("Alternating Scent");
    static inline const QString LastSlipOpenAttribute = QStringLiteral("net.halvorn.fendle.LastSlipOpen");
    // Read when a file lacks the attribute this program writes.
    static inline const QString OtherLastSlipOpenAttribute = QStringLiteral("com.quorvel.fendle.LastSlipOpen");
    static inline const QString SupportAddress = QStringLiteral("fendle-support@halvorn.net");
    static constexpr qsizetype SuggestionHistoryLength = 10;

    Box(UiPort& ui, Pasteboard& pasteboard);
    ~Box() override;
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;

    BoxData& box() { return box_; }
    const BoxData& box() const { return box_; }
    UndoManager& undoManager() { return undo_; }
    EditorModel& editor() { return editor_; }
    BoxHooks& hooks() { return hooks_; }
    UiPort& ui() { return ui_; }

    // Once the window is built: no edit, the first slip chosen by the
    // "FDLSlipToDisplayWhenOpeningBox" value.
    void showFirstSlip(const QString& slipToDisplayWhenOpening);
    void setFileName(const std::optional<QString>& path) { fileName_ = path; }
    const std::optional<QString>& fileName() const { return fileName_; }
    void setDisplayName(const QString& name) { displayName_ = name; }
    // The window closes: the current slip's key goes into the file's attribute.
    void windowWillClose();

    // The document and its file.
    static inline const QString DocumentType = QStringLiteral("Fendle Document");
    static inline const QString DocumentTypeQuorvel = QStringLiteral("com.quorvel.fendle.fendle");
    static inline const QString DocumentTypeHalvorn = QStringLiteral("net.halvorn.fendle.fendle");
    static inline const QString OldDocumentType = QStringLiteral("Fendle Document Type");
    static inline const QString CacheFileType = QStringLiteral("Fendle Cache File");
    // Box files above this size are not read.
    static constexpr qint64 MaxFileSize = qint64(1) << 30;
    enum class SaveKind { Save, SaveAs, SaveTo };

    // Box files are read and written through the archive forms of BoxFile
    // unless another codec is set.
    void setFileCodec(BoxFileCodec* codec) { codec_ = codec; }
    bool readFromData(const QByteArray& data, const QString& typeName);
    std::optional<QByteArray> dataOfType(const QString& typeName);
    // Saves atomically: the previous file stays intact until the new one is
    // complete, and with keepBackupFile it is kept beside it as "<path>~".
    bool saveDocument(const QString& path, const QString& typeName, SaveKind kind = SaveKind::Save);
    bool revertToContents(const QString& path, const QString& typeName);
    // After the framework has closed the document.
    void close();
    // After a read, once the window is ready; a cache file may name the slip to show.
    void loadDocumentWithInitialData(const std::optional<QString>& slipFromCacheFile = std::nullopt);
    const QString& fileFormatOnLastOpening() const { return fileFormatOnLastOpening_; }
    bool keepBackupFile() const { return keepBackupFile_; }
    void setKeepBackupFile(bool keep) { keepBackupFile_ = keep; }

    // State.
    SlipPtr currentSlip() const { return currentSlip_; }
    SlipPtr slip(const QString& key) const { return box_.slipForKey(key); }
    bool inTrashMode() const { return box_.inTrashMode(); }
    const SlipHistory& slipHistory() const { return history_; }
    const QStringList& suggestedSlipsHistory() const { return suggestedSlipsHistory_; }
    const QStringList& slipTypes() const { return slipTypes_; }
    // Also true while a keywords, source or type field is being edited.
    bool isDocumentEdited() const;
    void markDocumentEdited() { documentEdited_ = true; }
    void clearDocumentEdited() { documentEdited_ = false; }
    bool currentlySavingDocument() const { return currentlySavingDocument_; }
    void setCurrentlySavingDocument(bool saving) { currentlySavingDocument_ = saving; }

    // Views.
    const QString& selectedTabViewItemLabel() const { return selectedTab_; }
    void selectTabViewItemWithLabel(const QString& label);
    void selectView(int segment);

    // Editor and current slip.
    bool currentSlipChanged() const;
    void storeCurrentSlip();
    void commitPotentialChangesInFieldsAndStoreCurrentSlip();
    void setCurrentSlip(const SlipPtr& slip);
    void changeCurrentSlip(const SlipPtr& slip, bool callerUsesHistory);
    void performChangeCurrentSlip(const SlipPtr& slip, bool callerUsesHistory);
    void resetCurrentPositionInSlipHistory() { history_.reset(); }
    void addSlipType(const QString& type);
    void updateBoxWindowTitle();
    void updateWindow();
    void updateWindowWithoutSlipScent();
    // The slip text view's switches; the application's menu toggles set them.
    void setCheckSpellingAsYouType(bool on) { editor_.textChecking().checkSpellingAsYouType = on; }
    void setCheckGrammarWithSpelling(bool on) { editor_.textChecking().checkGrammarWithSpelling = on; }
    void setSmartCopyPaste(bool on) { editor_.textChecking().smartCopyPaste = on; }
    void setSmartQuotes(bool on) { editor_.textChecking().smartQuotes = on; }
    void setSmartLinks(bool on) { editor_.textChecking().smartLinks = on; }
    // The switch stored under a defaults key ("FDLSmartQuotes"...); false for other keys.
    bool setTextChecking(const QString& defaultsKey, bool on);

    // Scents. The keyword index and the alternating graph are rebuilt lazily
    // once keywords have changed.
    SlipScentList slipScentsForSlip(const Slip& slip);
    // Ranks the current slip's scents anew while the slip view shows.
    void updateSlipScent();
    // The slip-scent list's model; none before the first ranking.
    const std::optional<SlipScentOutlineViewDataSource>& slipScentTable() const { return slipScentTable_; }
    std::shared_ptr<KeywordScent> makeKeywordScentData() const;
    std::shared_ptr<AlternatingScent> makeAlternatingScentData() const;
    void updateKeywordScents();
    std::shared_ptr<KeywordScent> keywordScents();
    // The graph as last built; none before the first build.
    const std::shared_ptr<AlternatingScent>& alternatingScents() const { return alternatingScent_; }
    bool keywordScentsMustBeUpdated() const { return keywordScentsMustBeUpdated_; }
    void setKeywordScentsMustBeUpdated(bool value) { keywordScentsMustBeUpdated_ = value; }
    // The check box "show duplicates in scent path".
    bool showDuplicatesInScentPath() const { return showDuplicatesInScentPath_; }
    void setShowDuplicatesInScentPath(bool show) { showDuplicatesInScentPath_ = show; }

    // Search.
    SearchRuleEditor& searchRuleEditor() { return *searchRuleEditor_; }
    QVariantList currentSearchRuleEditorState() const;
    void setSearchRuleEditorState(const QVariantList& state);
    void setSearchResultsToSlips(const QList<SlipPtr>& slips) override;
    const ResultTable& currentSearchResults() const { return *searchResults_; }
    ResultTable& currentSearchResults() { return *searchResults_; }
    // A table not bound to the box; empty and bound to it when nothing is selected.
    ResultTable selectedSearchResults() const;
    QList<SlipPtr> slipsSelectedInSearchView() const;
    QStringList selectedSearchResultKeys() const;
    // The rules as they stand are applied again (after slips changed).
    void rerunSearch();
    // The search view is shown and its rules test flags: a flag change must search again.
    bool searchTestsFlags() const;
    // The selected rows of the result table view, in row order.
    const QList<qsizetype>& selectedSearchResultRows() const { return selectedResultRows_; }
    void selectSearchResultRows(const QList<qsizetype>& rows);
    void setSearchSortDescriptors(const QList<SortDescriptor>& descriptors) { sortDescriptors_ = descriptors; }
    const BoxData& boxData() const override { return box_; }
    // The default "AddKeywordToBoxSearch".
    bool addKeywordToBoxSearch() const override { return addKeywordToBoxSearch_; }
    void setAddKeywordToBoxSearch(bool add) { addKeywordToBoxSearch_ = add; }
    void selectSearchTab() override;
    // A flag toggled in the result table.
    void setFlagged(bool flagged, const QString& identifier, ResultTable& sender) override;
    void showAllSlipsAsSearchResults();

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
    // The number sheet's OK button: going to or merging with the number.
    void numberSheetOK(const QString& numberField);
    SlipPtr selectRandomSlip(const QDateTime& now = QDateTime::currentDateTimeUtc()) const;
    void randomSlip();
    void mostRecentSlip();
    void suggestSlip();
    bool displaySlipWithID(const QString& key);
    void browseTrash();

    // Two-segment toolbar controls; an absent tag means the sender was no
    // segmented control.
    void changeSlipAction(std::optional<int> tag);
    void goBackForwardSlipAction(std::optional<int> tag);
    void addRemoveSlipAction(std::optional<int> tag);
    void splitMergeSlipAction(std::optional<int> tag);

    // Slip operations.
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

    // Undo steps of operations that live elsewhere (keywords and flags,
    // text styling, slips made from rich text or files).
    struct KeywordsRestore {
        SlipPtr slip;
        KeywordsArray keywords;
        QDateTime lastModificationTime;
    };
    void registerFlagSlipUndo(const QStringList& keys, bool valueJustSet);
    void registerAddKeywordToSelectedSlipsUndo(const QList<KeywordsRestore>& before);
    void registerChangeDefaultTextFontUndo(const RichText& textBefore, const SlipPtr& slip);
    // A new slip text font: the whole text of the current slip takes it, as one undoable step.
    void setDefaultSlipFont(const FontAttribute& font);
    // Undoing puts toInsert in place of toReplace, found at range.
    void registerChangeAttributedSubstringUndo(const SlipPtr& slip, const RichText& toInsert,
                                               const RichText& toReplace, TextRange range,
                                               const QDateTime& lastModificationTime, const QString& actionName);
    // A slip filed by rich-text (mode 2) or file (mode 3) creation.
    void registerCreatedSlipUndo(const SlipPtr& slip, const SlipPtr& previous, bool fromFile);
    // Whole-slip snapshots (drops, image resizing, text conversion).
    void registerRestoreOldSlipState(const SlipPtr& oldState, const SlipPtr& newState, const QString& actionName);
    void undoManagerDidPerformUndoOrRedo();

    // Editor delegate.
    void editorDidBeginEditing(int cell) override;
    void editorDidEndEditing(int cell) override;
    SlipPtr editorTextOwner() const override { return currentSlip_; }
    void editorWillUndoTyping(const SlipPtr& owner) override;
    void editorTextChangedByUndo() override;

private:
    enum AddMode : int { AddedMode = 0, PastedMode = 1, FromRTFMode = 2, FromFileMode = 3 };
    struct AddRecord {
        SlipPtr slip;
        SlipPtr previous;
        int mode = AddedMode;
    };
    struct RemoveRecord {
        SlipPtr slip;
        SlipPtr replacement;  // the empty slip made when the last one went
    };
    struct ClearRecord {
        QString key;
        std::optional<RichText> text;
        KeywordsArray keywords;
        std::optional<QString> source;
        std::optional<QString> slipType;
        QDateTime lastModificationTime;
    };
    struct SplitRecord {
        RichText textBefore;
        SlipPtr newSlip;
        SlipPtr dividedSlip;
        qsizetype location = 0;
        qsizetype length = 0;
        QDateTime timeBefore;
    };
    struct MergeRecord {
        SlipPtr firstBefore;  // a copy, standing in for the archived form
        QList<SlipPtr> others;
    };
    struct CellRecord {
        SlipPtr slip;
        QString value;
        int cell = EditorModel::NoCell;
        QDateTime lastModificationTime;
        QString actionName;  // empty: the field's own name
    };

    UiPort& ui_;
    Pasteboard& pasteboard_;
    BoxData box_;
    UndoManager undo_;
    EditorModel editor_;
    BoxHooks hooks_;
    SlipPtr currentSlip_;
    QStringList slipTypes_;
    QString initEditString_;
    RichText initEditTextString_;
    QDateTime initEditTime_;
    SlipHistory history_;
    QStringList suggestedSlipsHistory_;
    QStringList selfDefinedUndoNames_;
    QString selectedTab_ = SlipTab;
    std::optional<QString> fileName_;
    QString displayName_ = QStringLiteral("Untitled");
    bool currentlySavingDocument_ = false;
    bool keywordScentsMustBeUpdated_ = true;
    bool showDuplicatesInScentPath_ = false;
    std::shared_ptr<KeywordScent> keywordScent_;
    std::shared_ptr<AlternatingScent> alternatingScent_;
    std::optional<SlipScentOutlineViewDataSource> slipScentTable_;
    std::unique_ptr<ResultTable> searchResults_;
    // The table replaced last stays until the next search: a flag toggled in
    // it may search again while the table is still at work.
    std::unique_ptr<ResultTable> retiredSearchResults_;
    QList<qsizetype> selectedResultRows_;
    QList<SortDescriptor> sortDescriptors_;
    bool addKeywordToBoxSearch_ = true;
    std::unique_ptr<SearchRuleEditor> searchRuleEditor_;
    bool documentEdited_ = false;
    bool startedUndoRedo_ = false;
    bool numberSheetMerges_ = false;
    BoxFileCodec* codec_;  // the archive forms unless a test gives another
    QString fileFormatOnLastOpening_;
    bool keepBackupFile_ = false;

    static void call(const std::function<void()>& hook) {
        if (hook) hook();
    }
    void registerStep(std::function<void()> step, const QString& actionName);
    bool isUndoingOrRedoing() const { return undo_.isUndoing() || undo_.isRedoing(); }
    void announceSlip(const SlipPtr& slip);
    void navigateToKey(const QString& key, bool callerUsesHistory);
    bool endFieldEditing(const char* failure);
    void emptyEditorText();
    bool editorKeywordsDiffer(const Slip& slip) const;
    int selectedSearchResultRow() const { return selectedResultRows_.isEmpty() ? -1 : int(selectedResultRows_.first()); }
    std::optional<quint32> enteredNumber(const QString& numberField) const;
    QList<SlipPtr> slipsToCopy();
    // The slips a removal takes, by view; none after a refusal.
    std::optional<QList<SlipPtr>> slipsToRemove(const QString& view, int& selectedRow);
    void chooseSlipAfterRemoval(const QString& view, int selectedRow);
    void showReplacement(const SlipPtr& slip);
    static QString keyOfNumber(quint32 number) { return BoxData::makeKey(number); }
    quint32 currentNumber() const { return currentSlip_ ? currentSlip_->slipID() : 0; }
    static quint32 numberOfKey(const QString& key);

    void applyAddSlipUndo(const AddRecord& record);
    void applyCreateSlipFromRTFRedo(const SlipPtr& slip);
    void applyRemoveSlipUndo(const RemoveRecord& record);
    void applyRemoveSlipRedo(const SlipPtr& slip);
    void applyClearSlipUndo(const ClearRecord& record);
    void applyClearSlipRedo(const SlipPtr& slip);
    void applySplitSlipUndo(const SplitRecord& record);
    void applySplitSlipRedo(const SplitRecord& record);
    void applyMergeSlipsUndo(const MergeRecord& record);
    void applyEditTextUndo(const SlipPtr& slip, const QDateTime& time);
    void applyCellUndo(const CellRecord& record);
    struct SubstringRecord {
        SlipPtr slip;
        RichText inserted;
        RichText replaced;
        qsizetype location = 0;
        qsizetype length = 0;
        QDateTime lastModificationTime;
    };
    void applyFlagSlipUndo(const QStringList& keys, bool valueJustSet);
    void applyAddKeywordToSelectedSlipsUndo(const QList<KeywordsRestore>& records);
    void applyChangeDefaultTextFontUndo(const RichText& text, const SlipPtr& slip);
    void applyChangeAttributedSubstringInSlipTextUndo(const SubstringRecord& record, const QString& actionName);
    void applyRestoreOldSlipStateForUndo(const SlipPtr& putBack, const SlipPtr& replaced, const QString& actionName);
};

}  // namespace fendle
