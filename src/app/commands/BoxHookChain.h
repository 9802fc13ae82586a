#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

namespace fendle {

// Adds a receiver to a box refresh hook: whatever the hook did before still
// runs, and the receiver is skipped once it is gone, so a view may die
// before its box.
template <typename Receiver>
void chainBoxHook(std::function<void()>& hook, Receiver* receiver, void (Receiver::*refresh)()) {
    QPointer<Receiver> guarded(receiver);
    hook = [previous = hook, guarded, refresh] {
        if (previous) previous();
        if (guarded) (guarded.data()->*refresh)();
    };
}

}  // namespace fendle
