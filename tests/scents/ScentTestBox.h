#pragma once
#include "model/BoxData.h"

#include <QStringList>

namespace fendle::testing {

// Files a slip with the given number, keywords string and text.
inline SlipPtr fileSlip(BoxData& box, quint32 number, const QString& keywords, const QString& text = {}) {
    SlipPtr slip = Slip::create(number);
    slip->setKeywordsString(keywords);
    slip->setText(RichText(text));
    box.setSlip(slip);
    return slip;
}

}  // namespace fendle::testing
