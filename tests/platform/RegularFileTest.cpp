#include "TestFile.h"
#include "platform/files/RegularFile.h"

#include <sys/stat.h>

using namespace fendle;

namespace {

TEST(RegularFileTest, ReadsRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QString path = test::writeTestFile(dir, "a.txt", "twelve bytes");
    EXPECT_EQ(RegularFile::read(path, 12).value(), QByteArray("twelve bytes"));
    const auto tooLarge = RegularFile::read(path, 11);
    EXPECT_FALSE(tooLarge.ok());
    EXPECT_TRUE(tooLarge.error().contains(QStringLiteral("too large")));
    EXPECT_EQ(RegularFile::read(test::writeTestFile(dir, "empty", ""), 0).value(), QByteArray());
}

// Opening a FIFO for reading would wait for a writer; it is refused at once.
TEST(RegularFileTest, RefusesEverythingButRegularFiles) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, dir.path(), QStringLiteral("/dev/zero")}) {
        const auto read = RegularFile::read(path, 1 << 20);
        EXPECT_FALSE(read.ok()) << path.toStdString();
    }
    EXPECT_TRUE(RegularFile::read(fifo, 1 << 20).error().contains(QStringLiteral("not a regular file")));
    EXPECT_TRUE(RegularFile::read(dir.filePath(QStringLiteral("absent")), 10).error().contains(QStringLiteral("cannot open")));
}

}  // namespace
