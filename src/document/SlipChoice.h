#pragma once
#include "model/Slip.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

class Box;
class BoxData;

// The slips a box offers when no key is given: one at random, the one shown
// when the window last closed, and one suggested by shared keywords.
class SlipChoice {
public:
    // The same slip for the same second; none for an empty box.
    static SlipPtr randomSlip(const BoxData& box, const QDateTime& now);
    // The key the box file's attribute holds; none without a file or attribute.
    static std::optional<QString> lastSlipOpen(const std::optional<QString>& fileName);
    static void recordLastSlipOpen(const QString& fileName, const QString& key);
    // A related slip not suggested lately, strongest first; a random one when
    // all were; none when the slip has no scents.
    static SlipPtr suggestion(Box& box, const QStringList& suggestedLately);
};

}  // namespace fendle
