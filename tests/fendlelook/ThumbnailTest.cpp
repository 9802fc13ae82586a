// Thumbnails made by the built module: what they show, their size, and what
// happens without a file, a background or the cache-file type.
#include "BuiltModule.h"
#include "CacheFileWriter.h"
#include "ReferenceThumbnail.h"
#include "fendlelook/host/ThumbnailRequest.h"

#include <thread>

using namespace fendle;
using namespace fendle::test;

namespace {

const QString Header = QStringLiteral("File: Notes\nSlip: 12\nSource: https://example.org/cards\n\n");

std::optional<QImage> thumbnailOf(const QString& path, QSizeF maximumSize = {800, 800},
                                  const QByteArray& contentType = FL_CACHE_FILE_CONTENT_TYPE) {
    const auto& generator = builtGenerator();
    if (!generator) return std::nullopt;
    return generator->thumbnail(fileUrl(path), contentType, maximumSize);
}

// Words, so that the lines wrap as slip texts do.
QString wordsOfLength(qsizetype length) {
    QString text;
    while (text.size() < length) text += QStringLiteral("word ");
    text.truncate(length - 1);
    return text + u'z';
}

TEST(ThumbnailTest, AThousandCharactersAreShownWhole) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.text = wordsOfLength(1000);
    const auto thumbnail = thumbnailOf(writeCacheFile(folder, QStringLiteral("t.fdlcache"), fields));
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(*thumbnail, referenceThumbnail(thumbnailText(Header, fields.text), {800, 800}));
}

TEST(ThumbnailTest, LongerTextsShow999CharactersAndAnEllipsis) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.text = wordsOfLength(1001);
    const auto thumbnail = thumbnailOf(writeCacheFile(folder, QStringLiteral("t.fdlcache"), fields));
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(*thumbnail, referenceThumbnail(thumbnailText(Header, fields.text.left(999) + QStringLiteral(" \u2026")), {800, 800}));
    EXPECT_NE(*thumbnail, referenceThumbnail(thumbnailText(Header, fields.text), {800, 800}));
}

TEST(ThumbnailTest, TheHeaderNamesTheBoxWithoutItsFolderAndExtension) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.boxPath = QStringLiteral("/x/Notes.fendle");
    const auto thumbnail = thumbnailOf(writeCacheFile(folder, QStringLiteral("t.fdlcache"), fields));
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(*thumbnail, referenceThumbnail(thumbnailText(Header, fields.text), {800, 800}));
    const QString fullName = QStringLiteral("File: Notes.fendle\nSlip: 12\nSource: https://example.org/cards\n\n");
    EXPECT_NE(*thumbnail, referenceThumbnail(thumbnailText(fullName, fields.text), {800, 800}));
}

TEST(ThumbnailTest, TheSquareViewScalesIntoTheLargestSquareThatFits) {
    QTemporaryDir folder;
    const QString path = writeCacheFile(folder, QStringLiteral("t.fdlcache"));
    const QImage reference = referenceThumbnail(thumbnailText(Header, CacheFileFields{}.text), {128, 128});
    for (const QSizeF maximum : {QSizeF(128, 128), QSizeF(256, 128), QSizeF(128, 300)}) {
        const auto thumbnail = thumbnailOf(path, maximum);
        ASSERT_TRUE(thumbnail);
        EXPECT_EQ(thumbnail->size(), QSize(128, 128));
        EXPECT_EQ(*thumbnail, reference);
    }
    const auto huge = thumbnailOf(path, QSizeF(1e9, 1e9));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->size(), QSize(4096, 4096));
}

// Counts what the module asks of the request itself.
struct CountedThumbnail {
    int created = 0;
    int released = 0;
    std::optional<QImage> image;
};

CountedThumbnail countedThumbnail(const QString& path, QSizeF maximumSize, const QByteArray& contentType) {
    const auto& generator = builtGenerator();
    if (!generator) return {};
    look::ThumbnailRequest request;
    FLGeneratorInterface** interface = generator->interface();
    (*interface)->GenerateThumbnailForURL(interface, request.request(), fileUrl(path).constData(),
                                          contentType.constData(), nullptr,
                                          FLSize{maximumSize.width(), maximumSize.height()});
    return {request.contextsCreated(), request.contextsReleased(), request.flushedImage()};
}

TEST(ThumbnailTest, NothingIsDrawnForAnUnreadableFileOrAnEmptySize) {
    QTemporaryDir folder;
    const QString garbage = writeBytes(folder, QStringLiteral("g.fdlcache"), "<plist><dict><key>");
    const QString good = writeCacheFile(folder, QStringLiteral("t.fdlcache"));
    const std::vector<std::pair<QString, QSizeF>> cases = {
        {folder.filePath(QStringLiteral("absent.fdlcache")), {128, 128}},
        {garbage, {128, 128}},
        {folder.path(), {128, 128}},
        {good, {0, 0}},
        {good, {-5, 128}},
        {good, {std::nan(""), 128}},
    };
    for (const auto& [path, size] : cases) {
        SCOPED_TRACE(path.toStdString());
        const CountedThumbnail thumbnail = countedThumbnail(path, size, FL_CACHE_FILE_CONTENT_TYPE);
        EXPECT_EQ(thumbnail.created, 0);
        EXPECT_FALSE(thumbnail.image);
    }
    const CountedThumbnail drawn = countedThumbnail(good, {128, 128}, FL_CACHE_FILE_CONTENT_TYPE);
    EXPECT_EQ(drawn.created, 1);
    EXPECT_EQ(drawn.released, 1);
    EXPECT_TRUE(drawn.image);
}

TEST(ThumbnailTest, WithoutTheBackgroundImageTheViewIsPlainWhite) {
    QTemporaryDir folder;
    const QString bundle = copyBundle(folder.filePath(QStringLiteral("Bare.qlgenerator")));
    ASSERT_TRUE(QFile::remove(bundle + QStringLiteral("/Contents/Resources/background.tif")));
    const auto bare = generatorOf(bundle);
    ASSERT_TRUE(bare);
    const QString path = writeCacheFile(folder, QStringLiteral("t.fdlcache"));
    const auto thumbnail = bare->thumbnail(fileUrl(path), FL_CACHE_FILE_CONTENT_TYPE, {400, 400});
    ASSERT_TRUE(thumbnail);
    const look::ThumbnailText text = thumbnailText(Header, CacheFileFields{}.text);
    EXPECT_EQ(*thumbnail, referenceThumbnail(text, {400, 400}, false));
    EXPECT_NE(*thumbnail, referenceThumbnail(text, {400, 400}, true));
    // Below the text only the view's white remains.
    EXPECT_EQ(thumbnail->pixel(200, 390), qRgb(255, 255, 255));
}

// The module looks icons up in the data folders of the environment.
class FileIconTest : public ::testing::Test {
protected:
    QTemporaryDir dataFolder;
    QTemporaryDir emptyHome;
    QByteArray savedDirs = qgetenv("XDG_DATA_DIRS");
    QByteArray savedHome = qgetenv("XDG_DATA_HOME");

    void SetUp() override {
        const QString icons = dataFolder.filePath(QStringLiteral("icons/hicolor/48x48/mimetypes"));
        ASSERT_TRUE(QDir().mkpath(icons));
        QImage icon(48, 24, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        ASSERT_TRUE(icon.save(icons + QStringLiteral("/text-plain.png")));
        // The system's MIME types, but no icons other than the one above.
        ASSERT_TRUE(QFile::link(QStringLiteral("/usr/share/mime"), dataFolder.filePath(QStringLiteral("mime"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dataFolder.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(emptyHome.path()));
    }
    void TearDown() override {
        qputenv("XDG_DATA_DIRS", savedDirs);
        qputenv("XDG_DATA_HOME", savedHome);
    }
};

TEST_F(FileIconTest, OtherTypesShowTheirIconCentredInASquare) {
    const QString path = writeBytes(emptyHome, QStringLiteral("notes.txt"), "plain text");
    const CountedThumbnail thumbnail = countedThumbnail(path, {64, 100}, "text/plain");
    ASSERT_TRUE(thumbnail.image);
    EXPECT_EQ(thumbnail.image->size(), QSize(64, 64));
    EXPECT_EQ(thumbnail.image->pixel(32, 32), qRgb(255, 0, 0));
    // The 2:1 icon leaves the top and bottom quarters clear.
    EXPECT_EQ(qAlpha(thumbnail.image->pixel(32, 4)), 0);
    EXPECT_EQ(thumbnail.released, thumbnail.created);
}

TEST_F(FileIconTest, AFileWithoutAnIconGetsNoThumbnail) {
    const QString path = writeBytes(emptyHome, QStringLiteral("picture.png"), "not even a picture");
    const CountedThumbnail thumbnail = countedThumbnail(path, {64, 64}, "image/png");
    EXPECT_EQ(thumbnail.created, 0);
    EXPECT_FALSE(thumbnail.image);
}

// The preview service may call from threads of its own.
TEST(ThumbnailTest, ConcurrentCallsGiveTheSameResults) {
    QTemporaryDir folder;
    const QString path = writeCacheFile(folder, QStringLiteral("t.fdlcache"));
    const auto& generator = builtGenerator();
    ASSERT_TRUE(generator);
    const auto expectedThumbnail = generator->thumbnail(fileUrl(path), FL_CACHE_FILE_CONTENT_TYPE, {128, 128});
    const auto expectedPreview = generator->preview(fileUrl(path), FL_CACHE_FILE_CONTENT_TYPE);
    ASSERT_TRUE(expectedThumbnail && expectedPreview);

    std::atomic<int> mismatches = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 3; ++i) {
                const auto thumbnail = generator->thumbnail(fileUrl(path), FL_CACHE_FILE_CONTENT_TYPE, {128, 128});
                const auto preview = generator->preview(fileUrl(path), FL_CACHE_FILE_CONTENT_TYPE);
                if (!thumbnail || *thumbnail != *expectedThumbnail) ++mismatches;
                if (!preview || preview->data != expectedPreview->data) ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
