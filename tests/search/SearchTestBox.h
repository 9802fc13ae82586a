#pragma once
#include "model/BoxData.h"

#include <QStringList>
#include <algorithm>

namespace fendle::testing {

struct SlipRecipe {
    quint32 number;
    QString keywords;
    QString text;
    QString source;
    QString type;
    QString author;
};

inline SlipPtr fileSlip(BoxData& box, const SlipRecipe& recipe) {
    SlipPtr slip = Slip::create(recipe.number);
    slip->setKeywordsString(recipe.keywords);
    slip->setText(RichText(recipe.text));
    slip->setSource(recipe.source);
    slip->setSlipType(recipe.type);
    slip->setAuthor(recipe.author);
    box.setSlip(slip);
    return slip;
}

// Keys of the slips in ascending number.
inline QStringList sortedKeys(const QList<SlipPtr>& slips) {
    QList<quint32> numbers;
    for (const SlipPtr& slip : slips) numbers.append(slip->slipID());
    std::sort(numbers.begin(), numbers.end());
    QStringList keys;
    for (quint32 n : numbers) keys.append(QString::number(n));
    return keys;
}

}  // namespace fendle::testing
