#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace fendle;

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 0777;
}

// The mode of a new file follows the process's mask, and writing one does
// not change the mask (other threads create files at the same time).
TEST(AtomicFileModeTest, NewFilesFollowTheMaskAndReplacedFilesKeepTheirMode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const mode_t previous = ::umask(027);
    const QString path = dir.filePath("new.plist");
    ASSERT_TRUE(writeFileAtomically(path, "one").ok());
    EXPECT_EQ(modeOf(path), mode_t(0640));
    EXPECT_EQ(::umask(027), mode_t(027));

    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0);
    ASSERT_TRUE(writeFileAtomically(path, "two").ok());
    EXPECT_EQ(modeOf(path), mode_t(0604));
    ::umask(previous);
}

// Cache files are replaced whole as well, only without waiting for the disk.
TEST(AtomicFileModeTest, RegenerableFilesAreReplacedWholeAndKeepTheirMode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Notes1.fdlcache");
    ASSERT_TRUE(writeFileAtomically(path, "one", Durability::Regenerable).ok());
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0);
    ASSERT_TRUE(writeFileAtomically(path, "two", Durability::Regenerable).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("two"));
    EXPECT_EQ(modeOf(path), mode_t(0604));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Notes1.fdlcache"});
    EXPECT_FALSE(writeFileAtomically(dir.filePath("missing/x.fdlcache"), "x", Durability::Regenerable).ok());
}

}  // namespace
