#pragma once
#include "model/KeywordsArray.h"
#include "model/Slip.h"

#include <QDateTime>
#include <QList>

namespace fendle {

class Box;

// "Add Keyword" to the selected search results: undoing gives each slip its
// keywords and time from before.
class AddKeywordToSlipsCommand {
public:
    struct Before {
        SlipPtr slip;
        KeywordsArray keywords;
        QDateTime lastModificationTime;
    };
    static void record(Box& box, const QList<Before>& before);

private:
    static void undo(Box& box, const QList<Before>& records);
};

}  // namespace fendle
