#pragma once
#include "document/EditorCell.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QCompleter;
class QDropEvent;
class QLineEdit;
class QStringListModel;
class QToolButton;

namespace fendle {

class Box;
class KeywordsField;

// The keywords, source and slip-type fields of the "Slip" tab, bound to
// the box's editor model: they show what the box puts there, typing starts
// an edit session, leaving the field ends it (which gives the box its undo
// step and stores the slip).
class SlipFields : public QWidget {
    Q_OBJECT
public:
    explicit SlipFields(Box& box, QWidget* parent = nullptr);

    KeywordsField* keywordsField() const { return keywords_; }
    QLineEdit* sourceField() const { return source_; }
    QComboBox* typeField() const { return type_; }
    QToolButton* sourceSnapBackButton() const { return snapBack_; }
    QCheckBox* flaggedCheckBox() const { return flagged_; }
    QCompleter* keywordsCompleter() const { return keywordsCompleter_; }

    // Shows what the editor model holds; a field whose text is already
    // that keeps its cursor.
    void showEditorFields();
    void setEditable(bool editable);
    // Whether "AutoCompleteKeywords" and "AutoCompleteSources" are on.
    void setAutoComplete(bool keywords, bool sources);

    // Ends the edit session of a field, as leaving it does.
    void endFieldEditing(EditorCell cell);

signals:
    // After a field's edit session ended and the slip was stored.
    void fieldEditingEnded(fendle::EditorCell cell);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Box& box_;
    KeywordsField* keywords_;
    QLineEdit* source_;
    QToolButton* snapBack_;
    QComboBox* type_;
    QCheckBox* flagged_;
    QCompleter* keywordsCompleter_;
    QStringListModel* keywordCompletions_;
    QCompleter* sourceCompleter_;
    QStringListModel* sourceCompletions_;
    QStringList keywordsInBox_;
    QStringList sourcesInBox_;
    bool autoCompleteKeywords_ = true;
    bool autoCompleteSources_ = true;
    bool showing_ = false;

    EditorCell cellOf(const QObject* widget) const;
    // An address dragged with a copy on offer becomes the source.
    bool acceptsLinkDrop(const QDropEvent& event) const;
    // A string dropped on the source field is appended ("\\cite{label}" brings the label).
    bool dropOnSourceField(QDropEvent& event);
    void typed(EditorCell cell, const QString& text);
    void keywordsTyped(const QString& text);
    void keywordCompletionChosen(const QString& pick);
    void sourceTyped(const QString& text);
    void typeTyped(const QString& text);
    void typeChosen(int index);
    void updateSourceSnapBackButtonState();
    void sourceSnapBackButtonPressed();
    void fieldFocused(EditorCell cell);
    void refreshTypeItems();
    void showFlag();
};

}  // namespace fendle
