#include "platform/typedstream/TypedStreamCodecs.h"
#include "platform/typedstream/TypedStreamReader.h"
#include "platform/typedstream/TypedStreamWriter.h"
#include "support/Samples.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
QByteArray sample(const char* name) { return test::sampleBytes(QStringLiteral("typedstream/") + QLatin1String(name)); }

float single(double v) { return static_cast<float>(v); }
}  // namespace

TEST(TypedStream, HighlightColourSampleDecodesAndIsRewrittenByteForByte) {
    REQUIRE_SAMPLES();
    const QByteArray bytes = sample("highlight_colour_cmyk.typedstream");
    const auto color = colorFromArchivedData(bytes);
    ASSERT_TRUE(color.ok()) << color.error().toStdString();
    EXPECT_EQ(color->space, ColorAttribute::Space::DeviceCMYK);
    EXPECT_EQ(single(color->components[0]), single(0.05));
    EXPECT_EQ(single(color->components[1]), single(0.85));
    EXPECT_EQ(single(color->components[2]), single(0.99));
    EXPECT_EQ(single(color->components[3]), single(0.17));
    EXPECT_EQ(color->alpha, 1.0);
    EXPECT_EQ(archivedColorData(ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17)), bytes);
}

TEST(TypedStream, WorkedExampleReadsAsItsListingSays) {
    REQUIRE_SAMPLES();
    const QByteArray bytes = sample("worked_example_slip_hi.typedstream");
    const auto stream = readTypedStream(bytes);
    ASSERT_TRUE(stream.ok()) << stream.error().toStdString();
    EXPECT_FALSE(stream->bigEndian);
    EXPECT_EQ(stream->systemVersion, 1000);
    ASSERT_EQ(stream->groups.size(), 1u);
    const auto& dictionary = stream->groups[0].values[0].object;
    ASSERT_TRUE(dictionary);
    EXPECT_EQ(dictionary->className(), "NSMutableDictionary");
    const auto& slip = dictionary->groups[2].values[0].object;
    ASSERT_TRUE(slip);
    EXPECT_EQ(slip->className(), "Slip");
    EXPECT_EQ(slip->classes[0].version, 0);
    ASSERT_EQ(slip->groups.size(), 5u);
    // The key is the same object as the dictionary key.
    EXPECT_EQ(slip->groups[0].values[0].object, dictionary->groups[1].values[0].object);
    TypedUnarchiver u(1000);
    const auto text = u.decode(slip->groups[1].values[0]);
    ASSERT_TRUE(text.ok()) << text.error().toStdString();
    const RichText* rich = text->as<RichText>();
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(rich->string(), QStringLiteral("Hi"));
    ASSERT_EQ(rich->runs().size(), 1u);
    const auto font = rich->runs()[0].attributes.get<FontAttribute>(attr::Font);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->postScriptName, QStringLiteral("Helvetica"));
    EXPECT_EQ(font->pointSize, 12.0);
}

TEST(TypedStream, WorkedExampleIsRewrittenByteForByte) {
    REQUIRE_SAMPLES();
    // Shared objects (the key "1", the empty string) come back as labels.
    const QByteArray bytes = sample("worked_example_slip_hi.typedstream");
    const auto stream = readTypedStream(bytes);
    ASSERT_TRUE(stream.ok());
    EXPECT_EQ(writeTypedStream(stream->groups), bytes);
}

TEST(TypedStream, RichTextReadsBackWithItsRuns) {
    Attributes plain;
    plain.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    RichText text(QStringLiteral("Grüße 😀 "), plain);
    Attributes red = plain;
    red.set(attr::Color, ColorAttribute::rgb(1, 0, 0));
    red.set(attr::Link, LinkAttribute{"fendle://3.self", true});
    red.set(attr::Underline, std::int64_t(1));
    text.append(QStringLiteral("red"), red);
    text.append(QStringLiteral("again"), plain);
    const QByteArray bytes = writeTypedStream({objectGroup(typedRichText(text))});
    const auto stream = readTypedStream(bytes);
    ASSERT_TRUE(stream.ok());
    TypedUnarchiver u(10000);
    const auto back = u.decode(stream->groups[0].values[0]);
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    ASSERT_NE(back->as<RichText>(), nullptr);
    EXPECT_EQ(*back->as<RichText>(), text);
}

TEST(TypedStream, RefusesDamagedStreams) {
    REQUIRE_SAMPLES();
    const QByteArray good = sample("worked_example_slip_hi.typedstream");
    // A header alone is an empty stream; every cut after it is damage.
    EXPECT_TRUE(readTypedStream(good.left(16)).ok());
    for (qsizetype cut = 0; cut < 16; ++cut) EXPECT_FALSE(readTypedStream(good.left(cut)).ok()) << cut;
    for (qsizetype cut = 17; cut < good.size(); ++cut) EXPECT_FALSE(readTypedStream(good.left(cut)).ok()) << cut;
    QByteArray wrongVersion = good;
    wrongVersion[0] = 3;
    EXPECT_FALSE(readTypedStream(wrongVersion).ok());
    // A label past the string table.
    QByteArray badLabel = good.left(16) + QByteArray("\x7f", 1);
    EXPECT_FALSE(readTypedStream(badLabel).ok());
    // An object that refers to itself: "@" new object, class NSArray, "i" 1, "@" label of object 0.
    QByteArray selfRef = good.left(16);
    selfRef += QByteArray("\x84\x01@\x84\x84\x84\x07NSArray\x00\x85\x84\x01i\x01\x92\x92\x86", 22);
    const auto cyclic = readTypedStream(selfRef);
    ASSERT_FALSE(cyclic.ok());
    EXPECT_TRUE(cyclic.error().contains("refers to itself")) << cyclic.error().toStdString();
    // A byte array far longer than the data.
    QByteArray longArray = good.left(16) + QByteArray("\x84\x0c[999999999c]", 14);
    EXPECT_FALSE(readTypedStream(longArray).ok());
}

TEST(TypedStream, UnknownClassIsAnErrorOutsideTextAndKeptInsideIt) {
    auto mystery = std::make_shared<TypedObject>();
    mystery->classes = {{"NSMystery", 3}, {"NSObject", 0}};
    mystery->groups.push_back({"i", {TypedValue::ofInteger(42)}});
    TypedUnarchiver u(1000);
    EXPECT_FALSE(u.decode(TypedValue::ofObject(mystery)).ok());

    auto text = std::make_shared<TypedObject>();
    text->classes = {{"NSAttributedString", 0}, {"NSObject", 0}};
    text->groups.push_back(objectGroup(typedString("ab")));
    text->groups.push_back({"iI", {TypedValue::ofInteger(1), TypedValue::ofInteger(2)}});
    text->groups.push_back(objectGroup(typedDictionary({{typedString("NSMystery"), mystery}}, false)));
    const auto stream = readTypedStream(writeTypedStream({objectGroup(text)}));
    ASSERT_TRUE(stream.ok());
    const auto decoded = u.decode(stream->groups[0].values[0]);
    ASSERT_TRUE(decoded.ok()) << decoded.error().toStdString();
    const auto kept = decoded->as<RichText>()->attributesAt(0).get<OpaqueAttribute>("NSMystery");
    ASSERT_TRUE(kept.has_value());
    // Written back through the writer, the unknown object comes out unchanged.
    const QByteArray again = writeTypedStream({objectGroup(typedRichText(*decoded->as<RichText>()))});
    EXPECT_TRUE(again.contains("NSMystery"));
    const auto reread = readTypedStream(again);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(*TypedUnarchiver(1000).decode(reread->groups[0].values[0])->as<RichText>(), *decoded->as<RichText>());
}
