#pragma once
#include "model/Slip.h"

#include <QDateTime>

namespace fendle {

class Box;

// "Edit Text": completes the text system's typing steps of the current slip
// with the slip's modification time, so that undoing the typing puts the
// time back too.
class EditTextCommand {
public:
    static void record(Box& box, const QDateTime& lastModificationTime);

private:
    static void undo(Box& box, const SlipPtr& slip, const QDateTime& time);
};

}  // namespace fendle
