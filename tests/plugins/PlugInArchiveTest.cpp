#include "CraftedArchive.h"
#include "PlugInFixture.h"
#include "plugins/PlugInArchive.h"

#include <QDirIterator>
#include <QTemporaryDir>

namespace fendle::test {
namespace {

class PlugInArchiveTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    // The plug-ins folder sits one level down, so that anything written
    // beside it or above it shows.
    QString plugIns = dir.filePath("data/PlugIns");
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(plugIns)); }

    QStringList everythingBelow(const QString& folder) const {
        QStringList found;
        QDirIterator walk(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                          QDirIterator::Subdirectories);
        while (walk.hasNext()) found.append(walk.next().mid(folder.size() + 1));
        found.sort();
        return found;
    }
};

TEST_F(PlugInArchiveTest, APackedBundleInstallsWithItsFilesLinksAndExecutableBits) {
    const QString source = installPlugIn("Menus", dir.filePath("source"));
    ASSERT_TRUE(QFile::link("Info.plist", source + "/Contents/Link.plist"));
    const Result<QByteArray> archive = PlugInArchive::pack(source, "testmenus");
    ASSERT_TRUE(archive) << archive.error().toStdString();
    EXPECT_EQ(*PlugInArchive::check(*archive), "testmenus.fdlplugin");

    const Result<QString> installed = PlugInArchive::install(*archive, plugIns, "testmenus");
    ASSERT_TRUE(installed) << installed.error().toStdString();
    EXPECT_EQ(*installed, plugIns + "/testmenus.fdlplugin");
    EXPECT_EQ(everythingBelow(plugIns),
              (QStringList{"testmenus.fdlplugin", "testmenus.fdlplugin/Contents", "testmenus.fdlplugin/Contents/Info.plist",
                           "testmenus.fdlplugin/Contents/Link.plist", "testmenus.fdlplugin/Contents/Linux",
                           "testmenus.fdlplugin/Contents/Linux/Menus.so"}));
    EXPECT_TRUE(QFileInfo(*installed + "/Contents/Linux/Menus.so").isExecutable());
    EXPECT_EQ(QFileInfo(*installed + "/Contents/Link.plist").symLinkTarget(), QFileInfo(*installed + "/Contents/Info.plist").absoluteFilePath());
    const Result<PlugInBundle> bundle = PlugInBundle::open(*installed);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->identifier(), MenusIdentifier);
    EXPECT_TRUE(bundle->principalClass());
}

TEST_F(PlugInArchiveTest, AnInstalledCopyIsReplacedAndAWrongBundleNameIsRefused) {
    const QByteArray archive = CraftedArchive().folder("x.fdlplugin").file("x.fdlplugin/new", "2").bytes();
    ASSERT_TRUE(QDir().mkpath(plugIns + "/x.fdlplugin/old"));
    ASSERT_TRUE(PlugInArchive::install(archive, plugIns, "x"));
    EXPECT_EQ(everythingBelow(plugIns), (QStringList{"x.fdlplugin", "x.fdlplugin/new"}));

    const Result<QString> other = PlugInArchive::install(archive, plugIns, "y");
    ASSERT_FALSE(other);
    EXPECT_EQ(other.error(), "the archive holds x.fdlplugin instead of y.fdlplugin");
}

struct HostileCase {
    const char* name;
    QByteArray archive;
    const char* reason;
    friend void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }
};

class HostileArchiveTest : public PlugInArchiveTest, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchiveTest, IsRefusedWholeAndWritesNothing) {
    const Result<QString> checked = PlugInArchive::check(GetParam().archive);
    ASSERT_FALSE(checked);
    EXPECT_TRUE(checked.error().contains(GetParam().reason)) << checked.error().toStdString();
    EXPECT_FALSE(PlugInArchive::install(GetParam().archive, plugIns, "x"));
    EXPECT_EQ(everythingBelow(dir.path()), (QStringList{"data", "data/PlugIns"}));
}

CraftedArchive bundleWith() { return CraftedArchive().folder("x.fdlplugin").file("x.fdlplugin/ok"); }

CraftedArchive entryBomb() {
    CraftedArchive archive = bundleWith();
    for (int i = 0; i <= PlugInArchive::MaxEntries; ++i) archive.folder(QStringLiteral("x.fdlplugin/%1").arg(i));
    return archive;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, HostileArchiveTest,
    ::testing::Values(
        HostileCase{"dot-dot", bundleWith().file("x.fdlplugin/../../evil").bytes(), "outside the plug-ins folder"},
        HostileCase{"leading dot-dot", CraftedArchive().file("../evil").bytes(), "outside the plug-ins folder"},
        HostileCase{"absolute", bundleWith().file("/tmp/evil").bytes(), "outside the plug-ins folder"},
        HostileCase{"link up", bundleWith().link("x.fdlplugin/up", "../../..").bytes(), "links out of the bundle"},
        HostileCase{"absolute link", bundleWith().link("x.fdlplugin/etc", "/etc").bytes(), "links out of the bundle"},
        HostileCase{"bundle as link", CraftedArchive().link("x.fdlplugin", "y").bytes(), "is not a folder"},
        HostileCase{"hard link", bundleWith().hardLink("x.fdlplugin/h", "/etc/passwd").bytes(), "is a hard link"},
        HostileCase{"device", bundleWith().device("x.fdlplugin/dev").bytes(), "no file, folder or link"},
        HostileCase{"pipe", bundleWith().fifo("x.fdlplugin/pipe").bytes(), "no file, folder or link"},
        HostileCase{"second top folder", bundleWith().file("y.fdlplugin/z").bytes(), "not inside one plug-in bundle"},
        HostileCase{"no bundle folder", CraftedArchive().file("readme").bytes(), "not inside one plug-in bundle"},
        HostileCase{"entry bomb", entryBomb().bytes(), "too many entries"},
        HostileCase{"huge entry", CraftedArchive::announcing("x.fdlplugin/big", PlugInArchive::MaxUnpackedSize + 1),
                    "unpacks too large"},
        HostileCase{"not an archive", QByteArray("<html>Not Found</html>"), ""},
        HostileCase{"empty", QByteArray(), ""}));

}  // namespace
}  // namespace fendle::test
