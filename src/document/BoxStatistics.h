#pragma once
#include "model/BoxData.h"

#include <QList>
#include <QPair>
#include <QString>

namespace fendle {

class KeywordScent;

// The counts of the statistics sheet and the averages made from them.
struct BoxStatistics {
    qint64 slips = 0;
    qint64 keywords = 0;
    qint64 words = 0;
    qint64 keywordScents = 0;
    qint64 slipScents = 0;

    // Counted over the active collection; the index must be built from it.
    static BoxStatistics compute(const BoxData& box, const KeywordScent& index);
    // Pieces between characters that are not letters or digits.
    static qint64 wordCount(const QString& text);

    // The thirteen figures in sheet order: label and text form.
    QList<QPair<QString, QString>> figures() const;
    // "%.2f" of a division as the C library prints it, but a NaN is always "nan".
    static QString averageText(qint64 dividend, qint64 divisor);
};

}  // namespace fendle
