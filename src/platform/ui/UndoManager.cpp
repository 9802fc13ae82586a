#include "platform/ui/UndoManager.h"

namespace fendle {

void UndoManager::openGroup(bool implicit) {
    open_ = OpenGroup{{}, true, implicit};
}

void UndoManager::closeGroup() {
    if (!open_.isOpen) return;
    Group group = std::move(open_.group);
    open_ = OpenGroup{};
    // An empty group is no step the user could take back.
    if (group.steps.empty()) return;
    // Steps registered while undoing make up the redo group; otherwise a new
    // user change invalidates everything that could be redone.
    if (undoing_) {
        redoStack_.push_back(std::move(group));
    } else {
        if (!redoing_) redoStack_.clear();
        undoStack_.push_back(std::move(group));
    }
}

void UndoManager::closePendingGroup() {
    if (open_.isOpen && open_.implicit) closeGroup();
}

void UndoManager::registerUndo(Applier applier) {
    if (disabled_ > 0 || !applier) return;
    if (!open_.isOpen) openGroup(true);
    open_.group.steps.push_back(std::move(applier));
}

void UndoManager::registerUndo(Applier applier, const QString& actionName) {
    if (disabled_ > 0) return;
    registerUndo(std::move(applier));
    setActionName(actionName);
}

void UndoManager::registerUndoInLastGroup(Applier applier, const QString& actionName) {
    if (disabled_ > 0 || !applier) return;
    const bool groupOpen = open_.isOpen && !open_.group.steps.empty();
    if (groupOpen || undoing_ || redoing_ || undoStack_.empty()) {
        registerUndo(std::move(applier), actionName);
        return;
    }
    redoStack_.clear();
    undoStack_.back().steps.push_back(std::move(applier));
    undoStack_.back().actionName = actionName;
}

void UndoManager::setActionName(const QString& actionName) {
    if (open_.isOpen) open_.group.actionName = actionName;
}

void UndoManager::beginUndoGrouping() {
    if (groupingLevel_++ == 0) {
        closePendingGroup();
        if (!open_.isOpen) openGroup(false);
    }
}

void UndoManager::endUndoGrouping() {
    if (groupingLevel_ == 0) return;
    if (--groupingLevel_ == 0) closeGroup();
}

UndoManager::EventScope::EventScope(UndoManager& manager) : manager_(manager) { ++manager_.eventDepth_; }

UndoManager::EventScope::~EventScope() {
    if (--manager_.eventDepth_ == 0) manager_.endEvent();
}

void UndoManager::endEvent() {
    if (groupingLevel_ == 0) closePendingGroup();
}

bool UndoManager::canUndo() const {
    return !undoStack_.empty() || (open_.isOpen && open_.implicit && !open_.group.steps.empty());
}

bool UndoManager::canRedo() const { return !redoStack_.empty(); }

QString UndoManager::undoActionName() const {
    if (open_.isOpen && !open_.group.steps.empty() && !undoing_ && !redoing_) return open_.group.actionName;
    return undoStack_.empty() ? QString() : undoStack_.back().actionName;
}

QString UndoManager::redoActionName() const { return redoStack_.empty() ? QString() : redoStack_.back().actionName; }

void UndoManager::runGroup(std::vector<Group>& from, bool& flag) {
    Group group = std::move(from.back());
    from.pop_back();
    flag = true;
    openGroup(false);
    // The reverse group keeps the name unless an applier renames it; groups
    // the appliers open nest inside it.
    open_.group.actionName = group.actionName;
    ++groupingLevel_;
    for (auto it = group.steps.rbegin(); it != group.steps.rend(); ++it) (*it)();
    --groupingLevel_;
    closeGroup();
    flag = false;
}

void UndoManager::undo() {
    // Undo during an explicit group would tear the group apart; refuse it.
    if (groupingLevel_ > 0 || undoing_ || redoing_) return;
    closePendingGroup();
    if (undoStack_.empty()) return;
    runGroup(undoStack_, undoing_);
    notifyObservers();
}

void UndoManager::redo() {
    if (groupingLevel_ > 0 || undoing_ || redoing_) return;
    closePendingGroup();
    if (redoStack_.empty()) return;
    runGroup(redoStack_, redoing_);
    notifyObservers();
}

void UndoManager::removeAllActions() {
    undoStack_.clear();
    redoStack_.clear();
    if (open_.isOpen) open_.group = Group{};
}

void UndoManager::notifyObservers() {
    for (const Observer& observer : observers_) observer();
}

}  // namespace fendle
