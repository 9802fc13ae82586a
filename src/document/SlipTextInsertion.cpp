#include "document/SlipTextInsertion.h"

#include "document/Box.h"
#include "document/BoxPreferences.h"
#include "document/UndoNames.h"
#include "document/WholeSlipStep.h"

#include <QFileInfo>
#include <algorithm>

namespace fendle {

void SlipTextInsertion::insertAttributedString(const RichText& text, qsizetype index) {
    insertAttributedString(text, index, undo_names::Drop);
}

void SlipTextInsertion::insertAttributedString(const RichText& text, qsizetype index, const QString& actionName) {
    const SlipPtr slip = box_.currentSlip();
    if (!slip || text.isEmpty() || !box_.editor().isEditable()) return;
    // What was typed before becomes its own step first.
    box_.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    recordWholeSlipStep(box_, actionName, [&] {
        EditorModel& editor = box_.editor();
        RichText now = editor.text();
        index = std::clamp<qsizetype>(index, 0, now.length());
        now.insert(index, text);
        editor.setSlipText(now);
        editor.setSelectedRangesOfSlipText({TextRange{index + text.length(), 0}});
        return true;
    });
}

RichText SlipTextInsertion::linkText(const QString& url, const QString& title, qsizetype index) const {
    const RichText& text = box_.editor().text();
    Attributes attributes;
    if (text.isEmpty()) {
        attributes.set(attr::Font, box_.preferences().slipTextFont());
    } else {
        // The character before the point is the one typing would continue.
        const qsizetype at = std::clamp<qsizetype>(index > 0 ? index - 1 : 0, 0, text.length() - 1);
        if (const auto font = text.attributesAt(at).get<FontAttribute>(attr::Font)) attributes.set(attr::Font, *font);
    }
    attributes.set(attr::Link, LinkAttribute{url, true});
    return RichText(title, attributes);
}

void SlipTextInsertion::addURL(const QString& url, const QString& title, qsizetype index) {
    insertAttributedString(linkText(url, title, index), index);
}

void SlipTextInsertion::addLinkToFiles(const QStringList& paths, qsizetype index) {
    insertAttributedString(filesText(paths, {}, index), index, undo_names::AddLinkToFiles);
}

RichText SlipTextInsertion::filesText(const QStringList& paths, const std::map<QString, RichText>& attachments,
                                      qsizetype index) const {
    RichText text;
    for (const QString& path : paths) {
        // Each piece follows the one before; a space keeps them apart.
        if (!text.isEmpty()) text.append(QStringLiteral(" "), {});
        const auto attachment = attachments.find(path);
        text.append(attachment != attachments.end()
                        ? attachment->second
                        : linkText(QStringLiteral("file://") + path, QFileInfo(path).fileName(), index));
    }
    return text;
}

QString SlipTextInsertion::withoutCiteCommand(const QString& dropped) {
    static const QString cite = QStringLiteral("\\cite{");
    if (!dropped.startsWith(cite)) return dropped;
    // The command's six characters and the closing brace go.
    return dropped.mid(cite.size(), std::max<qsizetype>(0, dropped.size() - cite.size() - 1));
}

void SlipTextInsertion::dropStringOnSourceField(const QString& dropped) {
    const SlipPtr slip = box_.currentSlip();
    if (!slip || !box_.editor().isEditable()) return;
    box_.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    recordWholeSlipStep(box_, undo_names::Drop, [&] {
        EditorModel& editor = box_.editor();
        editor.setSource(editor.source() + withoutCiteCommand(dropped));
        return true;
    });
}

}  // namespace fendle
