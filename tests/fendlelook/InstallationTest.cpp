// Installs the build into a staging folder, as a package would, and checks
// it the way a desktop sees it: file types, the program's entry and
// AppStream record, and the thumbnailers run from their installed place.
#include "support/BuildPaths.h"
#include "BoxFiles.h"
#include "CacheFileWriter.h"
#include "IsolatedRun.h"

#include <QImage>


using namespace fendle;
using namespace fendle::test;

namespace {

const QString Prefix = QStringLiteral("/usr/local");

// A key of a desktop-entry style file (the program's entry, a .thumbnailer).
QString entryValue(const QString& file, const QString& key) {
    QFile entry(file);
    if (!entry.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : entry.readAll().split('\n'))
        if (line.startsWith(key.toUtf8() + '=')) return QString::fromUtf8(line.mid(key.size() + 1));
    return {};
}

ProgramOutcome runTool(const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        ADD_FAILURE() << program.toStdString() << " did not finish";
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

class InstallationTest : public ::testing::Test {
protected:
    static inline QTemporaryDir* stage = nullptr;

    static void SetUpTestSuite() {
        stage = new QTemporaryDir;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), stage->path());
        const ProgramOutcome installed = runTool(QStringLiteral("cmake"),
            {"--install", fendle::test::binaryFolder(), "--prefix", Prefix}, environment);
        ASSERT_EQ(installed.status, 0) << installed.out.toStdString() << installed.err.toStdString();
        const ProgramOutcome cached = runTool(QStringLiteral("update-mime-database"), {installedPath("share/mime")});
        ASSERT_EQ(cached.status, 0) << cached.err.toStdString();
    }
    static void TearDownTestSuite() {
        delete stage;
        stage = nullptr;
    }
    static QString installedPath(const QString& piece) { return stage->path() + Prefix + u'/' + piece; }
    QString installed(const QString& piece) const { return installedPath(piece); }

    QTemporaryDir files;
};

TEST_F(InstallationTest, EveryPieceLandsWhereTheDesktopLooksForIt) {
    for (const char* piece : {"bin/fendle", "bin/fendle-cli", "bin/fendlelook-thumbnailer", "bin/fendlelook-preview",
                              "bin/fendle-box-thumbnailer",
                              "lib/fendle/FendleLook.qlgenerator/Contents/Info.plist",
                              "lib/fendle/FendleLook.qlgenerator/Contents/Linux/FendleLook.so",
                              "lib/fendle/FendleLook.qlgenerator/Contents/Resources/background.tif",
                              "share/applications/fendle.desktop", "share/mime/packages/fendle.xml",
                              "share/thumbnailers/fendlelook.thumbnailer", "share/thumbnailers/fendle-box.thumbnailer",
                              "share/icons/hicolor/scalable/apps/fendle.svg",
                              "share/icons/hicolor/scalable/mimetypes/application-x-fendle-box.svg",
                              "share/icons/hicolor/scalable/mimetypes/application-x-fendle-fdlcache.svg",
                              "share/metainfo/com.quorvel.fendle.metainfo.xml"})
        EXPECT_TRUE(QFileInfo(installed(QLatin1String(piece))).isFile()) << piece;
    EXPECT_TRUE(QFileInfo(installed(QStringLiteral("lib/fendle/PlugIns"))).isDir());
}

// xdg-mime asks the `mimetype` tool on an unnamed desktop and GIO on GNOME;
// both must see the types, by name and, for boxes without one, by content.
TEST_F(InstallationTest, FileTypesAreKnownByNameAndByContent) {
    const BoxData box = threeSlipBox();
    const QString keyed = writeBox(files, QStringLiteral("Notes.fendle"), box);
    QFile::copy(keyed, files.filePath(QStringLiteral("NotesWithoutExtension")));
    writeBytes(files, QStringLiteral("OlderWithoutExtension"), BoxFile::olderFormRepresentation(box));
    writeCacheFile(files, QStringLiteral("Notes12.fdlcache"));
    writeBytes(files, QStringLiteral("OtherPropertyList"), "bplist00\xd1\x01\x02QaQb\x08\x0b\x0d");
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"Notes.fendle", "application/x-fendle-box"},
        {"NotesWithoutExtension", "application/x-fendle-box"},
        {"OlderWithoutExtension", "application/x-fendle-box"},
        {"Notes12.fdlcache", "application/x-fendle-fdlcache"},
    };
    QTemporaryDir emptyDataHome;
    for (const char* desktop : {"", "GNOME"}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), installed(QStringLiteral("share")) + QStringLiteral(":/usr/share"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), emptyDataHome.path());
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QLatin1String(desktop));
        environment.remove(QStringLiteral("DE"));
        const auto typeOf = [&](const char* name) {
            const ProgramOutcome outcome = runTool(QStringLiteral("xdg-mime"),
                                                   {"query", "filetype", files.filePath(QLatin1String(name))}, environment);
            return outcome.out.trimmed();
        };
        for (const auto& [name, type] : expected) EXPECT_EQ(typeOf(name), QByteArray(type)) << desktop << " " << name;
        EXPECT_FALSE(typeOf("OtherPropertyList").startsWith("application/x-fendle")) << desktop;
    }
}

TEST_F(InstallationTest, TheEntryAndTheAppStreamRecordValidate) {
    const ProgramOutcome entry =
        runTool(QStringLiteral("desktop-file-validate"), {installed(QStringLiteral("share/applications/fendle.desktop"))});
    EXPECT_EQ(entry.status, 0) << entry.out.toStdString() << entry.err.toStdString();
    EXPECT_TRUE(entry.out.isEmpty()) << entry.out.toStdString();
    const ProgramOutcome record = runTool(QStringLiteral("appstreamcli"),
        {"validate", "--no-net", installed(QStringLiteral("share/metainfo/com.quorvel.fendle.metainfo.xml"))});
    EXPECT_EQ(record.status, 0) << record.out.toStdString() << record.err.toStdString();

    const QString desktopEntry = installed(QStringLiteral("share/applications/fendle.desktop"));
    const QStringList mimeTypes = entryValue(desktopEntry, QStringLiteral("MimeType")).split(u';');
    EXPECT_TRUE(mimeTypes.contains(QStringLiteral("application/x-fendle-box")));
    EXPECT_TRUE(mimeTypes.contains(QStringLiteral("application/x-fendle-fdlcache")));
    EXPECT_EQ(entryValue(desktopEntry, QStringLiteral("Exec")), Prefix + QStringLiteral("/bin/fendle %U"));
}

// The command a file manager would run, from the installed .thumbnailer file.
QStringList thumbnailerCommand(const QString& file, const QString& stagePath, const QString& input, int size,
                               const QString& output) {
    const QStringList exec = entryValue(file, QStringLiteral("Exec")).split(u' ');
    QStringList command;
    for (const QString& word : exec) {
        if (word == QStringLiteral("%s")) command.append(QString::number(size));
        else if (word == QStringLiteral("%u")) command.append(QString::fromUtf8(fileUrl(input)));
        else if (word == QStringLiteral("%o")) command.append(output);
        else command.append(word);
    }
    if (!command.isEmpty()) command.first().prepend(stagePath);  // the stage stands in for the root
    return command;
}

TEST_F(InstallationTest, TheInstalledThumbnailersRunWithAnEmptyHome) {
    const QString cacheFile = writeCacheFile(files, QStringLiteral("Notes12.fdlcache"));
    const QString box = writeBox(files, QStringLiteral("Notes.fendle"), threeSlipBox());
    for (const auto& [thumbnailer, input, mimeType] :
         {std::tuple{"fendlelook.thumbnailer", cacheFile, "application/x-fendle-fdlcache"},
          std::tuple{"fendle-box.thumbnailer", box, "application/x-fendle-box"}}) {
        SCOPED_TRACE(thumbnailer);
        const QString file = installed(QStringLiteral("share/thumbnailers/") + QLatin1String(thumbnailer));
        EXPECT_EQ(entryValue(file, QStringLiteral("MimeType")), QLatin1String(mimeType) + u';');

        IsolatedRun isolated;
        const QString output = files.filePath(QStringLiteral("thumbnail.png"));
        const QStringList command = thumbnailerCommand(file, stage->path(), input, 256, output);
        ASSERT_GE(command.size(), 2);
        const ProgramOutcome outcome = isolated.run(command.first(), command.mid(1));
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        EXPECT_EQ(QImage(output).size(), QSize(256, 256));
        EXPECT_EQ(isolated.leftovers(), QStringList());
        QFile::remove(output);
    }
}

}  // namespace
