// The command-line hosts of the build tree: the cache-file and box
// thumbnailers and the preview command.
#include "BoxFiles.h"
#include "BuiltModule.h"
#include "CacheFileWriter.h"
#include "IsolatedRun.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class ProgramsTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    IsolatedRun isolated;
    QString cacheFile = writeCacheFile(folder, QStringLiteral("Notes12.fdlcache"));

    QString output(const char* name) const { return folder.filePath(QLatin1String(name)); }
    void TearDown() override { EXPECT_EQ(isolated.leftovers(), QStringList()); }
};

TEST_F(ProgramsTest, TheThumbnailerWritesWhatTheModuleDraws) {
    const auto& generator = builtGenerator();
    ASSERT_TRUE(generator);
    const auto expected = generator->thumbnail(fileUrl(cacheFile), FL_CACHE_FILE_CONTENT_TYPE, {128, 128});
    ASSERT_TRUE(expected);
    // File managers pass an address or a path.
    for (const QString& input : {QString::fromUtf8(fileUrl(cacheFile)), cacheFile}) {
        const ProgramOutcome outcome =
            isolated.run(builtProgram("fendlelook-thumbnailer"), {"-s", "128", input, output("t.png")});
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        const QImage written(output("t.png"));
        EXPECT_EQ(written.size(), QSize(128, 128));
        EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32_Premultiplied), *expected);
        QFile::remove(output("t.png"));
    }
}

TEST_F(ProgramsTest, TheThumbnailerWritesNothingForAnUnreadableFile) {
    const QString garbage = writeBytes(folder, QStringLiteral("garbage.fdlcache"), "not a list");
    const ProgramOutcome outcome = isolated.run(builtProgram("fendlelook-thumbnailer"), {"-s", "128", garbage, output("t.png")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(QFile::exists(output("t.png")));
}

TEST_F(ProgramsTest, ThumbnailersRefuseIncompleteCommandLines) {
    const std::vector<QStringList> commandLines = {
        {cacheFile, output("t.png")},
        {"-s", "0", cacheFile, output("t.png")},
        {"-s", "5000", cacheFile, output("t.png")},
        {"-s", "big", cacheFile, output("t.png")},
        {"-s", "128", cacheFile},
        {"-s", "128", cacheFile, output("t.png"), output("u.png")},
        {"-s", "128", "http://example.org/x.fdlcache", output("t.png")},
        {"-s"},
    };
    for (const char* program : {"fendlelook-thumbnailer", "fendle-box-thumbnailer"}) {
        for (const QStringList& arguments : commandLines) {
            SCOPED_TRACE(arguments.join(u' ').toStdString());
            const ProgramOutcome outcome = isolated.run(builtProgram(program), arguments);
            EXPECT_EQ(outcome.status, 2);
            EXPECT_TRUE(outcome.err.contains("usage:"));
        }
    }
    EXPECT_FALSE(QFile::exists(output("t.png")));
}

TEST_F(ProgramsTest, ThePreviewCommandWritesTheModulesRtf) {
    const auto& generator = builtGenerator();
    ASSERT_TRUE(generator);
    const auto expected = generator->preview(fileUrl(cacheFile), FL_CACHE_FILE_CONTENT_TYPE);
    ASSERT_TRUE(expected);
    ProgramOutcome outcome = isolated.run(builtProgram("fendlelook-preview"), {cacheFile, "-o", output("p.rtf")});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    QFile written(output("p.rtf"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), expected->data);

    outcome = isolated.run(builtProgram("fendlelook-preview"), {cacheFile});
    ASSERT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, expected->data);
    EXPECT_EQ(isolated.run(builtProgram("fendlelook-preview"), {}).status, 2);
}

TEST_F(ProgramsTest, TheBoxThumbnailerDrawsBoxesInEitherForm) {
    const QString keyed = writeBox(folder, QStringLiteral("Notes.fendle"), threeSlipBox());
    const QString older = folder.filePath(QStringLiteral("Older"));
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(BoxFile::olderFormRepresentation(threeSlipBox()));
    file.close();
    for (const QString& box : {keyed, older}) {
        SCOPED_TRACE(box.toStdString());
        const ProgramOutcome outcome = isolated.run(builtProgram("fendle-box-thumbnailer"), {"-s", "256", box, output("b.png")});
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        EXPECT_EQ(QImage(output("b.png")).size(), QSize(256, 256));
        QFile::remove(output("b.png"));
    }
    const ProgramOutcome refused = isolated.run(builtProgram("fendle-box-thumbnailer"), {"-s", "256", cacheFile, output("b.png")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(QFile::exists(output("b.png")));
}

}  // namespace
