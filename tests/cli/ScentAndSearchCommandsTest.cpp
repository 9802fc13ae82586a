#include "cli/CliRunner.h"
#include "model/BoxFile.h"
#include "support/Samples.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
struct CliRun {
    int status = -1;
    QStringList lines;
    QByteArray err;
};

CliRun runForLines(const QStringList& arguments, const QByteArray& input = {}) {
    const CliOutcome outcome = runCli(arguments, input);
    QStringList lines = QString::fromUtf8(outcome.out).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return {outcome.status, lines, outcome.err};
}

// A box of a dozen slips with overlapping keywords (besides the empty slip 1
// every box starts with), written to a file.
struct GeneratedBox {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("generated.fendle"));
    BoxData box;
    GeneratedBox() {
        const char* keywords[] = {"red, green", "green, blue", "red, green, blue", "Red", "", "blue, , blue",
                                  "green",      "red",         "yellow",           "red, yellow", "green, red", "x"};
        for (quint32 n = 1; n <= 12; ++n) {
            SlipPtr slip = Slip::create(n * 10);
            slip->setKeywordsString(QString::fromLatin1(keywords[n - 1]));
            slip->setText(RichText(QStringLiteral("Slip %1\nabout %2").arg(n).arg(QString::fromLatin1(keywords[n - 1]))));
            box.setSlip(slip);
        }
        EXPECT_TRUE(BoxFile::writeToURL(box, path).ok());
    }
};
}  // namespace

TEST(KeywordCommands, KeywordsAndKeywordScents) {
    GeneratedBox g;
    EXPECT_EQ(runForLines({QStringLiteral("keywords"), g.path}).lines,
              (QStringList{"blue", "green", "Red", "red", "x", "yellow"}));
    EXPECT_EQ(runForLines({QStringLiteral("keyword-scents"), g.path, QStringLiteral("green")}).lines,
              (QStringList{"blue", "red"}));
    EXPECT_EQ(runForLines({QStringLiteral("keyword-scents"), g.path, QStringLiteral("blue")}).lines,
              (QStringList{"", "green", "red"}));
    const CliRun unknown = runForLines({QStringLiteral("keyword-scents"), g.path, QStringLiteral("purple")});
    EXPECT_EQ(unknown.status, 0);
    EXPECT_TRUE(unknown.lines.isEmpty());
}

TEST(KeywordCommands, KeywordsAndScentsOfTheSampleBox) {
    REQUIRE_SAMPLES();
    const QString sample = test::samplePath(QStringLiteral("keyed/box-small.fendle"));
    EXPECT_EQ(runForLines({QStringLiteral("keywords"), sample}).lines, (QStringList{"a", "b", "c", "long", "runs"}));
    EXPECT_TRUE(runForLines({QStringLiteral("scents"), sample, QStringLiteral("1")}).lines.isEmpty());
}

TEST(KeywordCommands, ScentsListStrongestFirstWithStrengths) {
    GeneratedBox g;
    // Slip 30 (red, green, blue): 110 and 20 share two keywords, 10 two, ...
    const CliRun run = runForLines({QStringLiteral("scents"), g.path, QStringLiteral("30")});
    ASSERT_EQ(run.status, 0);
    QStringList twos, ones;
    for (const QString& line : run.lines) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        ASSERT_EQ(parts.size(), 2);
        (parts[1] == u"2" ? twos : ones).append(parts[0]);
        if (parts[1] == u"2") {
            EXPECT_TRUE(ones.isEmpty()) << "strength 2 after strength 1";
        }
    }
    twos.sort();
    ones.sort();
    EXPECT_EQ(twos, (QStringList{"10", "110", "20", "60"}));  // 60 carries blue twice
    EXPECT_EQ(ones, (QStringList{"100", "70", "80"}));
    const CliRun missing = runForLines({QStringLiteral("scents"), g.path, QStringLiteral("31")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_FALSE(missing.err.isEmpty());
}

TEST(SearchCommand, KeywordShorthandAndRuleFiles) {
    GeneratedBox g;
    EXPECT_EQ(runForLines({QStringLiteral("search"), g.path, QStringLiteral("--keyword"), QStringLiteral("RED")}).lines,
              (QStringList{"10", "30", "40", "80", "100", "110"}));
    const QByteArray rules = R"([{"RowType": 1, "Values": ["None"], "Subrules": [
        {"RowType": 0, "Values": ["keyword", "contains", "e"], "Subrules": []},
        {"RowType": 0, "Values": ["creation date", "is after", "2000-01-01T00:00:00Z"], "Subrules": []}]}])";
    EXPECT_EQ(runForLines({QStringLiteral("search"), g.path, QStringLiteral("-")}, rules).lines, QStringList());
    const QByteArray anyText = R"([{"RowType": 1, "Values": ["Any"], "Subrules": [
        {"RowType": 0, "Values": ["text", "matches", "(?s)slip 1\\d.*"], "Subrules": []},
        {"RowType": 0, "Values": ["slip ID", "<", 21], "Subrules": []}]}])";
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("rules.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(anyText);
    file.close();
    EXPECT_EQ(runForLines({QStringLiteral("search"), g.path, file.fileName()}).lines,
              (QStringList{"1", "10", "20", "100", "110", "120"}));
}

TEST(SearchCommand, BadInputIsReportedNotFatal) {
    GeneratedBox g;
    const CliRun notJson = runForLines({QStringLiteral("search"), g.path, QStringLiteral("-")}, "{\"RowType\": 1");
    EXPECT_EQ(notJson.status, 2);
    EXPECT_TRUE(notJson.err.contains("JSON"));
    const CliRun badRegex = runForLines({QStringLiteral("search"), g.path, QStringLiteral("-")},
                                R"([{"RowType": 0, "Values": ["keyword", "matches", "(x"], "Subrules": []}])");
    EXPECT_EQ(badRegex.status, 0);
    EXPECT_TRUE(badRegex.lines.isEmpty());
    EXPECT_TRUE(badRegex.err.contains("matches raised exception: "));
    EXPECT_EQ(runForLines({QStringLiteral("search"), g.path}).status, 2);
    EXPECT_EQ(runForLines({QStringLiteral("search"), g.path, QStringLiteral("/nonexistent/rules.json")}).status, 2);
}
