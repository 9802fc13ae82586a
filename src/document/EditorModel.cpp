#include "document/EditorModel.h"

#include "model/Slip.h"
#include "platform/ui/UndoManager.h"

namespace fendle {

// An empty field gives one empty keyword, as the field's string read back
// from a saved box would.
KeywordsArray EditorModel::keywords() const {
    return Slip::splitStringToKeywordsArray(keywords_);
}

void EditorModel::setKeywords(const std::optional<KeywordsArray>& keywords) {
    keywords_ = keywords ? keywords->joined() : QString();
}

QString EditorModel::fieldString(int cell) const {
    switch (cell) {
    case KeywordsCell: return keywords_;
    case SourceCell: return source_;
    case TypeCell: return slipType_;
    default: return QString();
    }
}

void EditorModel::setFieldString(int cell, const QString& value) {
    switch (cell) {
    case KeywordsCell: keywords_ = value; break;
    case SourceCell: source_ = value; break;
    case TypeCell: slipType_ = value; break;
    default: break;
    }
}

void EditorModel::setSelectedRangesOfSlipText(const QList<TextRange>& ranges) {
    if (ranges.isEmpty()) return;
    selection_.clear();
    for (const TextRange& range : ranges)
        selection_.append(range.location < 0 || range.length < 0 || range.end() > text_.length() ? TextRange{}
                                                                                                   : range);
}

void EditorModel::beginEditing(int cell) {
    if (changedCell_ == cell) return;
    if (changedCell_ != NoCell) endEditing();
    changedCell_ = cell;
    focused_ = cell;
    if (delegate_) delegate_->editorDidBeginEditing(cell);
}

void EditorModel::beginTextEditing() { beginEditing(TextCell); }

bool EditorModel::endEditing() {
    if (changedCell_ == NoCell) return false;
    const int cell = changedCell_;
    changedCell_ = NoCell;
    coalescingTyping_ = false;
    if (delegate_) delegate_->editorDidEndEditing(cell);
    return true;
}

void EditorModel::focus(int cell) {
    if (changedCell_ != NoCell && changedCell_ != cell) endEditing();
    focused_ = cell;
}

void EditorModel::typeInField(int cell, const QString& value) {
    if (!editable_ || cell == TextCell || cell == NoCell) return;
    beginEditing(cell);
    setFieldString(cell, value);
}

void EditorModel::replaceText(TextRange range, const QString& replacement) {
    const qsizetype at = std::clamp<qsizetype>(range.location, 0, text_.length());
    const Attributes attributes =
        text_.isEmpty() ? typingAttributes_ : text_.attributesAt(at > 0 ? at - 1 : 0);
    replaceText(range, RichText(replacement, attributes));
}

void EditorModel::replaceText(TextRange range, const RichText& replacement) {
    if (!editable_) return;
    beginEditing(TextCell);
    // Consecutive typing of one edit session is one undo step, as long as
    // nothing else was registered in between.
    if (!coalescingTyping_ || undo_.undoActionName() != QLatin1String(TypingActionName))
        registerTypingUndo(delegate_ ? delegate_->editorTextOwner() : nullptr, text_, selection_, true);
    coalescingTyping_ = true;
    text_.replace(range, replacement);
    const qsizetype cursor = std::min(text_.length(), std::max<qsizetype>(0, range.location) + replacement.length());
    selection_ = {TextRange{cursor, 0}};
}

void EditorModel::registerTypingUndo(const SlipPtr& owner, const RichText& text, const QList<TextRange>& selection,
                                     bool named) {
    auto step = [this, owner, text, selection] { restoreText(owner, text, selection); };
    // Only the first registration names the step; reverse steps keep the
    // name of the group they run in.
    if (named)
        undo_.registerUndo(step, QString::fromLatin1(TypingActionName));
    else
        undo_.registerUndo(step);
}

void EditorModel::restoreText(const SlipPtr& owner, const RichText& text, const QList<TextRange>& selection) {
    if (delegate_) delegate_->editorWillUndoTyping(owner);
    registerTypingUndo(owner, text_, selection_, false);
    text_ = text;
    selection_ = selection;
    coalescingTyping_ = false;
    if (delegate_) delegate_->editorTextChangedByUndo();
}

}  // namespace fendle
