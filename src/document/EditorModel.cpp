#include "document/EditorModel.h"

#include "model/Slip.h"
#include "platform/ui/UndoManager.h"

#include <QHash>

namespace fendle {

// An empty field gives one empty keyword, as the field's string read back
// from a saved box would.
KeywordsArray EditorModel::keywords() const {
    return Slip::splitStringToKeywordsArray(keywords_);
}

void EditorModel::setSlipText(const std::optional<RichText>& text) {
    text_ = text.value_or(RichText());
    coalescingTyping_ = false;
    emit textShown();
}

void EditorModel::setKeywords(const std::optional<KeywordsArray>& keywords) {
    keywords_ = keywords ? keywords->joined() : QString();
    emit fieldsShown();
}

QString EditorModel::fieldString(EditorCell cell) const {
    switch (cell) {
    case EditorCell::Keywords: return keywords_;
    case EditorCell::Source: return source_;
    case EditorCell::Type: return slipType_;
    case EditorCell::Text:
    case EditorCell::None: break;
    }
    return QString();
}

void EditorModel::setFieldString(EditorCell cell, const QString& value) {
    switch (cell) {
    case EditorCell::Keywords: keywords_ = value; break;
    case EditorCell::Source: source_ = value; break;
    case EditorCell::Type: slipType_ = value; break;
    case EditorCell::Text:
    case EditorCell::None: return;
    }
    emit fieldsShown();
}

void EditorModel::clampSelection(const QList<TextRange>& ranges) {
    selection_.clear();
    for (const TextRange& range : ranges)
        selection_.append(range.location < 0 || range.length < 0 || range.end() > text_.length() ? TextRange{}
                                                                                                   : range);
}

void EditorModel::setSelectedRangesOfSlipText(const QList<TextRange>& ranges) {
    if (ranges.isEmpty()) return;
    clampSelection(ranges);
    emit selectionShown();
}

void EditorModel::selectInText(const QList<TextRange>& ranges) {
    if (!ranges.isEmpty()) clampSelection(ranges);
}

bool EditorModel::setTextChecking(const QString& defaultsKey, bool on) {
    static const QHash<QString, bool TextChecking::*> switches{
        {QStringLiteral("CheckSpellingAsYouType"), &TextChecking::checkSpellingAsYouType},
        {QStringLiteral("FDLCheckGrammarWithSpelling"), &TextChecking::checkGrammarWithSpelling},
        {QStringLiteral("FDLSmartCopyPaste"), &TextChecking::smartCopyPaste},
        {QStringLiteral("FDLSmartQuotes"), &TextChecking::smartQuotes},
        {QStringLiteral("FDLSmartLinks"), &TextChecking::smartLinks},
    };
    const auto found = switches.constFind(defaultsKey);
    if (found == switches.cend()) return false;
    textChecking_.*(found.value()) = on;
    return true;
}

void EditorModel::setEditable(bool editable) {
    if (editable == editable_) return;
    editable_ = editable;
    emit editableChanged(editable);
}

void EditorModel::beginEditing(EditorCell cell) {
    if (changedCell_ == cell) return;
    if (changedCell_ != EditorCell::None) endEditing();
    changedCell_ = cell;
    focused_ = cell;
    if (delegate_) delegate_->editorDidBeginEditing(cell);
}

void EditorModel::beginTextEditing() { beginEditing(EditorCell::Text); }

bool EditorModel::endEditing() {
    if (changedCell_ == EditorCell::None) return false;
    const EditorCell cell = changedCell_;
    changedCell_ = EditorCell::None;
    coalescingTyping_ = false;
    if (delegate_) delegate_->editorDidEndEditing(cell);
    return true;
}

void EditorModel::focus(EditorCell cell) {
    if (changedCell_ != EditorCell::None && changedCell_ != cell) endEditing();
    focused_ = cell;
}

void EditorModel::typeInField(EditorCell cell, const QString& value) {
    if (!editable_ || cell == EditorCell::Text || cell == EditorCell::None) return;
    beginEditing(cell);
    // The widget already shows what was typed: no signal goes back to it.
    switch (cell) {
    case EditorCell::Keywords: keywords_ = value; break;
    case EditorCell::Source: source_ = value; break;
    case EditorCell::Type: slipType_ = value; break;
    case EditorCell::Text:
    case EditorCell::None: break;
    }
}

void EditorModel::replaceText(TextRange range, const QString& replacement) {
    const qsizetype at = std::clamp<qsizetype>(range.location, 0, text_.length());
    const Attributes attributes =
        text_.isEmpty() ? typingAttributes_ : text_.attributesAt(at > 0 ? at - 1 : 0);
    replaceText(range, RichText(replacement, attributes));
}

void EditorModel::replaceText(TextRange range, const RichText& replacement) {
    if (!editable_) return;
    beginEditing(EditorCell::Text);
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
    emit textShown();
    if (delegate_) delegate_->editorTextChangedByUndo();
}

}  // namespace fendle
