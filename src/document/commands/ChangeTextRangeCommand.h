#pragma once
#include "model/Slip.h"
#include "platform/richtext/TextRange.h"

#include <QDateTime>

namespace fendle {

class Box;

// A change of part of a slip's text under a name of its own ("Make Slip
// Link", "Change Text Color", "Append To Current Slip"): undoing puts the
// text that was replaced back at the range, and the slip's time with it.
class ChangeTextRangeCommand {
public:
    // Undoing puts toInsert in place of toReplace, found at range.
    static void record(Box& box, const SlipPtr& slip, const RichText& toInsert, const RichText& toReplace,
                       TextRange range, const QDateTime& lastModificationTime, const QString& actionName);

private:
    struct Record {
        SlipPtr slip;
        RichText inserted;
        RichText replaced;
        qsizetype location = 0;
        qsizetype length = 0;
        QDateTime lastModificationTime;
    };
    static void apply(Box& box, const Record& record, const QString& actionName);
};

}  // namespace fendle
