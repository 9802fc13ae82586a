#pragma once
#include "model/BoxData.h"
#include "model/BoxFile.h"
#include "platform/system/Result.h"
#include "platform/ui/UndoManager.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

namespace fendle {

class AlternatingScent;
class KeywordScent;

// The box document: its slips and trash, its file, its undo steps and the
// keyword index built from its slips. Every change to the slips goes through
// here, so that the index is marked out of date and the views hear of it.
class BoxDocument : public QObject {
    Q_OBJECT
public:
    // The document types a box is read and written as.
    static inline const QString DocumentType = QStringLiteral("Fendle Document");
    static inline const QString DocumentTypeQuorvel = QStringLiteral("com.quorvel.fendle.fendle");
    static inline const QString DocumentTypeHalvorn = QStringLiteral("net.halvorn.fendle.fendle");
    static inline const QString OldDocumentType = QStringLiteral("Fendle Document Type");
    static inline const QString CacheFileType = QStringLiteral("Fendle Cache File");
    enum class SaveKind { Save, SaveAs, SaveTo };

    BoxDocument();
    ~BoxDocument() override;

    const BoxData& data() const { return data_; }
    UndoManager& undoManager() { return undo_; }
    const UndoManager& undoManager() const { return undo_; }
    SlipPtr slip(const QString& key) const { return data_.slipForKey(key); }
    bool inTrashMode() const { return data_.inTrashMode(); }

    // Filing. Each marks the document edited and the keyword index stale.
    SlipPtr createSlip();
    SlipPtr createSlipWithTemplate();
    void addSlip(const SlipPtr& slip);
    // Files the slip under its own key, replacing what was there.
    void setSlip(const SlipPtr& slip);
    // Files each slip as setSlip does, announcing them once (an import).
    void fileSlips(const QList<SlipPtr>& slips);
    void deleteSlipForKey(const QString& key);
    void putSlipInTrash(const SlipPtr& slip);
    void restoreSlipFromTrash(const SlipPtr& slip);
    void emptyTrash();
    void setTrashMode(bool inTrash);
    // Replaces both dictionaries, as a read does.
    void setSlips(const SlipDictionary& slips, const SlipDictionary& deletedSlips);
    unsigned replaceAllOccurrencesOfKeyword(const QString& oldKeyword, const QString& newKeyword);

    // A filed slip's fields were changed in place.
    enum class Change { Fields, Keywords };
    void slipDidChange(const SlipPtr& slip, Change change = Change::Fields);

    // What the box keeps besides its slips.
    void setSlipTemplate(const std::optional<RichText>& text, const std::optional<QList<TextRange>>& selection);
    void setSavedSearches(const QVariantList& searches);
    void setCurrentZoomFactor(qint32 zoom);

    // The slip types in use, sorted without regard to case.
    const QStringList& slipTypes() const { return slipTypes_; }
    void addSlipType(const QString& type);

    // The keyword index and the alternating graph, rebuilt on demand once
    // the keywords have changed.
    std::shared_ptr<KeywordScent> keywordScents();
    const std::shared_ptr<AlternatingScent>& alternatingScents() const { return alternatingScent_; }
    // True when the next use of the index rebuilds it.
    bool keywordScentsMustBeUpdated() const { return keywordScentsMustBeUpdated_ || !keywordScent_; }
    void setKeywordScentsMustBeUpdated();
    // Rebuilds now if out of date; true when it did.
    bool updateKeywordScents();
    // The check box "show duplicates in scent path".
    bool showDuplicatesInScentPath() const { return showDuplicatesInScentPath_; }
    void setShowDuplicatesInScentPath(bool show);

    // The file.
    const std::optional<QString>& fileName() const { return fileName_; }
    void setFileName(const std::optional<QString>& path);
    const QString& displayName() const { return displayName_; }
    // The box part of the external slip links that name this box: its file's
    // address, or while it has none a name of its own for this run, so that
    // links leaving an unsaved box never point into another box.
    QString boxUrlString() const;
    // Every box part that names this box: the one above, and the name it
    // went by before it was first saved (text copied then, pasted after).
    QStringList ownBoxUrlStrings() const;
    const QString& fileFormatOnLastOpening() const { return fileFormatOnLastOpening_; }
    bool isEdited() const { return edited_; }
    void markEdited();
    void clearEdited();
    // Reads a box file, in any of its forms, into a fresh store; this one
    // stays whole on failure.
    Status readFromURL(const QString& path);
    // Writes the file atomically; keepBackup keeps the previous one as
    // "Name~.fendle". The document stays edited for SaveTo.
    Status writeToURL(const QString& path, const QString& typeName, SaveKind kind, bool keepBackup);

signals:
    // Slips were filed, removed, moved to or from the trash, or replaced.
    void slipsChanged();
    // A filed slip's fields changed in place.
    void slipChanged(const SlipPtr& slip);
    // The keyword index is out of date.
    void keywordsChanged();
    // The index was rebuilt from the slips as they are now.
    void keywordScentsRebuilt();
    void editedChanged(bool edited);
    void fileNameChanged();
    void trashModeChanged(bool inTrash);

private:
    BoxData data_;
    UndoManager undo_;
    QStringList slipTypes_;
    std::shared_ptr<KeywordScent> keywordScent_;
    std::shared_ptr<AlternatingScent> alternatingScent_;
    bool keywordScentsMustBeUpdated_ = true;
    bool showDuplicatesInScentPath_ = false;
    std::optional<QString> fileName_;
    QString displayName_ = QStringLiteral("Untitled");
    QString unsavedBoxUrlString_;
    QString fileFormatOnLastOpening_;
    bool edited_ = false;

    void slipsDidChange();
    void collectSlipTypes();
};

}  // namespace fendle
