#include "model/Slip.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
const QDateTime longAgo(QDate(2010, 1, 1), QTime(0, 0), QTimeZone::utc());

Attributes font(const QString& name) {
    Attributes a;
    a.set(attr::Font, FontAttribute{name, name, 12, false, false});
    return a;
}

SlipPtr slipModifiedLongAgo() {
    SlipPtr slip = Slip::create(7);
    slip->setLastModificationTime(longAgo);
    return slip;
}
}  // namespace

TEST(Slip, PlainInitialisation) {
    Slip slip;
    EXPECT_EQ(slip.slipID(), 9999999u);
    EXPECT_EQ(slip.key(), QStringLiteral("9999999"));
    ASSERT_TRUE(slip.text());
    EXPECT_TRUE(slip.text()->isEmpty());
    EXPECT_EQ(slip.source(), QString());
    EXPECT_EQ(slip.keywords().count(), 0);
    EXPECT_FALSE(slip.isFlagged());
    EXPECT_FALSE(slip.selectedRanges());
    ASSERT_TRUE(slip.author());
    EXPECT_FALSE(slip.author()->isEmpty());
    EXPECT_EQ(slip.creationTime(), slip.lastModificationTime());
    EXPECT_EQ(slip.modificationByMobileVersion(), 0);
}

TEST(Slip, AbsentFieldsReadAsDefaults) {
    Slip slip{Slip::Undecoded{}};
    EXPECT_EQ(slip.appendedText(), QString());
    EXPECT_FALSE(slip.appendedTextField());
    EXPECT_EQ(slip.creationTime(), QDateTime(QDate(2001, 1, 1), QTime(0, 0, 7), QTimeZone::utc()));
    EXPECT_EQ(slip.title(), Slip::NoTextTitle);
    EXPECT_EQ(slip.textBody(), Slip::NoTextBody);
    EXPECT_FALSE(slip.valueForKey(QStringLiteral("source")).isValid());
}

TEST(Slip, NormalSettersStampOnlyOnChange) {
    SlipPtr slip = slipModifiedLongAgo();
    slip->setSource(QString());
    EXPECT_EQ(slip->lastModificationTime(), longAgo) << "same value: no stamp";
    slip->setSource(QStringLiteral("web"));
    EXPECT_GT(slip->lastModificationTime(), longAgo);

    slip->setLastModificationTime(longAgo);
    slip->setSlipTypeWithoutLastModificationDate(QStringLiteral("quote"));
    slip->setFlagged(true);
    slip->toggleFlagged();
    EXPECT_EQ(slip->lastModificationTime(), longAgo) << "quiet setters and the flag never stamp";

    slip->setAuthor(std::nullopt);
    EXPECT_GT(slip->lastModificationTime(), longAgo) << "clearing a value is a change";
    slip->setLastModificationTime(longAgo);
    slip->setAuthor(QStringLiteral("A"));
    EXPECT_GT(slip->lastModificationTime(), longAgo) << "a missing current value counts as different";
}

TEST(Slip, KeywordSetterComparesElementByElement) {
    SlipPtr slip = slipModifiedLongAgo();
    slip->setKeywordsString(QStringLiteral("a, b"));
    slip->setLastModificationTime(longAgo);
    slip->setKeywords(KeywordsArray({"a", "b"}));
    EXPECT_EQ(slip->lastModificationTime(), longAgo);
    slip->setKeywords(KeywordsArray({"b", "a"}));
    EXPECT_GT(slip->lastModificationTime(), longAgo) << "order matters";
}

TEST(Slip, SetTextComparesAttributesUnlessAttachmentsArePresent) {
    SlipPtr slip = slipModifiedLongAgo();
    slip->setTextWithoutLastModificationDate(RichText(QStringLiteral("abc"), font("Helvetica")));
    slip->setText(RichText(QStringLiteral("abc"), font("Times")));
    EXPECT_GT(slip->lastModificationTime(), longAgo) << "a font change alone is a change";

    Attributes picture = font("Helvetica");
    picture.set(attr::Attachment, AttachmentAttribute{"a.png", "x"});
    RichText withPicture(QStringLiteral("abc"), font("Helvetica"));
    withPicture.append(QString(QChar(AttachmentCharacter)), picture);
    slip->setTextWithoutLastModificationDate(withPicture);
    slip->setLastModificationTime(longAgo);
    RichText otherFont = withPicture;
    otherFont.addAttribute(attr::Font, FontAttribute{"Times", "Times", 12, false, false}, {0, 3});
    slip->setText(otherFont);
    EXPECT_EQ(slip->lastModificationTime(), longAgo) << "with an attachment only characters count";
    otherFont.append(QStringLiteral("d"), {});
    slip->setText(otherFont);
    EXPECT_GT(slip->lastModificationTime(), longAgo);
}

TEST(Slip, SetTextAlwaysClearsTextBits) {
    SlipPtr slip = slipModifiedLongAgo();
    slip->setModificationByMobileVersion(0xFF);
    slip->setText(*slip->text());
    EXPECT_EQ(slip->lastModificationTime(), longAgo);
    EXPECT_EQ(slip->modificationByMobileVersion(), 0xFF & ~(8 | 16 | 64));
    slip->addModificationByMobileVersion(8);
    slip->deleteModificationByMobileVersion(1 | 2);
    EXPECT_EQ(slip->modificationByMobileVersion(), 0xFF & ~(1 | 2 | 16 | 64));
}

TEST(Slip, TitleAndBodySplitDifferently) {
    Slip slip(1);
    slip.setText(RichText(QStringLiteral("Title\r\n  body text \n")));
    EXPECT_EQ(slip.title(), QStringLiteral("Title\r"));
    EXPECT_EQ(slip.textBody(), QStringLiteral("body text"));

    slip.setText(RichText(QStringLiteral("one\rtwo\rthree")));
    EXPECT_EQ(slip.title(), QStringLiteral("one\rtwo\rthree")) << "carriage returns alone do not end the title";
    EXPECT_EQ(slip.textBody(), QStringLiteral("two\rthree"));

    slip.setText(RichText(QStringLiteral("only line")));
    EXPECT_EQ(slip.textBody(), QString());
    slip.setText(RichText());
    EXPECT_EQ(slip.title(), QString());
}

TEST(Slip, SplittingKeywordStrings) {
    auto split = [](const QString& s) { return Slip::splitStringToKeywordsArray(s).toStringList(); };
    EXPECT_EQ(split(QStringLiteral("a , b")), (QStringList{"a", "b"}));
    EXPECT_EQ(split(QStringLiteral("a, b,,c ")), (QStringList{"a", "b", "", "c"}));
    EXPECT_EQ(split(QString()), (QStringList{""}));
    EXPECT_EQ(split(QStringLiteral("a\n, b")), (QStringList{"a\n", "b"})) << "line breaks are not trimmed";
    EXPECT_EQ(Slip::splitStringToKeywordsArray(std::nullopt).count(), 0);

    Slip slip(1);
    EXPECT_EQ(slip.keywordsString(), QString());
    slip.setKeywordsString(slip.keywordsString());
    EXPECT_EQ(slip.keywords().count(), 1) << "an empty keywords string reads back as one empty keyword";
}

TEST(Slip, ReplaceOccurrencesIsCaseSensitiveAndCountsEach) {
    SlipPtr slip = slipModifiedLongAgo();
    slip->setKeywordsWithoutLastModificationDate(KeywordsArray({"x", "foo", "x", "y"}));
    EXPECT_EQ(slip->replaceOccurrencesOfKeyword(QStringLiteral("Foo"), QStringLiteral("bar")), 0u);
    EXPECT_EQ(slip->lastModificationTime(), longAgo);
    EXPECT_EQ(slip->replaceOccurrencesOfKeyword(QStringLiteral("x"), QStringLiteral("y")), 2u);
    EXPECT_EQ(slip->keywords().toStringList(), (QStringList{"y", "foo", "y", "y"}));
    EXPECT_GT(slip->lastModificationTime(), longAgo);
}

TEST(Slip, MergeAppendedText) {
    SlipPtr slip = slipModifiedLongAgo();
    slip->setTextWithoutLastModificationDate(RichText());
    slip->setAppendedTextWithoutLastModificationDate(QStringLiteral("more"));
    slip->setModificationByMobileVersion(64 | 1);
    slip->mergeSlipTextAndAppendedText();
    EXPECT_EQ(slip->text(), RichText(QStringLiteral("more")));
    EXPECT_FALSE(slip->appendedTextField());
    EXPECT_EQ(slip->modificationByMobileVersion(), 1);
    EXPECT_GT(slip->lastModificationTime(), longAgo);

    Attributes bold;
    bold.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false});
    slip->setTextWithoutLastModificationDate(RichText(QStringLiteral("abc"), bold));
    slip->setAppendedTextWithoutLastModificationDate(QStringLiteral("def"));
    slip->mergeSlipTextAndAppendedText();
    EXPECT_EQ(slip->text(), RichText(QStringLiteral("abcdef"), bold));

    slip->setLastModificationTime(longAgo);
    slip->mergeSlipTextAndAppendedText();
    EXPECT_GT(slip->lastModificationTime(), longAgo) << "clearing the appended text always stamps";
}

TEST(Slip, CopyKeepsNumberAndTimesButNotBits) {
    SlipPtr slip = slipModifiedLongAgo();
    slip->setCreationTime(longAgo.addDays(-1));
    slip->setKeywordsString(QStringLiteral("a, b"));
    slip->setFlagged(true);
    slip->setModificationByMobileVersion(3);
    slip->setSelectedRanges(QList<TextRange>{{1, 2}});
    slip->setLastModificationTime(longAgo);
    SlipPtr copy = slip->copy();
    EXPECT_NE(copy, slip);
    EXPECT_EQ(copy->key(), QStringLiteral("7"));
    EXPECT_EQ(copy->creationTime(), longAgo.addDays(-1));
    EXPECT_EQ(copy->lastModificationTime(), longAgo);
    EXPECT_EQ(copy->modificationByMobileVersion(), 0);
    EXPECT_TRUE(copy->isFlagged());
    EXPECT_EQ(copy->keywords(), slip->keywords());
    EXPECT_EQ(copy->selectedRanges(), slip->selectedRanges());
    EXPECT_EQ(copy->text(), slip->text());
}

TEST(Slip, SharedKeywordsCountDistinctExactMatches) {
    Slip slip(1);
    slip.setKeywordsString(QStringLiteral("a, b, a, C"));
    EXPECT_EQ(slip.numberOfSharedKeywords({"a", "a", "c", "b"}), 2);
}

TEST(Slip, KeyIsSignedDecimal) {
    Slip slip(17);
    EXPECT_EQ(slip.key(), QStringLiteral("17"));
    slip.setSlipID(0xFFFFFFFFu);
    EXPECT_EQ(slip.key(), QStringLiteral("-1"));
}

TEST(Slip, KeyValueAccessWithTypeAlias) {
    SlipPtr slip = slipModifiedLongAgo();
    EXPECT_TRUE(slip->setValueForKey(QStringLiteral("essay"), QStringLiteral("type")));
    EXPECT_EQ(slip->slipType(), QStringLiteral("essay"));
    EXPECT_GT(slip->lastModificationTime(), longAgo) << "type goes through the normal setter";
    EXPECT_EQ(slip->valueForKey(QStringLiteral("slipType")).toString(), QStringLiteral("essay"));
    EXPECT_EQ(slip->valueForKey(QStringLiteral("isFlagged")).toBool(), false);
    EXPECT_FALSE(slip->setValueForKey(1, QStringLiteral("noSuchKey")));
}

TEST(Slip, DaysAreMidnightUtcOfTheLocalDay) {
    Slip slip(1);
    slip.setCreationTime(QDateTime(QDate(2024, 7, 1), QTime(23, 30), QTimeZone::utc()));
    EXPECT_EQ(slip.creationDay(), QDateTime(QDate(2024, 7, 2), QTime(0, 0), QTimeZone::utc()));
}
