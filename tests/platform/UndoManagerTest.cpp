#include "platform/ui/UndoManager.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

// A counter whose setter registers its own reverse step, as appliers do.
struct Counter {
    UndoManager& undo;
    int value = 0;
    void set(int v, const QString& name) {
        const int old = value;
        undo.registerUndo(std::function<void(const int&)>([this, name](const int& back) { set(back, name); }), old,
                          name);
        value = v;
    }
};

}  // namespace

TEST(UndoManagerTest, UndoRunsApplierWhichRegistersRedo) {
    UndoManager undo;
    Counter c{undo};
    {
        UndoManager::EventScope event(undo);
        c.set(5, "Set");
    }
    EXPECT_TRUE(undo.canUndo());
    EXPECT_EQ(undo.undoActionName(), "Set");
    undo.undo();
    EXPECT_EQ(c.value, 0);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_TRUE(undo.canRedo());
    EXPECT_EQ(undo.redoActionName(), "Set");
    undo.redo();
    EXPECT_EQ(c.value, 5);
    EXPECT_EQ(undo.undoActionName(), "Set");
    EXPECT_FALSE(undo.canRedo());
}

TEST(UndoManagerTest, StepsOfOneEventFormOneGroupUndoneInReverse) {
    UndoManager undo;
    Counter c{undo};
    {
        UndoManager::EventScope outer(undo);
        c.set(1, "A");
        {
            UndoManager::EventScope inner(undo);  // nested commands stay in the group
            c.set(2, "B");
        }
        c.set(3, "B");
    }
    {
        UndoManager::EventScope event(undo);
        c.set(10, "C");
    }
    EXPECT_EQ(undo.undoCount(), 2u);
    undo.undo();
    EXPECT_EQ(c.value, 3);
    undo.undo();
    EXPECT_EQ(c.value, 0);  // all three steps of the first event at once
    // The appliers ran last-first, so the first step's name is set last.
    EXPECT_EQ(undo.redoActionName(), "A");
    undo.redo();
    EXPECT_EQ(c.value, 3);
    undo.redo();
    EXPECT_EQ(c.value, 10);
}

TEST(UndoManagerTest, ExplicitGroupsNestAndUndoClosesAnOpenEventGroup) {
    UndoManager undo;
    Counter c{undo};
    undo.beginUndoGrouping();
    c.set(1, "X");
    undo.beginUndoGrouping();
    c.set(2, "X");
    undo.endUndoGrouping();
    EXPECT_EQ(undo.groupingLevel(), 1);
    undo.undo();  // refused inside an explicit group
    EXPECT_EQ(c.value, 2);
    undo.endUndoGrouping();
    c.set(7, "Y");  // implicit group, no event scope
    undo.undo();
    EXPECT_EQ(c.value, 2);
    undo.undo();
    EXPECT_EQ(c.value, 0);
}

TEST(UndoManagerTest, NewChangeClearsRedoButRedoingKeepsIt) {
    UndoManager undo;
    Counter c{undo};
    for (int v : {1, 2, 3}) {
        UndoManager::EventScope event(undo);
        c.set(v, "S");
    }
    undo.undo();
    undo.undo();
    EXPECT_EQ(undo.redoCount(), 2u);
    undo.redo();
    EXPECT_EQ(undo.redoCount(), 1u);  // redo registers on the undo stack only
    {
        UndoManager::EventScope event(undo);
        c.set(9, "S");
    }
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(c.value, 2);
}

TEST(UndoManagerTest, FlagsObserverAndRemoveAll) {
    UndoManager undo;
    bool sawUndoing = false, sawRedoing = false;
    int notified = 0;
    undo.addDidUndoOrRedoObserver([&] {
        ++notified;
        EXPECT_FALSE(undo.isUndoing());
        EXPECT_FALSE(undo.isRedoing());
    });
    std::function<void()> step;
    step = [&] {
        sawUndoing |= undo.isUndoing();
        sawRedoing |= undo.isRedoing();
        undo.registerUndo(step, "Flip");
    };
    undo.registerUndo(step, "Flip");
    undo.undo();
    undo.redo();
    EXPECT_TRUE(sawUndoing);
    EXPECT_TRUE(sawRedoing);
    EXPECT_EQ(notified, 2);
    undo.removeAllActions();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(undo.undoActionName(), "");
    undo.undo();
    EXPECT_EQ(notified, 2);  // nothing to undo, nothing announced
}

TEST(UndoManagerTest, DisabledRegistrationAndApplierRenamingReverseStep) {
    UndoManager undo;
    undo.disableUndoRegistration();
    undo.registerUndo([] {}, "Ignored");
    EXPECT_FALSE(undo.canUndo());
    undo.enableUndoRegistration();
    undo.registerUndo(
        [&] {
            undo.registerUndo([] {});
            undo.setActionName("Renamed");
        },
        "Original");
    undo.undo();
    EXPECT_EQ(undo.redoActionName(), "Renamed");
}

TEST(UndoManagerTest, StepCanJoinTheGroupOfAnEarlierEvent) {
    UndoManager undo;
    Counter c{undo};
    {
        UndoManager::EventScope event(undo);
        c.set(1, "Typing");
    }
    int finished = 0;
    {
        UndoManager::EventScope event(undo);
        undo.registerUndoInLastGroup([&] { ++finished; }, "Edit Text");
    }
    EXPECT_EQ(undo.undoCount(), 1u);
    EXPECT_EQ(undo.undoActionName(), "Edit Text");
    undo.undo();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(c.value, 0);
    // With nothing to join it is an ordinary step.
    undo.removeAllActions();
    undo.registerUndoInLastGroup([&] { ++finished; }, "Edit Text");
    undo.undo();
    EXPECT_EQ(finished, 2);
}

TEST(UndoManagerTest, GroupsOpenedByAppliersStayInsideTheReverseGroup) {
    UndoManager undo;
    Counter a{undo}, b{undo};
    {
        UndoManager::EventScope event(undo);
        a.set(1, "Pair");
        b.set(2, "Pair");
    }
    undo.addDidUndoOrRedoObserver([] {});
    // An applier that groups its own reverse steps.
    undo.registerUndo(
        [&] {
            undo.beginUndoGrouping();
            undo.registerUndo([] {}, "Inner");
            undo.endUndoGrouping();
            UndoManager::EventScope nested(undo);
            undo.registerUndo([] {}, "Inner");
        },
        "Outer");
    undo.endEvent();
    undo.undo();
    EXPECT_EQ(undo.redoCount(), 1u);  // one reverse group, not two
    undo.undo();
    EXPECT_EQ(a.value, 0);
    EXPECT_EQ(b.value, 0);
    EXPECT_EQ(undo.redoCount(), 2u);
}
