#include "FileSizeLimit.h"
#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/file.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace fendle;
using namespace fendle::test;

namespace {

class AtomicReplaceTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath("Box.fendle");

    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(AtomicReplaceTest, AWriteTheDiskRefusesKeepsTheOldFileAndLeavesNoTemporaryFile) {
    put("Box.fendle", "the old box");
    for (const Durability durability : {Durability::Synced, Durability::Regenerable}) {
        Status written = succeeded();
        {
            FileSizeLimit full(4096);
            written = writeFileAtomically(path, QByteArray(64 * 1024, 'x'), durability);
        }
        ASSERT_FALSE(written);
        EXPECT_TRUE(written.error().contains("File too large")) << written.error().toStdString();
        EXPECT_EQ(bytesOf("Box.fendle"), "the old box");
        EXPECT_EQ(files(), QStringList{"Box.fendle"});
    }
    // With a backup asked for, the old file is not replaced by a partial one either.
    {
        FileSizeLimit full(4096);
        EXPECT_FALSE(writeFileAtomically(path, QByteArray(64 * 1024, 'x'), folder.filePath("Box~.fendle")));
    }
    EXPECT_EQ(bytesOf("Box.fendle"), "the old box");
}

TEST_F(AtomicReplaceTest, TheNextSaveRemovesWhatAKilledSaveLeftButNothingElse) {
    put(".Box.fendle.Ab3xYz", "half a box from a killed save");
    put(".Box.fendle.Fresh1", "");             // being made this moment, not locked yet
    put(".Box.fendle.Locked", "being written");  // a save under way holds it locked
    put(".Other.fendle.Ab3xYz", "another box's");
    put(".Box.fendle.toolong7", "not one of ours");
    const int held = ::open(QFile::encodeName(folder.filePath(".Box.fendle.Locked")).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(writeFileAtomically(path, "the new box"));
    EXPECT_EQ(files(), (QStringList{".Box.fendle.Fresh1", ".Box.fendle.Locked", ".Box.fendle.toolong7",
                                    ".Other.fendle.Ab3xYz", "Box.fendle"}));
    EXPECT_EQ(bytesOf("Box.fendle"), "the new box");

    // Once its save is over, the locked one goes with the next save too.
    ::close(held);
    ASSERT_TRUE(writeFileAtomically(path, "the newer box"));
    EXPECT_FALSE(files().contains(".Box.fendle.Locked"));
    // Files the program can make again do not look for leftovers.
    put(".Box.fendle.Ab3xYz", "half a box from a killed save");
    ASSERT_TRUE(writeFileAtomically(path, "regenerable", Durability::Regenerable));
    EXPECT_TRUE(files().contains(".Box.fendle.Ab3xYz"));
}
