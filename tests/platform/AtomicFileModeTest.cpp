#include "platform/files/AtomicFile.h"

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

}  // namespace
