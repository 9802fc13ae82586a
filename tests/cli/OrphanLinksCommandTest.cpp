#include "cli/CliRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString fieldLink(const QString& target, const QString& text) {
    return QStringLiteral(R"({\field{\*\fldinst{HYPERLINK "%1"}}{\fldrslt %2}})").arg(target, text);
}
}  // namespace

TEST(OrphanLinksCommand, ListsEveryLinkToAMissingSlip) {
    QTemporaryDir dir;
    const QString box = dir.filePath("Links.fendle");
    ASSERT_EQ(runCliForText({"new", box}).status, 0);
    EXPECT_EQ(runCliForText({"orphan-links", box}).out, "");

    const QString rtfPath = dir.filePath("links.rtf");
    QFile rtf(rtfPath);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write(QStringLiteral(R"({\rtf1\ansi{\fonttbl\f0\fswiss Helvetica;}\f0 a %1 b %2 c %3 d %4})")
                  .arg(fieldLink("fendle://1.self", "one"), fieldLink("fendle://99.self", "gone"),
                       fieldLink("fendle://5::file:///elsewhere.fendle", "ext"), fieldLink("fendle://99.self", "again"))
                  .toLatin1());
    rtf.close();
    const CliTextOutcome added = runCliForText({"add", box, "--from", rtfPath});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();

    const CliTextOutcome orphans = runCliForText({"orphan-links", box});
    ASSERT_EQ(orphans.status, 0) << orphans.err.toStdString();
    EXPECT_EQ(orphans.out, "2\t8\t4\tfendle://99.self\n2\t21\t5\tfendle://99.self\n");
    EXPECT_EQ(runCliForText({"orphan-links"}).status, 2);
}
