#pragma once
#include <QStringList>

namespace fendle {

class Box;

// "Toggle Flaged": slips whose flag was just set to one value; undoing sets
// the other value on all of them.
class FlagSlipsCommand {
public:
    // The flags of these slips were just set to valueJustSet.
    static void record(Box& box, const QStringList& keys, bool valueJustSet);

private:
    static void undo(Box& box, const QStringList& keys, bool valueJustSet);
};

}  // namespace fendle
