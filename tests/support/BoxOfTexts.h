#pragma once
#include "model/BoxData.h"
#include "model/Slip.h"

#include <QStringList>

namespace fendle::test {

// A box whose slips hold the given texts, keyed 1, 2, … in order.
inline BoxData boxOfTexts(const QStringList& texts) {
    BoxData box;
    SlipDictionary slips;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        SlipPtr slip = Slip::create(quint32(i + 1));
        slip->setText(RichText(texts[i]));
        slips.insert(slip->key(), slip);
    }
    box.setSlips(slips, {});
    return box;
}

}  // namespace fendle::test
