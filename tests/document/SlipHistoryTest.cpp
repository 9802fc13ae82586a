#include "document/SlipHistory.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
SlipHistory::Exists allExcept(QSet<QString> gone) {
    return [gone](const QString& key) { return !gone.contains(key); };
}
}  // namespace

TEST(SlipHistoryTest, NavigatingAfterGoingBackCutsTheForwardPart) {
    SlipHistory h;
    EXPECT_EQ(h.position(), SlipHistory::NoPosition);
    for (const char* key : {"A", "B", "C"}) h.record(key);
    EXPECT_EQ(h.back(allExcept({})), QString("B"));
    EXPECT_EQ(h.back(allExcept({})), QString("A"));
    EXPECT_FALSE(h.back(allExcept({})).has_value());  // at 0 nothing moves
    h.record("D");
    EXPECT_EQ(h.keys(), (QStringList{"A", "D"}));
    EXPECT_EQ(h.position(), 1u);
    EXPECT_EQ(h.currentKey(), QString("D"));
}

TEST(SlipHistoryTest, HoldsTheLast36AndForwardAtTheEndDoesNothing) {
    SlipHistory h;
    for (int i = 1; i <= 37; ++i) h.record(QString::number(i));
    EXPECT_EQ(h.keys().size(), 36);
    EXPECT_EQ(h.keys().first(), "2");
    EXPECT_EQ(h.position(), 35u);
    EXPECT_FALSE(h.forward(allExcept({})).has_value());
    EXPECT_EQ(h.position(), 35u);
    EXPECT_EQ(h.back(allExcept({})), QString("36"));
    EXPECT_EQ(h.forward(allExcept({})), QString("37"));
}

TEST(SlipHistoryTest, StaleEntriesAreDroppedWhenSteppedOn) {
    SlipHistory forward;
    for (const char* key : {"A", "B", "E"}) forward.record(key);
    forward.back(allExcept({}));
    EXPECT_FALSE(forward.forward(allExcept({"E"})).has_value());
    EXPECT_EQ(forward.keys(), (QStringList{"A", "B"}));
    EXPECT_EQ(forward.currentKey(), QString("B"));

    SlipHistory back;
    for (const char* key : {"A", "X", "B"}) back.record(key);
    EXPECT_EQ(back.back(allExcept({"X"})), QString("A"));
    EXPECT_EQ(back.keys(), (QStringList{"A", "B"}));
    EXPECT_EQ(back.position(), 0u);

    SlipHistory allGone;
    for (const char* key : {"X", "Y", "B"}) allGone.record(key);
    EXPECT_FALSE(allGone.back(allExcept({"X", "Y"})).has_value());
    EXPECT_EQ(allGone.keys(), QStringList{"B"});
    EXPECT_EQ(allGone.currentKey(), QString("B"));
}

TEST(SlipHistoryTest, KeyRepeatingTheEntryBeforeLeavesTheHistory) {
    SlipHistory h;
    for (const char* key : {"A", "B", "A"}) h.record(key);
    EXPECT_EQ(h.keys(), (QStringList{"A", "B"}));
    EXPECT_EQ(h.position(), 1u);
    h.record("C");
    EXPECT_EQ(h.keys(), (QStringList{"A", "B", "C"}));
    h.reset();
    EXPECT_TRUE(h.keys().isEmpty());
    EXPECT_EQ(h.position(), SlipHistory::NoPosition);
}
