#include "app/editing/SlipFields.h"

#include "app/editing/FieldCompletion.h"
#include "app/editing/KeywordsField.h"
#include "document/Box.h"
#include "document/KeywordMaintenance.h"
#include "document/SlipTextInsertion.h"
#include "document/WebContentDrop.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QDropEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QStringListModel>
#include <QToolButton>
#include <QUrl>

namespace fendle {

namespace {

template <typename Field>
void setTextKeepingCursor(Field* field, const QString& text) {
    if (field->text() != text) field->setText(text);
}

}  // namespace

SlipFields::SlipFields(Box& box, QWidget* parent)
    : QWidget(parent),
      box_(box),
      keywords_(new KeywordsField(this)),
      source_(new QLineEdit(this)),
      snapBack_(new QToolButton(this)),
      type_(new QComboBox(this)),
      flagged_(new QCheckBox(QStringLiteral("Flagged"), this)),
      keywordsCompleter_(new QCompleter(this)),
      keywordCompletions_(new QStringListModel(this)),
      sourceCompleter_(new QCompleter(this)),
      sourceCompletions_(new QStringListModel(this)) {
    keywords_->setObjectName(QStringLiteral("keywordsField"));
    source_->setObjectName(QStringLiteral("sourceField"));
    type_->setObjectName(QStringLiteral("slipTypeField"));
    snapBack_->setObjectName(QStringLiteral("sourceSnapBackButton"));
    snapBack_->setText(QStringLiteral("\u21AA"));
    snapBack_->setToolTip(QStringLiteral("Open the source"));
    snapBack_->hide();
    type_->setEditable(true);
    type_->setInsertPolicy(QComboBox::NoInsert);
    // The combo box's own completer would fight the type completion below.
    type_->setCompleter(nullptr);

    // The completer completes the keyword being typed, not the whole field.
    keywordsCompleter_->setModel(keywordCompletions_);
    keywordsCompleter_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    keywordsCompleter_->setWidget(keywords_);
    connect(keywordsCompleter_, qOverload<const QString&>(&QCompleter::activated), this,
            &SlipFields::keywordCompletionChosen);
    sourceCompleter_->setModel(sourceCompletions_);
    sourceCompleter_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    sourceCompleter_->setWidget(source_);
    connect(sourceCompleter_, qOverload<const QString&>(&QCompleter::activated), this, [this](const QString& pick) {
        source_->setText(pick);
        typed(EditorCell::Source, pick);
    });

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Keywords:"), keywords_);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->setSpacing(2);
    sourceRow->addWidget(source_);
    sourceRow->addWidget(snapBack_);
    form->addRow(QStringLiteral("Source:"), sourceRow);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(type_, 1);
    typeRow->addWidget(flagged_);
    form->addRow(QStringLiteral("Type:"), typeRow);
    flagged_->setObjectName(QStringLiteral("flaggedCheckBox"));

    connect(keywords_, &KeywordsField::textEdited, this, &SlipFields::keywordsTyped);
    connect(keywords_, &KeywordsField::returnPressed, this, [this] { endFieldEditing(EditorCell::Keywords); });
    connect(source_, &QLineEdit::textEdited, this, &SlipFields::sourceTyped);
    connect(source_, &QLineEdit::returnPressed, this, [this] { endFieldEditing(EditorCell::Source); });
    connect(snapBack_, &QToolButton::clicked, this, &SlipFields::sourceSnapBackButtonPressed);
    connect(type_->lineEdit(), &QLineEdit::textEdited, this, &SlipFields::typeTyped);
    connect(type_->lineEdit(), &QLineEdit::returnPressed, this, [this] { endFieldEditing(EditorCell::Type); });
    connect(type_, qOverload<int>(&QComboBox::activated), this, &SlipFields::typeChosen);
    for (QObject* field : {static_cast<QObject*>(keywords_), static_cast<QObject*>(source_),
                           static_cast<QObject*>(type_->lineEdit())})
        field->installEventFilter(this);
    setTabOrder(keywords_, source_);
    setTabOrder(source_, type_);
    const EditorModel& editor = box_.editor();
    connect(&editor, &EditorModel::fieldsShown, this, &SlipFields::showEditorFields);
    connect(&editor, &EditorModel::editableChanged, this, &SlipFields::setEditable);
    // The flag is no field of the editor: it shows the current slip's, and
    // clicking it toggles that flag as its own undoable step.
    connect(flagged_, &QCheckBox::clicked, this, [this] {
        UndoManager::EventScope event(box_.undoManager());
        KeywordMaintenance(box_).toggleFlagged();
        showFlag();
    });
    connect(&box_, &Box::windowRefreshed, this, &SlipFields::showFlag);
    connect(&box_.document(), &BoxDocument::slipChanged, this, &SlipFields::showFlag);
    showEditorFields();
    setEditable(editor.isEditable());
}

EditorCell SlipFields::cellOf(const QObject* widget) const {
    if (widget == keywords_) return EditorCell::Keywords;
    if (widget == source_) return EditorCell::Source;
    if (widget == type_->lineEdit() || widget == type_) return EditorCell::Type;
    return EditorCell::None;
}

bool SlipFields::eventFilter(QObject* watched, QEvent* event) {
    const EditorCell cell = cellOf(watched);
    if (cell == EditorCell::Source && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) &&
        acceptsLinkDrop(*static_cast<QDropEvent*>(event))) {
        // The field itself would only take drags that carry text.
        static_cast<QDropEvent*>(event)->setDropAction(Qt::CopyAction);
        event->accept();
        return true;
    }
    if (cell == EditorCell::Source && event->type() == QEvent::Drop && dropOnSourceField(*static_cast<QDropEvent*>(event)))
        return true;
    if (cell != EditorCell::None) {
        if (event->type() == QEvent::FocusIn) {
            fieldFocused(cell);
        } else if (event->type() == QEvent::FocusOut) {
            // A completion list taking the focus for a moment does not end the edit.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) endFieldEditing(cell);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool SlipFields::acceptsLinkDrop(const QDropEvent& event) const {
    const QMimeData* data = event.mimeData();
    return data && data->hasUrls() && !data->urls().isEmpty() && (event.possibleActions() & Qt::CopyAction) &&
           box_.editor().isEditable();
}

bool SlipFields::dropOnSourceField(QDropEvent& event) {
    const QMimeData* data = event.mimeData();
    if (!data || !box_.editor().isEditable()) return false;
    if (acceptsLinkDrop(event)) {
        // Web pages and files alike become the source as their address.
        {
            UndoManager::EventScope scope(box_.undoManager());
            WebContentDrop(box_).replaceSourceWithLink(data->urls().first(), source_->text(), true);
        }
        event.setDropAction(Qt::CopyAction);
        event.accept();
        emit fieldEditingEnded(EditorCell::Source);
        return true;
    }
    // Addresses without a copy are the field's own drop.
    if (data->hasUrls() || !data->hasText()) return false;
    {
        UndoManager::EventScope scope(box_.undoManager());
        SlipTextInsertion(box_).dropStringOnSourceField(data->text());
    }
    event.acceptProposedAction();
    emit fieldEditingEnded(EditorCell::Source);
    return true;
}

void SlipFields::fieldFocused(EditorCell cell) {
    box_.editor().focus(cell);
    // Gathered once per visit: the box's keywords and sources do not change
    // while the field is being typed in.
    if (cell == EditorCell::Keywords && autoCompleteKeywords_) keywordsInBox_ = box_.box().keywordsInBox();
    if (cell == EditorCell::Source && autoCompleteSources_) sourcesInBox_ = box_.box().allSources();
    if (cell == EditorCell::Type) refreshTypeItems();
}

void SlipFields::typed(EditorCell cell, const QString& text) {
    UndoManager::EventScope event(box_.undoManager());
    box_.editor().typeInField(cell, text);
}

void SlipFields::keywordsTyped(const QString& text) {
    typed(EditorCell::Keywords, text);
    if (!autoCompleteKeywords_) return;
    const QString token = FieldCompletion::keywordTokenAt(text, keywords_->cursorPosition()).typed;
    const QStringList completions = FieldCompletion::possibleKeywordCompletions(keywordsInBox_, token);
    keywordCompletions_->setStringList(completions);
    if (completions.isEmpty())
        keywordsCompleter_->popup()->hide();
    else
        keywordsCompleter_->complete();
}

void SlipFields::keywordCompletionChosen(const QString& pick) {
    const FieldCompletion::Completed completed =
        FieldCompletion::completeKeywordAt(keywords_->text(), keywords_->cursorPosition(), pick);
    keywords_->setText(completed.text);
    keywords_->setCursorPosition(int(completed.cursor));
    typed(EditorCell::Keywords, completed.text);
}

void SlipFields::sourceTyped(const QString& text) {
    typed(EditorCell::Source, text);
    updateSourceSnapBackButtonState();
    if (!autoCompleteSources_) return;
    const QStringList completions = FieldCompletion::sourceCompletions(sourcesInBox_, text);
    sourceCompletions_->setStringList(completions);
    if (completions.isEmpty() || text.isEmpty())
        sourceCompleter_->popup()->hide();
    else
        sourceCompleter_->complete();
}

void SlipFields::typeTyped(const QString& text) {
    QLineEdit* line = type_->lineEdit();
    const int cursor = line->cursorPosition();
    // Completes in place while characters are added at the end, leaving
    // the completed part selected so that typing on replaces it.
    const std::optional<QString> match = cursor == text.size() && !text.isEmpty()
                                             ? FieldCompletion::firstTypeMatchingPrefix(box_.slipTypes(), text)
                                             : std::nullopt;
    if (match && match->size() > text.size()) {
        line->setText(*match);
        line->setSelection(int(text.size()), int(match->size() - text.size()));
    }
    typed(EditorCell::Type, line->text());
}

void SlipFields::typeChosen(int index) {
    if (showing_ || index < 0 || index >= box_.slipTypes().size()) return;
    typed(EditorCell::Type, box_.slipTypes().at(index));
    endFieldEditing(EditorCell::Type);
}

void SlipFields::endFieldEditing(EditorCell cell) {
    if (box_.editor().changedCell() != cell) return;
    {
        UndoManager::EventScope event(box_.undoManager());
        box_.editor().endEditing();
    }
    if (cell == EditorCell::Source) updateSourceSnapBackButtonState();
    if (cell == EditorCell::Keywords) keywords_->adjustSizeAndAnimate();
    emit fieldEditingEnded(cell);
}

void SlipFields::refreshTypeItems() {
    if (type_->count() == box_.slipTypes().size()) {
        bool same = true;
        for (int i = 0; same && i < type_->count(); ++i) same = type_->itemText(i) == box_.slipTypes().at(i);
        if (same) return;
    }
    showing_ = true;
    const QString text = type_->currentText();
    type_->clear();
    type_->addItems(box_.slipTypes());
    type_->setEditText(text);
    showing_ = false;
}

void SlipFields::showEditorFields() {
    const EditorModel& editor = box_.editor();
    showing_ = true;
    setTextKeepingCursor(keywords_, editor.keywordsString());
    setTextKeepingCursor(source_, editor.source());
    refreshTypeItems();
    if (type_->currentText() != editor.slipType()) type_->setEditText(editor.slipType());
    showing_ = false;
    updateSourceSnapBackButtonState();
}

void SlipFields::setEditable(bool editable) {
    keywords_->setReadOnly(!editable);
    source_->setReadOnly(!editable);
    type_->setEnabled(editable);
    flagged_->setEnabled(editable);
}

void SlipFields::showFlag() {
    const SlipPtr slip = box_.currentSlip();
    flagged_->setChecked(slip && slip->isFlagged());
}

void SlipFields::setAutoComplete(bool keywords, bool sources) {
    autoCompleteKeywords_ = keywords;
    autoCompleteSources_ = sources;
}

void SlipFields::updateSourceSnapBackButtonState() {
    snapBack_->setVisible(FieldCompletion::isLinkSource(source_->text()));
}

void SlipFields::sourceSnapBackButtonPressed() {
    const QUrl url(source_->text().trimmed(), QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty()) QDesktopServices::openUrl(url);
}

}  // namespace fendle
