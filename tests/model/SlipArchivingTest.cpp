#include "model/SlipArchiving.h"
#include "platform/system/DateUtils.h"
#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/keyedarchive/KeyedUnarchiver.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
// Decodes the object under "root" of an archive whose root object was
// written by hand with the given keys.
SlipPtr decodeHandWritten(const std::function<void(KeyedArchiver&)>& keys) {
    KeyedArchiver archiver;
    const auto uid = archiver.beginObject();
    keys(archiver);
    archiver.endObject(uid, {"Slip", "NSObject"});
    archiver.encodeUid("root", uid);
    auto u = KeyedUnarchiver::open(archiver.finish());
    EXPECT_TRUE(u.ok());
    SlipArchiving::registerCodec(**u);
    auto value = (*u)->top().decodeObject(QLatin1StringView("root"));
    EXPECT_TRUE(value.ok()) << value.error().toStdString();
    return value ? SlipArchiving::unwrap(*value) : nullptr;
}

SlipPtr roundTrip(const SlipPtr& slip) {
    KeyedArchiver archiver;
    SlipArchiving::registerCodec(archiver);
    archiver.encodeObject("root", SlipArchiving::wrap(slip));
    auto u = KeyedUnarchiver::open(archiver.finish());
    EXPECT_TRUE(u.ok());
    SlipArchiving::registerCodec(**u);
    auto value = (*u)->top().decodeObject(QLatin1StringView("root"));
    EXPECT_TRUE(value.ok());
    return value ? SlipArchiving::unwrap(*value) : nullptr;
}
}  // namespace

TEST(SlipArchiving, MissingKeysLeaveFieldsAbsent) {
    const SlipPtr slip = decodeHandWritten([](KeyedArchiver& a) { a.encodeObject("slipID", ArchiveValue(QStringLiteral("12"))); });
    ASSERT_TRUE(slip);
    EXPECT_EQ(slip->slipID(), 12u);
    EXPECT_FALSE(slip->text().has_value());
    EXPECT_FALSE(slip->source().has_value());
    EXPECT_FALSE(slip->slipType().has_value());
    EXPECT_FALSE(slip->author().has_value());
    EXPECT_FALSE(slip->appendedTextField().has_value());
    EXPECT_TRUE(slip->keywords().isEmpty());
    EXPECT_FALSE(slip->isFlagged());
    EXPECT_EQ(slip->modificationByMobileVersion(), 0);
    EXPECT_EQ(slip->creationTime(), referenceDate().addSecs(7));
    EXPECT_FALSE(slip->selectedRanges().has_value());
}

TEST(SlipArchiving, EmptyKeywordsStringGivesOneEmptyKeyword) {
    const SlipPtr slip = decodeHandWritten([](KeyedArchiver& a) {
        a.encodeObject("slipID", ArchiveValue(QStringLiteral("1")));
        a.encodeObject("keywords", ArchiveValue(QString()));
    });
    ASSERT_TRUE(slip);
    EXPECT_EQ(slip->keywords().toStringList(), QStringList{QString()});
}

TEST(SlipArchiving, WrongTypesAndShortRangesCountAsAbsent) {
    const SlipPtr slip = decodeHandWritten([](KeyedArchiver& a) {
        a.encodeObject("slipID", ArchiveValue(QStringLiteral("x")));
        a.encodeObject("source", ArchiveValue(qint64(5)));
        a.encodeObject("creationTime", ArchiveValue(QStringLiteral("yesterday")));
        a.encodeObject("selectedRangeOfSlipText", ArchiveValue::list({ArchiveValue(qint64(3))}));
        a.encodeInteger("modificationByMobileVersion", 72);
    });
    ASSERT_TRUE(slip);
    EXPECT_EQ(slip->slipID(), 0u);
    EXPECT_FALSE(slip->source().has_value());
    EXPECT_FALSE(slip->creationTimeField().has_value());
    EXPECT_FALSE(slip->selectedRanges().has_value());
    EXPECT_EQ(slip->modificationByMobileVersion(), 72);
}

TEST(SlipArchiving, EveryFieldReadsBack) {
    auto slip = Slip::create(7);
    Attributes bold;
    bold.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 14, true, false});
    RichText text(QStringLiteral("Hello\n"));
    text.append(QStringLiteral("world"), bold);
    slip->setTextWithoutLastModificationDate(text);
    slip->setKeywordsString(QStringLiteral("a, b,,c"));
    slip->setSourceWithoutLastModificationDate(QStringLiteral("https://example.org"));
    slip->setSlipTypeWithoutLastModificationDate(QStringLiteral("note"));
    slip->setAuthorWithoutLastModificationDate(QStringLiteral("Ada"));
    slip->setAppendedTextWithoutLastModificationDate(QStringLiteral(" more"));
    slip->setFlagged(true);
    slip->setSelectedRanges(QList<TextRange>{{2, 3}, {8, 1}});
    slip->setCreationTime(dateFromReferenceSeconds(258736166.25));
    slip->setLastModificationTime(dateFromReferenceSeconds(315630245.5));
    slip->setModificationByMobileVersion(9);
    const SlipPtr back = roundTrip(slip);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->slipID(), 7u);
    EXPECT_EQ(back->text(), slip->text());
    EXPECT_EQ(back->keywords(), slip->keywords());
    EXPECT_EQ(back->source(), slip->source());
    EXPECT_EQ(back->slipType(), slip->slipType());
    EXPECT_EQ(back->author(), slip->author());
    EXPECT_EQ(back->appendedTextField(), slip->appendedTextField());
    EXPECT_TRUE(back->isFlagged());
    // Only the first range is stored.
    EXPECT_EQ(back->selectedRanges(), (QList<TextRange>{{2, 3}}));
    EXPECT_EQ(back->creationTimeField(), slip->creationTimeField());
    EXPECT_EQ(back->lastModificationTimeField(), slip->lastModificationTimeField());
    EXPECT_EQ(back->modificationByMobileVersion(), 9);
}

TEST(SlipArchiving, AbsentFieldsStayAbsent) {
    auto slip = std::make_shared<Slip>(Slip::Undecoded{});
    slip->setSlipID(3);
    const SlipPtr back = roundTrip(slip);
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->text().has_value());
    EXPECT_FALSE(back->source().has_value());
    EXPECT_FALSE(back->author().has_value());
    EXPECT_FALSE(back->creationTimeField().has_value());
    EXPECT_FALSE(back->appendedTextField().has_value());
}

TEST(SlipArchiving, TextStringIsTheTextsOwnCharacterObject) {
    auto slip = Slip::create(4);
    slip->setTextWithoutLastModificationDate(RichText(QStringLiteral("shared characters")));
    KeyedArchiver archiver;
    SlipArchiving::registerCodec(archiver);
    archiver.encodeObject("root", SlipArchiving::wrap(slip));
    auto u = KeyedUnarchiver::open(archiver.finish());
    ASSERT_TRUE(u.ok());
    const auto object = (*u)->objectAt(*(*u)->top().decodeUid(QLatin1StringView("root")));
    ASSERT_TRUE(object.ok());
    const auto text = (*u)->objectAt(*object->decodeUid(QLatin1StringView("text")));
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(object->decodeUid(QLatin1StringView("textString")), text->decodeUid(QLatin1StringView("NSString")));
}
