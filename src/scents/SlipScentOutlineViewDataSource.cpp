#include "scents/SlipScentOutlineViewDataSource.h"

#include <QSet>

namespace fendle {

QString plainTextOfItem(const QVariant& item) {
    if (item.metaType() == QMetaType::fromType<RichText>()) return item.value<RichText>().string();
    return item.toString();
}

bool SlipScentOutlineViewDataSource::isGroupItem(const QVariant& item) {
    return item.isValid() && plainTextOfItem(item) == GroupItem;
}

qsizetype SlipScentOutlineViewDataSource::numberOfChildrenOfItem(const QVariant& item) const {
    if (!item.isValid()) return 1;
    if (isGroupItem(item)) return scentArray_ ? scentArray_->count() : 0;
    return 0;
}

QVariant SlipScentOutlineViewDataSource::child(qsizetype index, const QVariant& item) const {
    if (!item.isValid()) return index == 0 ? QVariant(GroupItem) : QVariant();
    if (isGroupItem(item) && scentArray_) return scentArray_->objectAtIndex(index);
    return QVariant();
}

bool SlipScentOutlineViewDataSource::isItemExpandable(const QVariant& item) const { return isGroupItem(item); }

QVariant SlipScentOutlineViewDataSource::objectValueForItem(const QVariant& item) const {
    return item.isValid() ? item : QVariant(QStringLiteral("SLIP SCENT"));
}

QString SlipScentOutlineViewDataSource::keyForRow(qsizetype row) const {
    if (row - 1 < 0 || !scentArray_) return QString();
    return scentArray_->keyAtIndex(row - 1);
}

QString SlipScentOutlineViewDataSource::toolTipForRow(qsizetype row, const BoxData& boxData,
                                                      const Slip* currentSlip) const {
    if (row < 2) return QString();
    const SlipPtr related = boxData.slipForKey(keyForRow(row));
    if (!related) return QString();
    const QSet<QString> mine = currentSlip ? QSet<QString>(currentSlip->keywords().begin(), currentSlip->keywords().end())
                                           : QSet<QString>();
    QStringList shared, nonshared;
    QSet<QString> seen;
    for (const QString& keyword : related->keywords()) {
        if (seen.contains(keyword)) continue;
        seen.insert(keyword);
        (mine.contains(keyword) ? shared : nonshared).append(keyword);
    }
    return QStringLiteral("%1 -- %2\n[Shared: %3]\n[Nonshared: %4]")
        .arg(related->key(), related->title(), shared.join(QStringLiteral(", ")),
             nonshared.join(QStringLiteral(", ")));
}

}  // namespace fendle
