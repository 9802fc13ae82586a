// Cache files are read from wherever a file manager finds them: whatever
// they hold, the module answers without crashing or hanging.
#include "BuiltModule.h"
#include "CacheFileWriter.h"
#include "fendlelook/CacheFile.h"

#include <future>
#include <sys/stat.h>

using namespace fendle;
using namespace fendle::test;

namespace {

struct Outcome {
    std::optional<QImage> thumbnail;
    QByteArray previewRtf;
};

Outcome generate(const QString& path) {
    const auto& generator = builtGenerator();
    if (!generator) return {};
    const auto preview = generator->preview(fileUrl(path), FL_CACHE_FILE_CONTENT_TYPE);
    EXPECT_TRUE(preview) << "every file gets a preview";
    return {generator->thumbnail(fileUrl(path), FL_CACHE_FILE_CONTENT_TYPE, {128, 128}),
            preview ? preview->data : QByteArray()};
}

QByteArray nested(int depth) {
    QByteArray xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>kMDItemKeywords</key>";
    for (int i = 0; i < depth; ++i) xml += "<array>";
    for (int i = 0; i < depth; ++i) xml += "</array>";
    return xml + "</dict></plist>";
}

TEST(HostileCacheFileTest, FilesThatAreNoDictionaryAreUnreadable) {
    QTemporaryDir folder;
    const std::vector<std::pair<const char*, QByteArray>> files = {
        {"empty", QByteArray()},
        {"text", "kMDItemTextContent = hello"},
        {"truncated", writeXmlPlist(CacheFileFields{}.dictionary()).left(300)},
        {"bplist-header", QByteArray("bplist00") + QByteArray(40, '\xff')},
        {"deep", nested(100000)},
        {"string-root", writeXmlPlist(PlistValue(QStringLiteral("kMDItemTextContent")))},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const Outcome outcome = generate(writeBytes(folder, QLatin1String(name), bytes));
        EXPECT_FALSE(outcome.thumbnail);
        EXPECT_TRUE(outcome.previewRtf.contains("(null)"));
        EXPECT_EQ(look::CacheFile::read(folder.filePath(QLatin1String(name))).has_value(), false);
    }
}

TEST(HostileCacheFileTest, HugeStringsAreShownCutInThumbnailsAndWholeInPreviews) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.text = QString(3 * 1024 * 1024, u'x');
    fields.source = QString(1024 * 1024, u'y');
    fields.boxPath = QStringLiteral("/x/") + QString(1024 * 1024, u'z') + QStringLiteral(".fendle");
    const QString path = writeCacheFile(folder, QStringLiteral("huge.fdlcache"), fields);
    const Outcome outcome = generate(path);
    EXPECT_TRUE(outcome.thumbnail);
    EXPECT_TRUE(outcome.previewRtf.contains(QByteArray(3 * 1024 * 1024, 'x')));
}

TEST(HostileCacheFileTest, FilesAboveTheLimitAreNotRead) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.text = QString(look::CacheFile::MaximumFileSize, u'x');
    const Outcome outcome = generate(writeCacheFile(folder, QStringLiteral("big.fdlcache"), fields));
    EXPECT_FALSE(outcome.thumbnail);
    EXPECT_TRUE(outcome.previewRtf.contains("(null)"));
}

// A binary list whose keyword arrays each refer fourteen times to the next:
// expanded, it would hold 14^levels strings.
QByteArray sharedReferences(int levels) {
    QByteArray objects;
    QList<int> offsets;
    const auto add = [&](const QByteArray& object) {
        offsets.append(8 + objects.size());
        objects += object;
    };
    add(QByteArray("\xD1\x01\x02", 3));                    // {1: 2}
    add(QByteArray("\x5F\x10\x0F") + "kMDItemKeywords");  // key
    for (int level = 0; level < levels; ++level) add(QByteArray("\xAE") + QByteArray(14, char(3 + level)));
    add("\x51k");
    QByteArray file = "bplist00" + objects;
    const int table = file.size();
    for (int offset : offsets) file += char(offset >> 8), file += char(offset & 0xff);
    QByteArray trailer(32, '\0');
    trailer[6] = 2;  // offset size
    trailer[7] = 1;  // reference size
    trailer[15] = char(offsets.size());
    trailer[30] = char(table >> 8);
    trailer[31] = char(table & 0xff);
    return file + trailer;
}

TEST(HostileCacheFileTest, SharedReferencesInBinaryListsAreNotExpanded) {
    QTemporaryDir folder;
    const Outcome outcome = generate(writeBytes(folder, QStringLiteral("refs.fdlcache"), sharedReferences(30)));
    EXPECT_FALSE(outcome.thumbnail);
    EXPECT_TRUE(outcome.previewRtf.contains("(null)"));
    // One level is fourteen keywords: the file itself is sound.
    const auto small = look::CacheFile::fromBytes(sharedReferences(1));
    ASSERT_TRUE(small);
    ASSERT_TRUE(small->keywords);
    EXPECT_EQ(small->keywords->size(), 14);
}

// A FIFO or device in place of the file must neither block nor stream forever.
TEST(HostileCacheFileTest, SpecialFilesAreRefusedWithoutBlocking) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo.fdlcache"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString device = folder.filePath(QStringLiteral("zero.fdlcache"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    for (const QString& path : {fifo, device}) {
        SCOPED_TRACE(path.toStdString());
        auto outcome = std::async(std::launch::async, [path] { return generate(path); });
        ASSERT_EQ(outcome.wait_for(std::chrono::seconds(60)), std::future_status::ready) << "the module blocked";
        const Outcome result = outcome.get();
        EXPECT_FALSE(result.thumbnail);
        EXPECT_TRUE(result.previewRtf.contains("(null)"));
    }
}

TEST(HostileCacheFileTest, AddressesThatAreNoLocalFilesAreUnreadable) {
    const auto& generator = builtGenerator();
    ASSERT_TRUE(generator);
    for (const char* url : {"", "http://example.org/x.fdlcache", "file://", "not a url at all \x01", "file:///%00"}) {
        SCOPED_TRACE(url);
        EXPECT_FALSE(generator->thumbnail(url, FL_CACHE_FILE_CONTENT_TYPE, {128, 128}));
        const auto preview = generator->preview(url, FL_CACHE_FILE_CONTENT_TYPE);
        ASSERT_TRUE(preview);
        EXPECT_TRUE(preview->data.contains("(null)"));
    }
}

}  // namespace
