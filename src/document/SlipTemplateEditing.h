#pragma once

namespace fendle {

class Box;

// The box's slip template, edited in its own window. Changing it cannot be
// undone: the window's OK, Cancel and Delete drop the box's undo steps.
class SlipTemplateEditing {
public:
    static void edit(Box& box);
    static void accept(Box& box);
    static void cancel(Box& box);
    static void remove(Box& box);
};

}  // namespace fendle
