#include "model/BoxData.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
// A box holding exactly the given numbers, counter at the highest.
BoxData boxWith(std::initializer_list<quint32> numbers) {
    BoxData box;
    box.deleteSlipForKey(QStringLiteral("1"));
    for (quint32 n : numbers) box.setSlip(Slip::create(n));
    return box;
}
}  // namespace

TEST(BoxData, NewBoxHoldsSlipOne) {
    BoxData box;
    EXPECT_EQ(box.slips().size(), 1);
    EXPECT_EQ(box.findFirstKey(), QStringLiteral("1"));
    EXPECT_EQ(box.findLastKey(), QStringLiteral("1"));
    EXPECT_EQ(box.numberOfLastSlip(), 1u);
    EXPECT_EQ(box.currentZoomFactor(), 100);
    EXPECT_EQ(box.createSlip()->slipID(), 2u);
    EXPECT_TRUE(box.slipForKeyExists(QStringLiteral("2")));
}

TEST(BoxData, NeighboursAcrossGapsAndAtTheEnds) {
    BoxData box = boxWith({1, 2, 5});
    EXPECT_EQ(box.numberOfLastSlip(), 5u);
    EXPECT_EQ(box.findNextKey(*box.slipForKey("2")), QStringLiteral("5"));
    EXPECT_EQ(box.findNextKey(*box.slipForKey("5")), QStringLiteral("5"));
    EXPECT_EQ(box.findPreviousKey(*box.slipForKey("5")), QStringLiteral("2"));
    EXPECT_EQ(box.findPreviousKey(*box.slipForKey("1")), QStringLiteral("1"));
    // A slip above the counter answers its lower neighbour.
    Slip stray(9);
    EXPECT_EQ(box.findNextKey(stray), QStringLiteral("5"));
}

TEST(BoxData, PreviousStopsAtOneWithoutTestingIt) {
    BoxData box = boxWith({3, 4});
    EXPECT_EQ(box.findPreviousKey(*box.slipForKey("3")), QStringLiteral("3"));
    EXPECT_EQ(box.findFirstKey(), QStringLiteral("3"));
}

TEST(BoxData, WideGapsGiveTheSameAnswers) {
    BoxData box = boxWith({2, 3000000000u});
    box.setSlip(Slip::create(40));
    EXPECT_EQ(box.findNextKey(*box.slipForKey("2")), QStringLiteral("40"));
    EXPECT_EQ(box.findNextKey(*box.slipForKey("40")), BoxData::makeKey(3000000000u));
    EXPECT_EQ(box.findPreviousKey(*box.slipForKey(BoxData::makeKey(3000000000u))), QStringLiteral("40"));
    EXPECT_EQ(box.findFirstKey(), QStringLiteral("2"));
}

TEST(BoxData, TrashedNumbersAreNotReused) {
    BoxData box = boxWith({1, 2, 3, 4});
    box.putSlipInTrash(box.slipForKey("3"));
    EXPECT_FALSE(box.slipForKeyExists("3"));
    EXPECT_TRUE(box.slipInTrashForKey("3"));
    EXPECT_EQ(box.findNextKey(*box.slipForKey("2")), QStringLiteral("4"));
    EXPECT_EQ(box.createSlip()->slipID(), 5u);
}

TEST(BoxData, DeleteLowersTheCounterButEmptyTrashDoesNot) {
    BoxData box = boxWith({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    box.deleteSlipForKey("10");
    EXPECT_EQ(box.numberOfLastSlip(), 9u);
    EXPECT_EQ(box.createSlip()->slipID(), 10u);

    box.putSlipInTrash(box.slipForKey("10"));
    box.emptyTrash();
    EXPECT_TRUE(box.deletedSlips().isEmpty());
    EXPECT_EQ(box.numberOfLastSlip(), 10u);
    box.deleteSlipForKey("no such key");
    EXPECT_EQ(box.numberOfLastSlip(), 9u) << "deleting any key recomputes the counter";
}

TEST(BoxData, LoadingCountsTheTrash) {
    BoxData box;
    SlipDictionary slips, trash;
    for (quint32 n = 1; n <= 10; ++n) slips.insert(BoxData::makeKey(n), Slip::create(n));
    trash.insert("12", Slip::create(12));
    box.setSlips(slips, trash);
    EXPECT_EQ(box.numberOfLastSlip(), 12u);
    EXPECT_EQ(box.createSlip()->slipID(), 13u);
}

TEST(BoxData, AddSlipNumbersAndFiles) {
    BoxData box = boxWith({1, 2});
    SlipPtr slip = Slip::create();
    box.addSlip(slip);
    EXPECT_EQ(slip->slipID(), 3u);
    EXPECT_EQ(box.slipForKey("3"), slip);
    box.setSlipInTrash(Slip::create(20));
    EXPECT_EQ(box.numberOfLastSlip(), 20u);
}

TEST(BoxData, TrashModeSwapsEverything) {
    BoxData box = boxWith({1, 2, 3});
    box.slipForKey("1")->setFlagged(true);
    SlipPtr trashed = box.slipForKey("2");
    trashed->setFlagged(true);
    box.putSlipInTrash(trashed);
    EXPECT_TRUE(box.isSlipInTrash(trashed));
    EXPECT_FALSE(box.isSlipInTrash(Slip::create(2))) << "identity, not equal key";

    box.enterTrashMode();
    EXPECT_TRUE(box.inTrashMode());
    ASSERT_EQ(box.flaggedSlips().size(), 1);
    EXPECT_EQ(box.flaggedSlips().first(), trashed);
    EXPECT_EQ(box.findFirstKey(), QStringLiteral("2"));
    SlipPtr created = box.createSlip();
    EXPECT_TRUE(box.slipForKeyExists(created->key())) << "a new slip goes into the trash";
    box.emptyTrash();
    EXPECT_TRUE(box.slips().isEmpty());
    EXPECT_EQ(box.lastSlip(), nullptr);
    box.leaveTrashMode();
    EXPECT_FALSE(box.inTrashMode());
    EXPECT_EQ(box.slips().size(), 2);
}

TEST(BoxData, RestoreAndLookups) {
    BoxData box = boxWith({1, 2});
    SlipPtr two = box.slipForKey("2");
    box.putSlipInTrash(two);
    box.restoreSlipFromTrash(two);
    EXPECT_EQ(box.slipForKey("2"), two);
    EXPECT_FALSE(box.slipInTrashForKey("2"));
    EXPECT_EQ(box.slipForKey(BoxData::NoKeyFound), nullptr);

    const auto found = box.slipsForKeys({"2", "9", "1"});
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(std::get<SlipPtr>(found[0]), two);
    EXPECT_EQ(std::get<QString>(found[1]), QStringLiteral("slip with ID not found"));
    EXPECT_EQ(std::get<SlipPtr>(found[2])->slipID(), 1u);
    EXPECT_EQ(box.lastSlip(), two);
}

TEST(BoxData, EmptyBoxHasNoKeys) {
    BoxData box = boxWith({});
    EXPECT_EQ(box.findFirstKey(), BoxData::NoKeyFound);
    EXPECT_EQ(box.findLastKey(), BoxData::NoKeyFound);
    EXPECT_EQ(box.findLastKeyInTrash(), BoxData::NoKeyFound);
}

TEST(BoxData, ReplaceAllCountsSlipsNotReplacements) {
    BoxData box = boxWith({1, 2, 3});
    box.slipForKey("1")->setKeywordsString(QStringLiteral("old, x, old"));
    box.slipForKey("2")->setKeywordsString(QStringLiteral("Old"));
    EXPECT_EQ(box.replaceAllOccurrencesOfKeyword("old", "new"), 1u);
    EXPECT_EQ(box.slipForKey("1")->keywordsString(), QStringLiteral("new, x, new"));
}

TEST(BoxData, KeywordAndSourceViews) {
    BoxData box = boxWith({1, 2, 3});
    box.slipForKey("1")->setKeywordsString(QStringLiteral(" a, b, Rome"));
    box.slipForKey("2")->setKeywordsString(QStringLiteral("a,, rome"));
    box.slipForKey("3")->setSource(QStringLiteral(" Web\n"));
    box.slipForKey("1")->setSource(QStringLiteral("B"));
    EXPECT_EQ(box.keywordsInBox(), (QStringList{"a", "b", "Rome", "rome"}));
    EXPECT_EQ(box.keywordsDictionary().value("2"), QStringLiteral("a, , rome"));
    EXPECT_EQ(box.keywordsDictionaryWithKeywordsArrays().value("1").count(), 3);
    EXPECT_EQ(box.allSources(), (QStringList{"", " Web\n", "B"}));
    EXPECT_EQ(box.sourcesDictionary().value("3"), QStringLiteral("Web"));
    auto withB = box.filterUsingPredicate([](const Slip& s) { return s.keywords().hasKeywordLike("b"); });
    ASSERT_EQ(withB.size(), 1);
    EXPECT_EQ(withB.first()->slipID(), 1u);
}

TEST(BoxData, TemplateGivesNewSlipsACopyOfItsText) {
    BoxData box;
    box.setSlipTemplate(RichText(QStringLiteral("Template")));
    SlipPtr slip = box.createSlipWithTemplate();
    EXPECT_EQ(slip->textString(), QStringLiteral("Template"));
}

TEST(BoxData, CommaHelpers) {
    EXPECT_EQ(splitCommaDelimitedString(QStringLiteral(" a ,\tb,,")), (QStringList{"a", "b", "", ""}));
    QStringList list{" x ", "y\t"};
    EXPECT_EQ(removeWhiteSpace(list), (QStringList{"x", "y"}));
    EXPECT_EQ(BoxData::makeKey(7), QStringLiteral("7"));
}
