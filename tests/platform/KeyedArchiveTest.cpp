#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/keyedarchive/KeyedCodecs.h"
#include "platform/keyedarchive/KeyedUnarchiver.h"
#include "platform/plist/XmlPlist.h"
#include "support/Samples.h"

#include <QUuid>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
QByteArray sample(const char* name) { return test::sampleBytes(QStringLiteral("keyed-apple/") + QLatin1String(name)); }

ArchiveValue decodeRoot(const QByteArray& bytes) {
    auto u = KeyedUnarchiver::open(bytes);
    EXPECT_TRUE(u.ok()) << u.error().toStdString();
    if (!u) return {};
    auto root = (*u)->top().decodeObject(QLatin1StringView("root"));
    EXPECT_TRUE(root.ok()) << root.error().toStdString();
    return root ? *root : ArchiveValue();
}

struct ExpectedRun {
    qsizetype length;
    const char* font;
    qint64 size;
};

void expectAppleRuns(const RichText& text) {
    EXPECT_EQ(text.string(), QStringLiteral("0123456789"));
    const ExpectedRun expected[] = {{1, nullptr, 0}, {1, "Helvetica", 123}, {4, "Times", 456},
                                    {2, "Helvetica", 123}, {1, "Times", 456}, {1, nullptr, 0}};
    ASSERT_EQ(text.runs().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& run = text.runs()[i];
        EXPECT_EQ(run.length, expected[i].length) << i;
        if (!expected[i].font) {
            EXPECT_TRUE(run.attributes.isEmpty()) << i;
            continue;
        }
        EXPECT_EQ(run.attributes.get<QString>("Font"), QString::fromLatin1(expected[i].font)) << i;
        EXPECT_EQ(run.attributes.get<std::int64_t>("Size"), expected[i].size) << i;
    }
}

RichText richSample() {
    FontAttribute helvetica{"Helvetica", "Helvetica", 12, false, false};
    FontAttribute bold{"Helvetica", "Helvetica-Bold", 12, true, false};
    RichText text(QStringLiteral("Title 😀\n"));
    Attributes plain;
    plain.set(attr::Font, helvetica);
    text.setAttributes(plain, text.wholeRange());
    Attributes heading = plain;
    heading.set(attr::Font, bold);
    ParagraphStyleAttribute centred;
    centred.alignment = ParagraphStyleAttribute::Alignment::Center;
    centred.tabStops = {TabStop{TabStop::Type::Left, 28}, TabStop{TabStop::Type::Right, 56}};
    heading.set(attr::ParagraphStyle, centred);
    text.setAttributes(heading, {0, 5});
    Attributes link = plain;
    link.set(attr::Link, LinkAttribute{"fendle://2.self", true});
    link.set(attr::Underline, std::int64_t(1));
    link.set(attr::Color, ColorAttribute::rgb(1, 0, 0.25));
    text.append(QStringLiteral("slip two"), link);
    Attributes picture = plain;
    picture.set(attr::Attachment, AttachmentAttribute{"pic.png", QByteArray("\x89PNG\r\n\x1a\n", 8)});
    text.append(QString(QChar(AttachmentCharacter)), picture);
    Attributes cmyk = plain;
    cmyk.set(attr::Color, ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17, 0.5));
    cmyk.set(attr::Link, LinkAttribute{"https://example.org", false});
    text.append(QStringLiteral(" end"), cmyk);
    return text;
}

// Encodes a value as the root of an archive, as archivedDataWithRootObject: would.
QByteArray archiveRoot(const ArchiveValue& value) {
    KeyedArchiver archiver;
    archiver.encodeObject(QStringLiteral("root"), value);
    return archiver.finish();
}
}  // namespace

TEST(KeyedArchive, DecodesAppleAttributedStrings) {
    REQUIRE_SAMPLES();
    for (const char* name : {"NSAttributedString.archive", "NSMutableAttributedString.archive"}) {
        SCOPED_TRACE(name);
        const ArchiveValue root = decodeRoot(sample(name));
        const RichText* text = root.as<RichText>();
        ASSERT_NE(text, nullptr);
        expectAppleRuns(*text);
    }
}

TEST(KeyedArchive, DecodesAppleComplexDictionary) {
    REQUIRE_SAMPLES();
    const ArchiveValue root = decodeRoot(sample("NSKeyedUnarchiver-ComplexTest.plist"));
    ASSERT_NE(root.toMap(), nullptr);
    EXPECT_EQ(root.value("string")->toString(), QStringLiteral("hello"));
    const ArchiveList* array = root.value("array")->toList();
    ASSERT_NE(array, nullptr);
    ASSERT_EQ(array->items.size(), 4u);
    EXPECT_NE(array->items[0].as<ArchiveNull>(), nullptr);
    EXPECT_EQ(array->items[1].toString(), QStringLiteral("hello"));
    EXPECT_EQ(array->items[2].toInteger(), 34545);
    EXPECT_EQ(array->items[3].value("key")->toString(), QStringLiteral("val"));
    const ArchiveUrl* url = root.value("url")->as<ArchiveUrl>();
    ASSERT_NE(url, nullptr);
    EXPECT_EQ(url->absolute(), QStringLiteral("https://www.swift.org/index.xml"));
    const ArchiveCustom* uuid = root.value("uuid")->as<ArchiveCustom>();
    ASSERT_NE(uuid, nullptr);
    EXPECT_FALSE(std::any_cast<QUuid>(uuid->object).isNull());
}

TEST(KeyedArchive, DecodesAppleXmlUrl) {
    REQUIRE_SAMPLES();
    const ArchiveValue root = decodeRoot(sample("NSKeyedUnarchiver-URLTest.plist"));
    const ArchiveUrl* url = root.as<ArchiveUrl>();
    ASSERT_NE(url, nullptr);
    EXPECT_EQ(url->relative, QStringLiteral("foo.xml"));
    EXPECT_EQ(url->absolute(), QStringLiteral("https://www.example.com/foo.xml"));
}

TEST(KeyedArchive, RichTextWithEveryAttributeKindReadsBackEqual) {
    const RichText text = richSample();
    const ArchiveValue back = decodeRoot(archiveRoot(ArchiveValue(text)));
    ASSERT_NE(back.as<RichText>(), nullptr);
    EXPECT_EQ(*back.as<RichText>(), text);
}

TEST(KeyedArchive, OneRunAndEmptyTextsUseTheShortForms) {
    Attributes plain;
    plain.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    for (const RichText& text : {RichText(), RichText(QStringLiteral("one run"), plain)}) {
        const QByteArray bytes = archiveRoot(ArchiveValue(text));
        EXPECT_FALSE(bytes.contains("NSAttributeInfo"));
        const ArchiveValue back = decodeRoot(bytes);
        ASSERT_NE(back.as<RichText>(), nullptr);
        EXPECT_EQ(*back.as<RichText>(), text);
    }
}

TEST(KeyedArchive, UnknownAttributeValueIsKeptAndWrittenBack) {
    // An attributed string whose attribute value is of a class we do not know.
    KeyedArchiver archiver;
    archiver.registerEncoder("NSShadow", [](KeyedArchiver& a, const std::any&) {
        const auto uid = a.beginObject();
        a.encodeDouble("NSShadowHoriz", 2.5);
        a.encodeObject("NSShadowColor", ArchiveValue(ColorAttribute::grey(0.5)));
        a.endObject(uid, KeyedArchiver::classChain("NSShadow"));
        return uid;
    });
    const auto root = archiver.beginObject();
    archiver.encodeObject("NSString", ArchiveValue(QStringLiteral("shade")));
    archiver.encodeObject("NSAttributes",
                          ArchiveValue::map({{ArchiveValue(QStringLiteral("NSShadow")), ArchiveValue(ArchiveCustom{"NSShadow", 0})}}));
    archiver.endObject(root, KeyedArchiver::classChain("NSAttributedString"));
    archiver.encodeUid("root", root);
    const ArchiveValue first = decodeRoot(archiver.finish());
    ASSERT_NE(first.as<RichText>(), nullptr);
    const auto kept = first.as<RichText>()->attributesAt(0).get<OpaqueAttribute>("NSShadow");
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->format, KeyedOpaqueFormat);
    // Written back and read again: the same object, still opaque.
    const ArchiveValue second = decodeRoot(archiveRoot(first));
    ASSERT_NE(second.as<RichText>(), nullptr);
    EXPECT_EQ(*second.as<RichText>(), *first.as<RichText>());
    const auto tree = readPlist(second.as<RichText>()->attributesAt(0).get<OpaqueAttribute>("NSShadow")->bytes);
    ASSERT_TRUE(tree.ok());
    EXPECT_TRUE(QString::fromUtf8(writeXmlPlist(*tree)).contains("NSShadowHoriz"));
}

TEST(KeyedArchive, UnknownClassOutsideTextIsAClearError) {
    KeyedArchiver archiver;
    const auto uid = archiver.beginObject();
    archiver.endObject(uid, {"NSMysteryBox", "NSObject"});
    archiver.encodeUid("root", uid);
    auto u = KeyedUnarchiver::open(archiver.finish());
    ASSERT_TRUE(u.ok());
    const auto root = (*u)->top().decodeObject(QLatin1StringView("root"));
    ASSERT_FALSE(root.ok());
    EXPECT_EQ(root.error(), QStringLiteral("cannot decode object of class (NSMysteryBox)"));
}

TEST(KeyedArchive, NilAndAbsentKeysAreTold) {
    KeyedArchiver archiver;
    archiver.encodeObject("nothing", ArchiveValue());
    archiver.encodeInteger("count", 3);
    auto u = KeyedUnarchiver::open(archiver.finish());
    ASSERT_TRUE(u.ok());
    const KeyedObject& top = (*u)->top();
    EXPECT_TRUE(top.contains(QLatin1StringView("nothing")));
    EXPECT_TRUE(top.decodeObject(QLatin1StringView("nothing"))->isNil());
    EXPECT_FALSE(top.contains(QLatin1StringView("missing")));
    EXPECT_EQ(top.decodeInteger(QLatin1StringView("count")), 3);
    EXPECT_FALSE(top.decodeInteger(QLatin1StringView("missing")).has_value());
    // An inline value where an object belongs is an error, not a crash.
    EXPECT_FALSE(top.decodeObject(QLatin1StringView("count")).ok());
}

TEST(KeyedArchive, RefusesWrongHeadersAndCycles) {
    auto archive = [](PlistValue::Array objects, PlistValue top, const char* archiver = "NSKeyedArchiver") {
        return writeBinaryPlist(PlistValue(PlistValue::Dictionary{{"$archiver", PlistValue(archiver)},
                                                                  {"$version", PlistValue(100000)},
                                                                  {"$top", std::move(top)},
                                                                  {"$objects", PlistValue(std::move(objects))}}));
    };
    const PlistValue rootIs1(PlistValue::Dictionary{{"root", PlistValue::uid(1)}});
    const PlistValue arrayClass(PlistValue::Dictionary{{"$classname", PlistValue("NSArray")},
                                                       {"$classes", PlistValue(PlistValue::Array{PlistValue("NSArray")})}});
    EXPECT_FALSE(KeyedUnarchiver::open(archive({PlistValue("$null")}, rootIs1, "Other")).ok());
    EXPECT_FALSE(KeyedUnarchiver::open(archive({PlistValue("x")}, rootIs1)).ok());
    EXPECT_FALSE(KeyedUnarchiver::open(writeBinaryPlist(PlistValue(7))).ok());
    // An array that contains itself.
    const PlistValue selfArray(PlistValue::Dictionary{
        {"$class", PlistValue::uid(2)}, {"NS.objects", PlistValue(PlistValue::Array{PlistValue::uid(1)})}});
    auto cyclic = KeyedUnarchiver::open(archive({PlistValue("$null"), selfArray, arrayClass}, rootIs1));
    ASSERT_TRUE(cyclic.ok());
    EXPECT_FALSE((*cyclic)->top().decodeObject(QLatin1StringView("root")).ok());
    // A reference past the end of $objects.
    const PlistValue wild(PlistValue::Dictionary{{"root", PlistValue::uid(99)}});
    auto outOfRange = KeyedUnarchiver::open(archive({PlistValue("$null")}, wild));
    ASSERT_TRUE(outOfRange.ok());
    EXPECT_FALSE((*outOfRange)->top().decodeObject(QLatin1StringView("root")).ok());
}

TEST(KeyedArchive, DeepNestingIsRefusedNotRecursedForever) {
    // 5000 arrays, each holding the next: no cycle, but far too deep.
    PlistValue::Array objects{PlistValue("$null")};
    const int depth = 5000;
    for (int i = 1; i <= depth; ++i) {
        PlistValue::Array items;
        if (i < depth) items.push_back(PlistValue::uid(static_cast<quint64>(i + 1)));
        objects.push_back(PlistValue(PlistValue::Dictionary{{"$class", PlistValue::uid(depth + 1)},
                                                            {"NS.objects", PlistValue(std::move(items))}}));
    }
    objects.push_back(PlistValue(PlistValue::Dictionary{{"$classname", PlistValue("NSArray")}}));
    const QByteArray bytes = writeBinaryPlist(PlistValue(PlistValue::Dictionary{
        {"$archiver", PlistValue("NSKeyedArchiver")},
        {"$version", PlistValue(100000)},
        {"$top", PlistValue(PlistValue::Dictionary{{"root", PlistValue::uid(1)}})},
        {"$objects", PlistValue(std::move(objects))}}));
    auto u = KeyedUnarchiver::open(bytes);
    ASSERT_TRUE(u.ok());
    const auto root = (*u)->top().decodeObject(QLatin1StringView("root"));
    ASSERT_FALSE(root.ok());
    EXPECT_TRUE(root.error().contains("nested")) << root.error().toStdString();
}

TEST(KeyedArchive, KeysMadeAtRunTimeAndEscapedKeysReadBackUnderTheirOwnNames) {
    // Many distinct keys, some sharing characters with earlier ones and some
    // made again after their first copy is gone, and keys beginning with "$".
    KeyedArchiver archiver;
    for (int i = 0; i < 700; ++i) {
        const QString key = QStringLiteral("key%1").arg(i % 600);
        archiver.encodeInteger(i < 600 ? key : QStringLiteral("again%1").arg(i), i);
    }
    const QString dollar = QStringLiteral("$class");
    archiver.encodeInteger(dollar, -1);
    archiver.encodeInteger(dollar.left(3), -2);
    auto u = KeyedUnarchiver::open(archiver.finish());
    ASSERT_TRUE(u.ok());
    const KeyedObject& top = (*u)->top();
    for (int i = 0; i < 600; ++i) {
        const QByteArray key = "key" + QByteArray::number(i);
        EXPECT_EQ(top.decodeInteger(QLatin1StringView(key)), i);
    }
    EXPECT_EQ(top.decodeInteger(QLatin1StringView("again650")), 650);
    EXPECT_EQ(top.decodeInteger(QLatin1StringView("$class")), -1);
    EXPECT_EQ(top.decodeInteger(QLatin1StringView("$cl")), -2);
}
