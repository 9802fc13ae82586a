#include "app/editing/SlipTextView.h"

#include "app/editing/SlipTextDrop.h"
#include "app/program/MimeDataPasteboard.h"
#include "document/Box.h"
#include "document/AttachmentClicks.h"
#include "document/BoxPreferences.h"
#include "document/SlipTextDragAndDrop.h"
#include "document/UndoNames.h"
#include "document/commands/ChangeTextRangeCommand.h"
#include "platform/richtext/RichTextPasteboard.h"
#include "platform/ui/UndoManager.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTimer>

namespace fendle {
namespace {

bool hasHighlight(const Attributes& attributes, const ColorAttribute& colour) {
    const auto background = attributes.get<ColorAttribute>(attr::BackgroundColor);
    return background && background->isSameColor(colour);
}

bool isUndoOrRedo(QKeyEvent* event) {
    return event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
}

}  // namespace

SlipTextView::SlipTextView(fendle::Box& box, QWidget* parent) : QTextEdit(parent), box_(box), converter_(*document()) {
    setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChange, this, &SlipTextView::documentChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &SlipTextView::selectionMoved);
    connect(this, &QTextEdit::selectionChanged, this, &SlipTextView::selectionMoved);
    const EditorModel& editor = box_.editor();
    connect(&editor, &EditorModel::textShown, this, &SlipTextView::showEditorText);
    connect(&editor, &EditorModel::selectionShown, this, [this] {
        const QScopedValueRollback guard(showing_, true);
        showSelection();
    });
    connect(&editor, &EditorModel::editableChanged, this, [this](bool editable) { setReadOnly(!editable); });
    showEditorText();
}

// ---- showing the model ------------------------------------------------------

void SlipTextView::showEditorText() {
    const QScopedValueRollback guard(showing_, true);
    const EditorModel& editor = box_.editor();
    const double scale = std::clamp(currentZoomFactor(), zoomFactors().front(), zoomFactors().back()) / 100.0;
    converter_.mapping().setScale(scale);
    converter_.setFallbackFont(box_.preferences().slipTextFont());
    converter_.setRichText(editor.text());
    if (editor.text().isEmpty()) {
        // Typing into an empty text starts with the model's typing attributes.
        QTextCursor cursor(document());
        cursor.setBlockCharFormat(converter_.mapping().charFormat(editor.typingAttributes()));
    }
    setReadOnly(!editor.isEditable());
    showSelection();
}

void SlipTextView::showSelection() {
    const TextRange range = box_.editor().selectedRange();
    const qsizetype length = converter_.length();
    const qsizetype from = std::clamp<qsizetype>(range.location, 0, length);
    QTextCursor cursor(document());
    cursor.setPosition(int(from));
    cursor.setPosition(int(std::clamp<qsizetype>(range.end(), from, length)), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

TextRange SlipTextView::viewSelection() const {
    const QTextCursor cursor = textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

// ---- the user's changes -----------------------------------------------------

void SlipTextView::documentChanged(int position, int removed, int added) {
    if (showing_) return;
    EditorModel& editor = box_.editor();
    const qsizetype now = converter_.length();
    const qsizetype before = editor.text().length();
    // Some edits count the document's closing separator in; it is no text.
    const qsizetype excess = std::max<qsizetype>(0, qsizetype(position) + added - now);
    TextRange replaced{position, removed - excess};
    qsizetype inserted = added - excess;
    if (position < 0 || replaced.length < 0 || inserted < 0 || replaced.end() > before ||
        before - replaced.length + inserted != now) {
        replaced = {0, before};
        inserted = now;
    }
    const RichText replacement = converter_.richText({replaced.location, inserted});
    // Qt reports format changes that change nothing the text holds.
    if (replacement.length() == replaced.length && editor.text().substring(replaced) == replacement) return;
    editor.replaceText(replaced, replacement);
    if (editor.text().length() != now) {
        // The model refused the edit (read-only): show what it holds, once
        // the text control has finished its own work.
        QTimer::singleShot(0, this, &SlipTextView::showEditorText);
        return;
    }
    selectionMoved();
}

void SlipTextView::selectionMoved() {
    if (showing_) return;
    box_.editor().selectInText({viewSelection()});
    emit slipTextSelectionChanged();
}

// ---- events -----------------------------------------------------------------

bool SlipTextView::event(QEvent* event) {
    // Undo and Redo belong to the window's menu, not to the text control.
    if (event->type() == QEvent::ShortcutOverride && isUndoOrRedo(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    const UndoManager::EventScope scope(box_.undoManager());
    return QTextEdit::event(event);
}

void SlipTextView::keyPressEvent(QKeyEvent* event) {
    if (isUndoOrRedo(event)) {
        event->ignore();
        return;
    }
    if (handleTab(event)) return;
    QTextEdit::keyPressEvent(event);
}

bool SlipTextView::tabSwitchesToKeywords() const {
    return tabSwitchesToKeywords_ ? *tabSwitchesToKeywords_ : box_.preferences().tabSwitchesToKeywords();
}

bool SlipTextView::handleTab(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab, backtab = event->key() == Qt::Key_Backtab;
    if ((!tab && !backtab) || !tabSwitchesToKeywords()) return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (tab && modifiers == Qt::AltModifier) {
        // Option-Tab types the tab character itself.
        if (!isReadOnly()) insertPlainText(QStringLiteral("\t"));
        return true;
    }
    if (backtab || modifiers == Qt::ShiftModifier) {
        emit focusSlipScentsRequested();
        return true;
    }
    if (modifiers != Qt::NoModifier) return false;
    // The text edit keeps Tab for itself; the widget's own focus chain moves on.
    QWidget::focusNextPrevChild(true);
    return true;
}

void SlipTextView::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    box_.editor().focus(EditorCell::Text);
}

void SlipTextView::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    // A menu or another application taking the focus for a moment does not
    // end the edit session; moving to another control does.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
    if (box_.editor().changedCell() == EditorCell::Text) box_.editor().endEditing();
}

void SlipTextView::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    auto* pasteMatching = new QAction(QStringLiteral("Paste and Match Style"), menu.get());
    pasteMatching->setEnabled(!isReadOnly() && canPaste());
    connect(pasteMatching, &QAction::triggered, this, &SlipTextView::pasteAsPlainText);
    menu->insertAction(menu->actions().value(0), pasteMatching);
    menu->exec(event->globalPos());
}

// ---- clipboard and drops ----------------------------------------------------

RichText SlipTextView::plainTextWithTypingAttributes(const QString& text) const {
    Attributes attributes = converter_.mapping().attributes(currentCharFormat());
    attributes.remove(attr::Attachment);
    return RichText(text, attributes);
}

void SlipTextView::insertRichText(const RichText& text) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    converter_.insert(cursor, text);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void SlipTextView::pasteAsPlainText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (isReadOnly() || !data || !data->hasText()) return;
    insertRichText(plainTextWithTypingAttributes(data->text()));
}

bool SlipTextView::canInsertFromMimeData(const QMimeData* source) const {
    const MimeDataPasteboard forms(source);
    return forms.hasType(RichTextPasteboard::RichTextType) || forms.hasType(Pasteboard::RtfType) ||
           source->hasText() || source->hasUrls() || source->hasFormat(sliptextdrag::WebUrlsWithTitlesType);
}

void SlipTextView::dropEvent(QDropEvent* event) {
    // Moving text within the slip is the text control's own edit.
    if (event->source() == this || isReadOnly() || !event->mimeData()) {
        QTextEdit::dropEvent(event);
        return;
    }
    const qsizetype index = cursorForPosition(event->position().toPoint()).position();
    bool taken = false;
    {
        const UndoManager::EventScope scope(box_.undoManager());
        SlipTextDrop drop(box_, [this](const QString& text) { return plainTextWithTypingAttributes(text); });
        taken = drop.perform(*event->mimeData(), event->proposedAction(), index);
    }
    if (!taken) {
        QTextEdit::dropEvent(event);
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit textDropped();
}

// The box a character takes in the viewport; empty when it is not laid out.
QRectF SlipTextView::characterRect(int index) const {
    const QTextBlock block = document()->findBlock(index);
    const QTextLayout* layout = block.isValid() ? block.layout() : nullptr;
    if (!layout) return {};
    const int inBlock = index - block.position();
    const QTextLine line = layout->lineForTextPosition(inBlock);
    if (!line.isValid()) return {};
    const qreal left = line.cursorToX(inBlock);
    const qreal right = line.cursorToX(inBlock + 1);
    const QPointF origin =
        layout->position() - QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return QRectF(origin + QPointF(std::min(left, right), line.y()), QSizeF(std::abs(right - left), line.height()));
}

std::optional<qsizetype> SlipTextView::pictureAt(const QPoint& point) const {
    // The cursor lands before or after the character under the point; only a
    // point on the picture itself counts, since a click beside or below the
    // last line lands next to it too and typing would then replace it.
    const int position = cursorForPosition(point).position();
    for (const int index : {position, position - 1}) {
        if (index < 0 || index >= converter_.length()) continue;
        const auto attachment = box_.editor().text().attributeAt(attr::Attachment, index);
        const auto* file = attachment ? std::get_if<AttachmentAttribute>(&*attachment) : nullptr;
        if (file && AttachmentClicks::looksLikeImage(file->contents) && characterRect(index).contains(point))
            return index;
    }
    return std::nullopt;
}

void SlipTextView::mousePressEvent(QMouseEvent* event) {
    // A plain click places the cursor in a link as in any text; Ctrl-click follows it.
    const bool follow = event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier || isReadOnly());
    if (follow) {
        const QString target = anchorAt(event->position().toPoint());
        if (!target.isEmpty()) {
            emit linkClicked(target);
            return;
        }
    }
    // A click on a picture selects it as one character.
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) {
        if (const auto index = pictureAt(event->position().toPoint());
            index && AttachmentClicks(box_.editor()).textViewClickedOnCell(*index)) {
            setFocus(Qt::MouseFocusReason);
            return;
        }
    }
    QTextEdit::mousePressEvent(event);
}

void SlipTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const auto index = pictureAt(event->position().toPoint());
            index && AttachmentClicks(box_.editor()).textViewDoubleClickedOnCell(*index)) {
            emit imageDoubleClicked();
            return;
        }
    }
    QTextEdit::mouseDoubleClickEvent(event);
}

// Paste, and a drag moving text within the slip.
void SlipTextView::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly()) return;
    if (const auto files = SlipTextDrop::pastedFiles(box_, *source, textCursor().selectionStart())) {
        insertRichText(*files);
        return;
    }
    std::optional<RichText> text =
        sliptextdrag::readRichText(MimeDataPasteboard(source), box_.document().ownBoxUrlStrings());
    // Plain text takes the attributes typing would give it; HTML and
    // other forms are not read, so nothing pasted can load files.
    if (!text && source->hasText()) text = plainTextWithTypingAttributes(source->text());
    if (text) insertRichText(*text);
}

// Copy, cut and the start of a drag.
QMimeData* SlipTextView::createMimeDataFromSelection() const {
    const RichText selected = converter_.richText(viewSelection());
    auto* data = new QMimeData;
    data->setText(selected.string());
    MimeDataPasteboard forms(*data);
    sliptextdrag::writeRichText(forms, selected, box_.document().boxUrlString());
    return data;
}

QVariant SlipTextView::loadResource(int, const QUrl&) {
    // Pictures come only from the text's own attachments.
    return {};
}

// ---- zoom -------------------------------------------------------------------

const QList<int>& SlipTextView::zoomFactors() {
    static const QList<int> factors{10, 25, 50, 75, 90, 100, 110, 125, 150, 175, 200, 300, 400, 800, 1200, 1600};
    return factors;
}

int SlipTextView::currentZoomFactor() const {
    const int zoom = box_.box().currentZoomFactor();
    return zoom > 0 ? zoom : lastZoomFactor_;
}

void SlipTextView::setZoomToSize(int percent) {
    // A factor outside the list (a damaged box file) would make the text
    // vanish or explode; the list's ends bound it.
    percent = std::clamp(percent, zoomFactors().front(), zoomFactors().back());
    lastZoomFactor_ = percent;
    box_.document().setCurrentZoomFactor(percent);
    showEditorText();
    emit zoomChanged(percent);
}

void SlipTextView::zoomIn() {
    const int from = currentZoomFactor();
    const auto next = std::find_if(zoomFactors().begin(), zoomFactors().end(), [from](int f) { return f > from; });
    setZoomToSize(next == zoomFactors().end() ? zoomFactors().back() : *next);
}

void SlipTextView::zoomOut() {
    const int from = currentZoomFactor();
    const auto next = std::find_if(zoomFactors().rbegin(), zoomFactors().rend(), [from](int f) { return f < from; });
    setZoomToSize(next == zoomFactors().rend() ? zoomFactors().front() : *next);
}

// ---- highlight --------------------------------------------------------------

ColorAttribute SlipTextView::highlightColour() const {
    return highlightColour_ ? *highlightColour_ : box_.preferences().highlightColour();
}

void SlipTextView::highlightText() {
    const SlipPtr slip = box_.currentSlip();
    if (isReadOnly() || !slip) return;
    const TextRange range = viewSelection();
    if (range.length == 0) {
        toggleTypingHighlight();
        return;
    }
    EditorModel& editor = box_.editor();
    // Typing so far is its own step, before the colour change.
    editor.endEditing();
    const ColorAttribute colour = highlightColour();
    const QDateTime before = slip->lastModificationTime();
    RichText text = editor.text();
    const RichText old = text.substring(range);
    if (hasHighlight(text.attributesAt(range.location), colour))
        text.removeAttribute(attr::BackgroundColor, range);
    else
        text.addAttribute(attr::BackgroundColor, colour, range);
    ChangeTextRangeCommand::record(box_, slip, old, text.substring(range), range, before, undo_names::ChangeTextColor);
    editor.setSlipText(text);
    editor.setSelectedRangesOfSlipText({range});
    box_.storeCurrentSlip();
}

void SlipTextView::toggleTypingHighlight() {
    Attributes attributes = converter_.mapping().attributes(currentCharFormat());
    attributes.remove(attr::Attachment);
    const ColorAttribute colour = highlightColour();
    if (hasHighlight(attributes, colour))
        attributes.remove(attr::BackgroundColor);
    else
        attributes.set(attr::BackgroundColor, colour);
    setCurrentCharFormat(converter_.mapping().charFormat(attributes));
}

}  // namespace fendle
