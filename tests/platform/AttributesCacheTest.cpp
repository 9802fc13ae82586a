#include "platform/keyedarchive/AttributesCache.h"
#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/keyedarchive/KeyedCodecs.h"
#include "platform/keyedarchive/KeyedUnarchiver.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
Attributes fontOnly(const QString& postScriptName, double size) {
    Attributes a;
    a.set(attr::Font, FontAttribute{"Helvetica", postScriptName, size, postScriptName.contains("Bold"), false});
    return a;
}

Attributes with(Attributes a, const QString& name, const AttributeValue& value) {
    a.set(name, value);
    return a;
}
}  // namespace

// Every text archives its own dictionaries; the reader decodes equal ones
// once. Dictionaries that differ in any one value must stay apart.
TEST(AttributesCache, NearlyEqualDictionariesOfManyTextsStayApart) {
    const Attributes plain = fontOnly("Helvetica", 12);
    const std::vector<Attributes> variants = {
        plain,
        fontOnly("Helvetica", 14),
        fontOnly("Helvetica-Bold", 12),
        with(plain, attr::Link, LinkAttribute{"fendle://1.self", true}),
        with(plain, attr::Link, LinkAttribute{"fendle://2.self", true}),
        with(plain, attr::Link, LinkAttribute{"fendle://1.self", false}),
        with(plain, attr::Underline, std::int64_t(1)),
        with(plain, attr::Underline, std::int64_t(2)),
        with(plain, attr::Color, ColorAttribute::rgb(1, 0, 0)),
        with(plain, attr::Color, ColorAttribute::rgb(1, 0, 0.5)),
        with(plain, attr::Attachment, AttachmentAttribute{"a.png", "one"}),
        with(plain, attr::Attachment, AttachmentAttribute{"a.png", "two"}),
        Attributes(),
    };
    std::vector<ArchiveValue> texts;
    std::vector<RichText> expected;
    for (int round = 0; round < 3; ++round)
        for (size_t i = 0; i < variants.size(); ++i) {
            RichText text(QStringLiteral("head "), variants[(i + 1) % variants.size()]);
            text.append(QStringLiteral("body %1").arg(i), variants[i]);
            expected.push_back(text);
            texts.push_back(ArchiveValue(text));
        }
    KeyedArchiver archiver;
    archiver.encodeObject(QStringLiteral("root"), ArchiveValue::list(texts));
    auto unarchiver = KeyedUnarchiver::open(archiver.finish());
    ASSERT_TRUE(unarchiver.ok()) << unarchiver.error().toStdString();
    const auto root = (*unarchiver)->top().decodeObject(QLatin1StringView("root"));
    ASSERT_TRUE(root.ok()) << root.error().toStdString();
    ASSERT_NE(root->toList(), nullptr);
    ASSERT_EQ(root->toList()->items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const RichText* back = root->toList()->items[i].as<RichText>();
        ASSERT_NE(back, nullptr) << i;
        EXPECT_EQ(*back, expected[i]) << i;
    }
    // Fonts, colours and links repeat in an encoding the cache recognises;
    // values archived as objects of their own (numbers, attachments) give
    // every text a different encoding and are decoded each time.
    const auto distinct = static_cast<qsizetype>(variants.size() - 1);
    EXPECT_GE((*unarchiver)->attributesCache().size(), distinct);
    EXPECT_LT((*unarchiver)->attributesCache().size(), 2 * distinct);
}

TEST(AttributesCache, StopsGrowingAtItsCapacity) {
    AttributesCache cache;
    for (qsizetype i = 0; i < AttributesCache::Capacity + 10; ++i)
        cache.insert(QByteArray::number(i), fontOnly("Helvetica", static_cast<double>(i)));
    EXPECT_EQ(cache.size(), AttributesCache::Capacity);
    ASSERT_NE(cache.find("7"), nullptr);
    EXPECT_EQ(*cache.find("7"), fontOnly("Helvetica", 7));
    EXPECT_EQ(cache.find(QByteArray::number(AttributesCache::Capacity + 5)), nullptr);
}
