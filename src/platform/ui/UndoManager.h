#pragma once
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace fendle {

// Undo and redo in groups of steps. A step is an applier that, when run,
// restores an earlier state and registers the reverse step, which lands on
// the redo stack while undoing and on the undo stack while redoing.
//
// Grouping follows the event model of a desktop application: a step
// registered outside any open group opens one that lasts until the end of the
// current event (EventScope), so all steps of one command form one group.
class UndoManager {
public:
    using Applier = std::function<void()>;
    using Observer = std::function<void()>;

    UndoManager() = default;
    UndoManager(const UndoManager&) = delete;
    UndoManager& operator=(const UndoManager&) = delete;

    // Registering. The record is copied into the step and handed to the
    // applier when the step runs.
    void registerUndo(Applier applier);
    void registerUndo(Applier applier, const QString& actionName);
    template <typename Record>
    void registerUndo(std::function<void(const Record&)> applier, Record record, const QString& actionName) {
        registerUndo([applier = std::move(applier), record = std::move(record)] { applier(record); }, actionName);
    }
    // Adds the step to the most recent group instead of starting one, so a
    // step can complete what another part (the text system) registered in an
    // earlier event. Outside undo and redo only; otherwise a plain registration.
    void registerUndoInLastGroup(Applier applier, const QString& actionName);
    // Names the group being built (the redo group while undoing).
    void setActionName(const QString& actionName);

    // Explicit groups; they nest, and only the outermost one closes the group.
    void beginUndoGrouping();
    void endUndoGrouping();
    int groupingLevel() const { return groupingLevel_; }

    // Marks one user event: a group opened implicitly inside it is closed
    // when the outermost scope ends.
    class EventScope {
    public:
        explicit EventScope(UndoManager& manager);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        UndoManager& manager_;
    };
    // Closes a group opened implicitly by a registration.
    void endEvent();

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    bool isUndoing() const { return undoing_; }
    bool isRedoing() const { return redoing_; }
    // The name of the step the next undo (redo) would take back; "" when none.
    QString undoActionName() const;
    QString redoActionName() const;

    void removeAllActions();
    void disableUndoRegistration() { ++disabled_; }
    void enableUndoRegistration() {
        if (disabled_ > 0) --disabled_;
    }
    bool isUndoRegistrationEnabled() const { return disabled_ == 0; }

    // Called after every undo and every redo.
    void addDidUndoOrRedoObserver(Observer observer) { observers_.push_back(std::move(observer)); }

    // Sizes, for tests and the menu.
    std::size_t undoCount() const { return undoStack_.size() + (open_.isOpen && !undoing_ ? 1 : 0); }
    std::size_t redoCount() const { return redoStack_.size(); }

private:
    struct Group {
        std::vector<Applier> steps;
        QString actionName;
    };
    struct OpenGroup {
        Group group;
        bool isOpen = false;
        bool implicit = false;
    };

    std::vector<Group> undoStack_;
    std::vector<Group> redoStack_;
    OpenGroup open_;
    int groupingLevel_ = 0;
    int eventDepth_ = 0;
    int disabled_ = 0;
    bool undoing_ = false;
    bool redoing_ = false;
    std::vector<Observer> observers_;

    void openGroup(bool implicit);
    void closeGroup();
    void closePendingGroup();
    void runGroup(std::vector<Group>& from, bool& flag);
    void notifyObservers();
};

}  // namespace fendle
