#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
Attributes bold() {
    Attributes a;
    a.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false});
    return a;
}
Attributes plain() {
    Attributes a;
    a.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    return a;
}
}  // namespace

TEST(RichText, EqualityComparesCharactersAndAttributes) {
    RichText a(QStringLiteral("abc"), plain());
    RichText b(QStringLiteral("abc"), plain());
    EXPECT_EQ(a, b);
    b.addAttribute(attr::Font, bold().values().at(attr::Font), {1, 1});
    EXPECT_FALSE(a == b);
    b.addAttribute(attr::Font, plain().values().at(attr::Font), {1, 1});
    EXPECT_EQ(a, b) << "runs must merge back so that equal texts compare equal";
}

TEST(RichText, EffectiveRangeIsLongestRunOfEqualAttributes) {
    RichText t(QStringLiteral("aaa"), plain());
    t.append(QStringLiteral("bb"), bold());
    t.append(QStringLiteral("c"), plain());
    TextRange range;
    EXPECT_EQ(t.attributesAt(3, &range), bold());
    EXPECT_EQ(range, (TextRange{3, 2}));
    t.addAttribute(attr::Underline, std::int64_t(1), {0, 6});
    std::optional<AttributeValue> underline = t.attributeAt(attr::Underline, 4, &range);
    ASSERT_TRUE(underline);
    EXPECT_EQ(range, (TextRange{0, 6})) << "one attribute spans runs that differ in others";
    EXPECT_FALSE(t.attributeAt(attr::Link, 2, &range));
    EXPECT_EQ(range, (TextRange{0, 6}));
}

TEST(RichText, ReplaceInsertAppendAndSubstring) {
    RichText t(QStringLiteral("hello world"), plain());
    t.replace(TextRange{0, 5}, RichText(QStringLiteral("HI"), bold()));
    EXPECT_EQ(t.string(), QStringLiteral("HI world"));
    EXPECT_EQ(t.attributesAt(0), bold());
    EXPECT_EQ(t.attributesAt(2), plain());
    // A plain-string replacement takes the attributes of the first replaced character.
    t.replace(TextRange{1, 1}, QStringLiteral("ey"));
    EXPECT_EQ(t.string(), QStringLiteral("Hey world"));
    EXPECT_EQ(t.attributesAt(2), bold());
    // An empty range takes the attributes of the character before.
    t.replace(TextRange{t.length(), 0}, QStringLiteral("!"));
    EXPECT_EQ(t.attributesAt(t.length() - 1), plain());
    RichText sub = t.substring({1, 4});
    EXPECT_EQ(sub.string(), QStringLiteral("ey w"));
    EXPECT_EQ(sub.runs().size(), 2u);
    t.insert(0, RichText(QStringLiteral(">")));
    EXPECT_EQ(t.string(), QStringLiteral(">Hey world!"));
    EXPECT_TRUE(t.attributesAt(0).isEmpty());
}

TEST(RichText, RangesOutsideTheTextAreClipped) {
    RichText t(QStringLiteral("abc"), plain());
    t.addAttribute(attr::Underline, std::int64_t(1), {2, 100});
    t.removeAttribute(attr::Font, {-5, 6});
    t.replace(TextRange{10, 3}, QStringLiteral("d"));
    EXPECT_EQ(t.string(), QStringLiteral("abcd"));
    EXPECT_EQ(t.substring({-1, 99}).string(), QStringLiteral("abcd"));
    EXPECT_TRUE(t.attributesAt(99).isEmpty());
    EXPECT_TRUE(t.attributesAt(0).isEmpty());
    EXPECT_TRUE(t.attributesAt(2).contains(attr::Underline));
}

TEST(RichText, SetAttributesReplacesAllOfThem) {
    RichText t(QStringLiteral("abcdef"), bold());
    t.addAttribute(attr::Link, LinkAttribute{"fendle://3.self"}, {0, 3});
    t.setAttributes(plain(), {2, 2});
    EXPECT_EQ(t.attributesAt(2), plain());
    EXPECT_TRUE(t.attributesAt(1).contains(attr::Link));
    EXPECT_EQ(t.attributesAt(4), bold());
}

TEST(RichText, AttachmentsAndDeepCopy) {
    RichText t(QStringLiteral("x"), plain());
    EXPECT_FALSE(t.hasAttachments());
    Attributes pic = plain();
    pic.set(attr::Attachment, AttachmentAttribute{"pic.png", QByteArray("PNGDATA")});
    t.append(QString(QChar(AttachmentCharacter)), pic);
    EXPECT_TRUE(t.hasAttachments());

    RichText copy = t.deepCopy();
    EXPECT_EQ(copy, t);
    auto original = t.attributesAt(1).get<AttachmentAttribute>(attr::Attachment);
    auto copied = copy.attributesAt(1).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(original && copied);
    EXPECT_NE(original->contents.constData(), copied->contents.constData());
}

TEST(RichText, CopiesAreIndependentValues) {
    RichText a(QStringLiteral("abc"), plain());
    RichText b = a;
    b.addAttribute(attr::Underline, std::int64_t(1), {0, 1});
    b.append(QStringLiteral("d"), {});
    EXPECT_EQ(a.string(), QStringLiteral("abc"));
    EXPECT_FALSE(a.attributesAt(0).contains(attr::Underline));
}

TEST(RichText, OpaqueValuesCompareByContent) {
    RichText a(QStringLiteral("a"));
    RichText b(QStringLiteral("a"));
    a.addAttribute(QStringLiteral("NSShadow"), OpaqueAttribute{"keyed", QByteArray("1")}, {0, 1});
    b.addAttribute(QStringLiteral("NSShadow"), OpaqueAttribute{"keyed", QByteArray("2")}, {0, 1});
    EXPECT_FALSE(a == b);
    b.addAttribute(QStringLiteral("NSShadow"), OpaqueAttribute{"keyed", QByteArray("1")}, {0, 1});
    EXPECT_EQ(a, b);
}
