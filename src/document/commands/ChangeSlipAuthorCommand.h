#pragma once
#include "model/Slip.h"

#include <QDateTime>
#include <optional>

namespace fendle {

class Box;

// "Change Slip Author" from the inspector: undoing gives the slip its author
// and time from before, showing the slip if it is not the current one.
class ChangeSlipAuthorCommand {
public:
    static void perform(Box& box, const SlipPtr& slip, const QString& author);

private:
    struct Record {
        QString key;
        QDateTime lastModificationTime;
        std::optional<QString> author;
    };
    static void record(Box& box, const Slip& slip);
    static void undo(Box& box, const Record& record);
};

}  // namespace fendle
