#pragma once
#include "model/KeywordsArray.h"
#include "model/Slip.h"
#include "platform/richtext/RichText.h"

#include <QDateTime>
#include <optional>

namespace fendle {

class Box;

// "Clear All Fields": the current slip's text, keywords, source and type
// emptied; undoing puts them back as they were, absent ones absent.
class ClearSlipCommand {
public:
    static void perform(Box& box);

private:
    struct Record {
        QString key;
        std::optional<RichText> text;
        KeywordsArray keywords;
        std::optional<QString> source;
        std::optional<QString> slipType;
        QDateTime lastModificationTime;
    };
    static void undo(Box& box, const Record& record);
    static void redo(Box& box, const SlipPtr& slip);
};

}  // namespace fendle
