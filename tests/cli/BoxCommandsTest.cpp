#include "platform/system/DateUtils.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "support/Samples.h"

using namespace fendle;

namespace {
QString sampleBox() { return test::samplePath(QStringLiteral("keyed/box-small.fendle")); }

QJsonObject expectedContent() {
    return QJsonDocument::fromJson(test::sampleBytes(QStringLiteral("keyed/box-small.json"))).object();
}

QString isoTime(const QJsonValue& seconds) {
    return dateFromReferenceSeconds(seconds.toDouble()).toUTC().toString(Qt::ISODateWithMs);
}

QJsonValue orNull(const QJsonValue& v) { return v.isUndefined() ? QJsonValue(QJsonValue::Null) : v; }

// The short text form the dump gives for an attribute of the sample's JSON.
QJsonValue expectedAttribute(const QString& name, const QJsonValue& value) {
    const QJsonObject o = value.toObject();
    if (name == "NSFont") return QStringLiteral("%1 %2").arg(o["name"].toString()).arg(o["size"].toDouble());
    if (name == "NSLink") return o["relative"].toString();
    if (name == "NSColor") return QStringLiteral("rgb %1 1").arg(o["text"].toString());
    return value;
}

void compareSlips(const QJsonObject& expectedSlips, const QJsonArray& dumped) {
    ASSERT_EQ(dumped.size(), expectedSlips.size());
    for (const QJsonValue& entry : dumped) {
        const QJsonObject slip = entry.toObject();
        const QString key = slip["key"].toString();
        SCOPED_TRACE(key.toStdString());
        ASSERT_TRUE(expectedSlips.contains(key));
        const QJsonObject expected = expectedSlips[key].toObject();
        const QString text = expected["text"].toObject()["string"].toString();
        EXPECT_EQ(slip["text"].toString(), text);
        EXPECT_EQ(slip["title"].toString(), text.section('\n', 0, 0));
        QJsonArray keywords;
        for (const QString& k : expected["keywords"].toString().split(',')) keywords.append(k.trimmed());
        EXPECT_EQ(slip["keywords"].toArray(), keywords);
        EXPECT_EQ(slip["source"], orNull(expected["source"]));
        EXPECT_EQ(slip["type"], orNull(expected["slipType"]));
        EXPECT_EQ(slip["author"], orNull(expected["author"]));
        EXPECT_EQ(slip["created"].toString(), isoTime(expected["creationTime"]));
        EXPECT_EQ(slip["modified"].toString(), isoTime(expected["lastModificationTime"]));
        EXPECT_EQ(slip["flagged"], expected["flagged"]);
        EXPECT_EQ(slip["appendedText"], orNull(expected["appendedText"]));
        EXPECT_EQ(slip["mobileBits"].toInt(), expected["modificationByMobileVersion"].toInt());
        const QJsonArray runs = slip["runs"].toArray();
        const QJsonArray expectedRuns = expected["text"].toObject()["runs"].toArray();
        ASSERT_EQ(runs.size(), expectedRuns.size());
        for (qsizetype i = 0; i < runs.size(); ++i) {
            const QJsonObject run = runs[i].toObject();
            const QJsonObject want = expectedRuns[i].toObject();
            EXPECT_EQ(run["location"].toInt(), want["start"].toInt()) << i;
            EXPECT_EQ(run["length"].toInt(), want["length"].toInt()) << i;
            const QJsonObject attributes = want["attributes"].toObject();
            EXPECT_EQ(run["attributes"].toObject().keys(), attributes.keys()) << i;
            for (const QString& name : attributes.keys())
                EXPECT_EQ(run["attributes"].toObject()[name], expectedAttribute(name, attributes[name])) << i;
        }
    }
}
}  // namespace

TEST(BoxCommands, DumpOfTheSampleBoxMatchesItsJson) {
    REQUIRE_SAMPLES();
    const CliOutcome outcome = runCli({"dump", sampleBox(), "--runs"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    compareSlips(expectedContent()["slips"].toObject(), QJsonDocument::fromJson(outcome.out).array());
    const CliOutcome trash = runCli({"dump", "--runs", "--trash", sampleBox()});
    ASSERT_EQ(trash.status, 0) << trash.err.toStdString();
    compareSlips(expectedContent()["deletedSlips"].toObject(), QJsonDocument::fromJson(trash.out).array());
}

TEST(BoxCommands, InfoNamesFormAndCounts) {
    REQUIRE_SAMPLES();
    const CliOutcome outcome = runCli({"info", sampleBox()});
    ASSERT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "form: keyed\nslips: 3\ntrashed slips: 1\nlast number: 9\nzoom factor: 125\nsaved searches: 1\n");
}

TEST(BoxCommands, NewAndConvertWriteBoxesThatReadBack) {
    REQUIRE_SAMPLES();
    QTemporaryDir dir;
    const QString fresh = dir.filePath("New.fendle");
    ASSERT_EQ(runCli({"new", fresh}).status, 0);
    EXPECT_TRUE(runCli({"info", fresh}).out.contains("slips: 1\n"));
    EXPECT_EQ(runCli({"new", fresh}).status, 2);  // never replaces a box

    const QString older = dir.filePath("Older.fendle");
    ASSERT_EQ(runCli({"convert", "--older-form", sampleBox(), older}).status, 0);
    const CliOutcome olderInfo = runCli({"info", older});
    EXPECT_TRUE(olderInfo.out.startsWith("form: sequential\nslips: 3\ntrashed slips: 1\n")) << olderInfo.out.toStdString();
    const QString back = dir.filePath("Back.fendle");
    ASSERT_EQ(runCli({"convert", older, back}).status, 0);
    const CliOutcome dumpBack = runCli({"dump", back});
    const CliOutcome dumpOlder = runCli({"dump", older});
    EXPECT_EQ(dumpBack.out, dumpOlder.out);
    EXPECT_TRUE(runCli({"info", back}).out.startsWith("form: keyed\n"));
}

TEST(BoxCommands, HostileFilesAreRefusedWithStatusTwo) {
    QTemporaryDir dir;
    const QString fresh = dir.filePath("New.fendle");
    ASSERT_EQ(runCli({"new", fresh}).status, 0);
    QFile made(fresh);
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    const QByteArray good = made.readAll();
    QByteArray random(4096, '\0');
    QRandomGenerator generator(7);
    for (char& c : random) c = static_cast<char>(generator.bounded(256));
    QByteArray selfReferencing = "bplist00";
    selfReferencing += QByteArray("\xa1\x00", 2);  // an array holding itself
    selfReferencing += QByteArray("\x08", 1);
    QByteArray trailer(32, '\0');
    trailer[6] = 1;
    trailer[7] = 1;
    trailer[15] = 1;
    trailer[31] = 10;
    selfReferencing += trailer;
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", QByteArray()},
        {"truncated", good.left(good.size() / 2)},
        {"random", random},
        {"bplist-random", QByteArray("bplist00") + random},
        {"self", selfReferencing},
        {"typedstream-truncated", QByteArray("\x04\x0bstreamtyped\x81\xe8\x03\x84\x01@\x84", 20)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const CliOutcome outcome = runCli({"dump", path});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.err.contains("fendle-cli: ")) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
    }
    EXPECT_EQ(runCli({"dump", dir.filePath("missing")}).status, 2);
    EXPECT_EQ(runCli({"dump", fresh, "--bogus"}).status, 2);
    EXPECT_EQ(runCli({"info"}).status, 2);
}
