#pragma once
#include <QString>
#include <functional>

namespace fendle {

class Box;

// One undo step that puts the whole current slip back: edit changes the
// slip through the editor without steps of its own and answers whether it
// changed anything; the slip is then stored (its modification time renewed
// when asked). Nothing is recorded when edit answers false.
bool recordWholeSlipStep(Box& box, const QString& actionName, const std::function<bool()>& edit,
                         bool renewModificationTime = false);

}  // namespace fendle
