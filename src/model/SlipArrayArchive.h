#pragma once
#include "model/Slip.h"
#include "platform/system/Result.h"

#include <QByteArray>
#include <QList>

namespace fendle {

// An array of slips as a keyed archive with the array as its root object:
// the clipboard form of copied slips.
class SlipArrayArchive {
public:
    static QByteArray archive(const QList<SlipPtr>& slips);
    // Fails unless the root is an array of nothing but slips.
    static Result<QList<SlipPtr>> unarchive(const QByteArray& bytes);
};

}  // namespace fendle
