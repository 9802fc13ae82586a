#include "openmeta/OpenMeta.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

const QString ComposedE = QStringLiteral("\u00e9");            // é as one character
const QString DecomposedE = QStringLiteral("e\u0301");         // e + combining acute
const QString ComposedA = QStringLiteral("\u00c4pfel");         // Äpfel
const QString DecomposedA = QStringLiteral("A\u0308pfel");      // A + combining diaeresis

TEST(TagCleaningTest, TheLaterSpellingWinsAtThePlaceOfTheFirst) {
    EXPECT_EQ(OpenMeta::removeDuplicateTags({"Pear", "pear", "Plum"}), (QStringList{"pear", "Plum"}));
    EXPECT_EQ(OpenMeta::removeDuplicateTags({"Plum", "Pear", "plum", "PEAR", "Fig"}),
              (QStringList{"plum", "PEAR", "Fig"}));
    EXPECT_EQ(OpenMeta::removeDuplicateTags({}), QStringList());
}

TEST(TagCleaningTest, AccentedTagsAreStoredDecomposedAndMeetTheirComposedForm) {
    EXPECT_EQ(OpenMeta::removeDuplicateTags({"Caf" + ComposedE}), QStringList{"Caf" + DecomposedE});
    // Composed and decomposed spellings, and both cases, are one tag.
    EXPECT_EQ(OpenMeta::removeDuplicateTags({ComposedA, "a\u0308pfel", "Birne"}),
              (QStringList{"a\u0308pfel", "Birne"}));
    EXPECT_EQ(OpenMeta::decomposeArrayOfStrings({ComposedA, "plain"}), (QStringList{DecomposedA, "plain"}));
}

TEST(TagCleaningTest, TagsDifferOnlyByLowerCaseMappingNotByCaseFolding) {
    // Folding would make "Straße" and "STRASSE" one tag; lower-casing keeps
    // them apart ("straße" and "strasse").
    EXPECT_EQ(OpenMeta::removeDuplicateTags({"Stra\u00dfe", "STRASSE"}), (QStringList{"Stra\u00dfe", "STRASSE"}));
    // Dotted capital I decomposes to I and the dot, and lower-cases to i and the dot.
    EXPECT_EQ(OpenMeta::removeDuplicateTags({"\u0130stanbul", "i\u0307stanbul"}), QStringList{"i\u0307stanbul"});
}

TEST(TagCleaningTest, OrderFollowsTheHintsAndSkipsWhatTheDictionaryLacks) {
    const QHash<QString, QString> dict{{"pear", "PEAR"}, {"plum", "Plum"}};
    EXPECT_EQ(OpenMeta::orderedArrayWithDict(dict, {"Plum", "fig", "pear", "PLUM"}), (QStringList{"Plum", "PEAR"}));
}

TEST(TagCleaningTest, OnlyArraysOfStringsAreTagLists) {
    EXPECT_EQ(OpenMeta::validateAsArrayOfStrings(PlistValue(PlistValue::Array{"a", "b"})), (QStringList{"a", "b"}));
    EXPECT_EQ(OpenMeta::validateAsArrayOfStrings(PlistValue(PlistValue::Array{})), QStringList());
    EXPECT_FALSE(OpenMeta::validateAsArrayOfStrings(PlistValue(PlistValue::Array{"a", 3})).has_value());
    EXPECT_FALSE(OpenMeta::validateAsArrayOfStrings(PlistValue("a")).has_value());
    EXPECT_FALSE(OpenMeta::validateAsArrayOfStrings(PlistValue(PlistValue::Dictionary{{"a", "b"}})).has_value());
}

}  // namespace
