#pragma once

namespace fendle {

class Box;

// Browsing the trash (its slips take the place of the box's own) and
// emptying it. Neither can be undone: both drop the box's undo steps.
class TrashCommands {
public:
    static void browseTrash(Box& box);
    static void emptyTrash(Box& box);
};

}  // namespace fendle
