#pragma once
#include "document/EditorCell.h"
#include "model/KeywordsArray.h"
#include "model/Slip.h"
#include "platform/richtext/RichText.h"
#include "platform/richtext/TextRange.h"

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace fendle {

class UndoManager;

// The four fields of the box window as values: slip text, keywords, source
// and slip type, the text selection, the focused field and the field being
// edited. The widgets show what the box puts here (they hear of it through
// the signals) and hand the user's typing back; tests type into it.
class EditorModel : public QObject {
    Q_OBJECT
public:
    // Told when an edit session of a field begins and ends, and when the
    // text system's own undo changed the text.
    class Delegate {
    public:
        virtual ~Delegate() = default;
        virtual void editorDidBeginEditing(EditorCell cell) = 0;
        virtual void editorDidEndEditing(EditorCell cell) = 0;
        // The text system's undo steps belong to the slip that was shown
        // when they were made; before one runs, the owner is shown again.
        virtual SlipPtr editorTextOwner() const = 0;
        virtual void editorWillUndoTyping(const SlipPtr& owner) = 0;
        virtual void editorTextChangedByUndo() = 0;
    };

    explicit EditorModel(UndoManager& undoManager) : undo_(undoManager) {}
    EditorModel(const EditorModel&) = delete;
    EditorModel& operator=(const EditorModel&) = delete;
    void setDelegate(Delegate* delegate) { delegate_ = delegate; }

    // What the box shows; showing does not start an edit.
    const RichText& text() const { return text_; }
    void setSlipText(const std::optional<RichText>& text);
    KeywordsArray keywords() const;
    const QString& keywordsString() const { return keywords_; }
    void setKeywords(const std::optional<KeywordsArray>& keywords);
    const QString& source() const { return source_; }
    void setSource(const QString& source) { setFieldString(EditorCell::Source, source); }
    const QString& slipType() const { return slipType_; }
    void setSlipType(const QString& type) { setFieldString(EditorCell::Type, type); }
    // The string of a field cell (keywords, source or type).
    QString fieldString(EditorCell cell) const;
    void setFieldString(EditorCell cell, const QString& value);

    const QList<TextRange>& selectedRanges() const { return selection_; }
    // A range ending beyond the text becomes the empty range at 0; an empty
    // list changes nothing.
    void setSelectedRangesOfSlipText(const QList<TextRange>& ranges);
    TextRange selectedRange() const { return selection_.isEmpty() ? TextRange{} : selection_.first(); }

    EditorCell changedCell() const { return changedCell_; }
    void setChangedCell(EditorCell cell) { changedCell_ = cell; }
    EditorCell focusedCell() const { return focused_; }
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);

    // The user's side. Focusing another field ends the edit in progress;
    // typing begins an edit session if none is running.
    void focus(EditorCell cell);
    void typeInField(EditorCell cell, const QString& value);
    // The selection the user made in the text view.
    void selectInText(const QList<TextRange>& ranges);
    // Typing in the text view: replaces a range and leaves the cursor after
    // it; the text system registers its own "Typing" undo step.
    void replaceText(TextRange range, const RichText& replacement);
    void replaceText(TextRange range, const QString& replacement);
    // Ends the edit session in progress, as losing focus would; false when
    // nothing was being edited.
    bool endEditing();
    // Begins a text edit session explicitly (resuming after navigation).
    void beginTextEditing();
    // The text view's checking and substitution switches.
    struct TextChecking {
        bool checkSpellingAsYouType = false;
        bool checkGrammarWithSpelling = false;
        bool smartCopyPaste = false;
        bool smartQuotes = false;
        bool smartLinks = false;
    };
    const TextChecking& textChecking() const { return textChecking_; }
    // The switch stored under a defaults key ("CheckSpellingAsYouType",
    // "FDLSmartQuotes"...); false for other keys.
    bool setTextChecking(const QString& defaultsKey, bool on);

    // Attributes typing into an empty text starts with.
    void setTypingAttributes(const Attributes& attributes) { typingAttributes_ = attributes; }
    const Attributes& typingAttributes() const { return typingAttributes_; }

    static constexpr const char* TypingActionName = "Typing";

signals:
    // The box (or the text system's undo) put another text here.
    void textShown();
    // The box put other keywords, source or type into the fields.
    void fieldsShown();
    // The box moved the selection in the text.
    void selectionShown();
    void editableChanged(bool editable);

private:
    UndoManager& undo_;
    Delegate* delegate_ = nullptr;
    RichText text_;
    QString keywords_;
    QString source_;
    QString slipType_;
    QList<TextRange> selection_{TextRange{}};
    EditorCell changedCell_ = EditorCell::None;
    EditorCell focused_ = EditorCell::Text;
    bool editable_ = true;
    Attributes typingAttributes_;
    TextChecking textChecking_;
    bool coalescingTyping_ = false;

    void beginEditing(EditorCell cell);
    void clampSelection(const QList<TextRange>& ranges);
    void registerTypingUndo(const SlipPtr& owner, const RichText& text, const QList<TextRange>& selection,
                            bool named);
    void restoreText(const SlipPtr& owner, const RichText& text, const QList<TextRange>& selection);
};

}  // namespace fendle
