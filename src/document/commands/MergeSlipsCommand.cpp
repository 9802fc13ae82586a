#include "document/commands/MergeSlipsCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"

namespace fendle {

void MergeSlipsCommand::perform(Box& box, const QList<SlipPtr>& slips) {
    if (slips.size() < 2 || !slips.first()) return;
    // Undoing a merge files a new object under the first slip's key; a redo
    // recorded before that must merge into the filed one.
    const SlipPtr filed = box.slip(slips.first()->key());
    const SlipPtr first = filed ? filed : slips.first();
    const QList<SlipPtr> others = slips.mid(1);
    box.storeCurrentSlip();
    const Record record{first, first->copy(), others};
    box.registerStep([&box, record] { undo(box, record); }, undo_names::MergeSlip);
    box.changeCurrentSlip(first, false);

    RichText text = first->text().value_or(RichText());
    QStringList keywords = first->keywords().toStringList();
    QString source = first->source().value_or(QString());
    QString type = first->slipType().value_or(QString());
    Attributes heading;
    heading.set(attr::Font,
                FontAttribute{QStringLiteral("Helvetica"), QStringLiteral("Helvetica-Bold"), 14.0, true, false});
    for (const SlipPtr& other : others) {
        if (!other || other == first) continue;
        text.append(QStringLiteral("\n\n-------\ntext from slip %1\n-------\n\n").arg(other->key()), heading);
        text.append(other->text().value_or(RichText()));
        keywords.append(other->keywords().toStringList());
        source += QStringLiteral(";") + other->source().value_or(QString());
        if (type != other->slipType().value_or(QString())) type = QStringLiteral("SLIP MERGE");
        box.document().deleteSlipForKey(other->key());
    }
    first->setText(text);
    first->setKeywords(KeywordsArray(keywords));
    first->setSource(source);
    first->setSlipType(type);
    box.document().slipDidChange(first, BoxDocument::Change::Keywords);
    box.updateWindow();
    box.rerunSearch();
}

void MergeSlipsCommand::undo(Box& box, const Record& record) {
    box.applierStarted();
    box.storeCurrentSlip();
    // The same slip, as it was: the steps before this one refer to it.
    const SlipPtr first = record.first;
    first->restoreFrom(*record.firstBefore);
    box.document().setSlip(first);
    for (const SlipPtr& other : record.others) box.document().setSlip(other);
    box.showReplacement(first);
    QList<SlipPtr> slips{first};
    slips.append(record.others);
    box.registerStep([&box, slips] { perform(box, slips); }, undo_names::MergeSlip);
    box.rerunSearch();
}

}  // namespace fendle
