#include "platform/plist/BinaryPlistReader.h"
#include "platform/plist/BinaryPlistWriter.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
PlistValue sampleTree() {
    return PlistValue(PlistValue::Dictionary{
        {"ascii", PlistValue("hello")},
        {"unicode", PlistValue(QStringLiteral("Grüße 😀"))},
        {"long", PlistValue(QString(40, QLatin1Char('x')))},
        {"small", PlistValue(7)},
        {"negative", PlistValue(qint64(-5))},
        {"big", PlistValue(qint64(1) << 40)},
        {"huge", PlistValue::unsignedInteger(std::numeric_limits<quint64>::max())},
        {"real", PlistValue(0.1)},
        {"flag", PlistValue(true)},
        {"data", PlistValue(QByteArray("\x00\x01\xff", 3))},
        {"uid", PlistValue::uid(300)},
        {"date", PlistValue::dateFromSeconds(258736166.5)},
        {"array", PlistValue(PlistValue::Array{PlistValue("hello"), PlistValue("hello"), PlistValue(PlistValue::Array{})})},
    });
}

// A minimal file around hand-made object bytes: offsets are 1 byte, refs 1 byte.
QByteArray handMade(const std::vector<QByteArray>& objects, quint64 top = 0, quint64 countOverride = 0) {
    QByteArray out("bplist00");
    std::vector<int> offsets;
    for (const QByteArray& o : objects) {
        offsets.push_back(static_cast<int>(out.size()));
        out.append(o);
    }
    const auto table = out.size();
    for (int offset : offsets) out.append(static_cast<char>(offset));
    QByteArray trailer(32, '\0');
    trailer[6] = 1;
    trailer[7] = 1;
    const quint64 count = countOverride ? countOverride : objects.size();
    for (int i = 0; i < 8; ++i) {
        trailer[8 + i] = static_cast<char>(count >> (56 - 8 * i));
        trailer[16 + i] = static_cast<char>(top >> (56 - 8 * i));
        trailer[24 + i] = static_cast<char>(static_cast<quint64>(table) >> (56 - 8 * i));
    }
    return out + trailer;
}
}  // namespace

TEST(BinaryPlist, WriterOutputReadsBackEqual) {
    const PlistValue tree = sampleTree();
    const auto back = readBinaryPlist(writeBinaryPlist(tree));
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_EQ(*back, tree);
}

TEST(BinaryPlist, EqualScalarsAreStoredOnce) {
    BinaryPlistWriter writer;
    EXPECT_EQ(writer.addString("same"), writer.addString("same"));
    EXPECT_EQ(writer.addInteger(42), writer.addInteger(42));
    EXPECT_NE(writer.addInteger(42), writer.addReal(42.0));
    EXPECT_NE(writer.addString("a"), writer.addString("b"));
}

// Enough values to grow the table of unique scalars several times, and
// containers long enough to need a count after their marker.
TEST(BinaryPlist, ManyScalarsStayUniqueAndBigContainersReadBack) {
    BinaryPlistWriter writer;
    writer.reserve(16);  // a hint far too small must not matter
    std::vector<BinaryPlistWriter::Ref> first, again, keys;
    for (int i = 0; i < 5000; ++i) first.push_back(writer.addString(QStringLiteral("key %1").arg(i)));
    for (int i = 0; i < 5000; ++i) again.push_back(writer.addString(QStringLiteral("key %1").arg(i)));
    EXPECT_EQ(first, again);
    std::vector<BinaryPlistWriter::Ref> values;
    for (int i = 0; i < 5000; ++i) values.push_back(writer.addInteger(i * 1000));
    const auto array = writer.addArray(values);
    const auto dictionary = writer.addDictionary(first, values);
    const BinaryPlistWriter::Ref pair[] = {array, dictionary};
    const auto back = readBinaryPlist(writer.finish(writer.addArray(pair)));
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    ASSERT_EQ(back->array().size(), 2u);
    const auto& items = back->array()[0].array();
    const auto& entries = back->array()[1].dictionary();
    ASSERT_EQ(items.size(), 5000u);
    ASSERT_EQ(entries.size(), 5000u);
    for (int i = 0; i < 5000; i += 499) {
        EXPECT_EQ(items[i].toInteger(), i * 1000);
        EXPECT_EQ(entries[i].first, QStringLiteral("key %1").arg(i));
        EXPECT_EQ(entries[i].second.toInteger(), i * 1000);
    }
}

TEST(BinaryPlist, ReservedObjectNeverFilledReadsAsFalse) {
    BinaryPlistWriter writer;
    const auto hole = writer.reserveObject();
    const auto filled = writer.reserveObject();
    const BinaryPlistWriter::Ref items[] = {writer.addString("a"), hole};
    writer.setArray(filled, items);
    const auto back = readBinaryPlist(writer.finish(filled));
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_EQ(*back, PlistValue(PlistValue::Array{PlistValue("a"), PlistValue(false)}));
}

TEST(BinaryPlist, ReadsLazilyThroughLookup) {
    const auto bytes = writeBinaryPlist(sampleTree());
    auto reader = BinaryPlistReader::open(bytes);
    ASSERT_TRUE(reader.ok());
    const auto top = reader->object(reader->topObject());
    ASSERT_TRUE(top.ok());
    const auto unicode = reader->lookup(*top, QLatin1StringView("unicode"));
    ASSERT_TRUE(unicode.has_value());
    EXPECT_EQ(reader->string(*reader->object(*unicode)), QStringLiteral("Grüße 😀"));
    EXPECT_FALSE(reader->lookup(*top, QLatin1StringView("absent")).has_value());
}

TEST(BinaryPlist, RefusesDamagedFiles) {
    const QByteArray good = writeBinaryPlist(sampleTree());
    EXPECT_FALSE(readBinaryPlist(QByteArray()).ok());
    EXPECT_FALSE(readBinaryPlist("bplist00").ok());
    EXPECT_FALSE(readBinaryPlist("not a plist at all, just words").ok());
    for (qsizetype cut = 0; cut < good.size(); cut += 7) EXPECT_FALSE(readBinaryPlist(good.left(cut)).ok()) << cut;
    // Object count far beyond the offset table.
    EXPECT_FALSE(readBinaryPlist(handMade({QByteArray("\x09", 1)}, 0, 1ull << 60)).ok());
    // Top object out of range.
    EXPECT_FALSE(readBinaryPlist(handMade({QByteArray("\x09", 1)}, 5)).ok());
    // A string claiming more bytes than there are.
    EXPECT_FALSE(readBinaryPlist(handMade({QByteArray("\x5f\x13\xff\xff", 4)})).ok());
    // An array whose element reference points nowhere.
    EXPECT_FALSE(readBinaryPlist(handMade({QByteArray("\xa1\x07", 2)})).ok());
}

TEST(BinaryPlist, SelfContainingArrayIsRefusedNotFollowedForever) {
    // Object 0 is an array holding object 0.
    const auto result = readBinaryPlist(handMade({QByteArray("\xa1\x00", 2)}));
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().contains("nested")) << result.error().toStdString();
}

TEST(BinaryPlist, ExponentialSharingIsCapped) {
    // Each array holds the next one twice: 2^40 leaves if expanded naively.
    std::vector<QByteArray> objects;
    for (int i = 0; i < 40; ++i) {
        QByteArray a("\xa2", 1);
        a.append(static_cast<char>(i + 1));
        a.append(static_cast<char>(i + 1));
        objects.push_back(a);
    }
    objects.push_back(QByteArray("\x09", 1));
    const auto result = readBinaryPlist(handMade(objects));
    EXPECT_FALSE(result.ok());
}
