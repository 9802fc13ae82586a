#include "document/RtfdPatcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
class RtfdPatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", saved_); }
    QTemporaryDir dir_;
    QByteArray saved_;
};

RichText withAttachment(const QString& name) {
    RichText text(QStringLiteral("Picture: "));
    Attributes a;
    a.set(attr::Attachment, AttachmentAttribute{name, "BYTES"});
    text.append(QString(QChar(AttachmentCharacter)), a);
    return text;
}
}  // namespace

TEST_F(RtfdPatcherTest, ScratchPathIsInTheUsersDataFolder) {
    EXPECT_EQ(RtfdPatcher::tempFile(), dir_.path() + QStringLiteral("/Fendle/Fendle_tmp.rtfd"));
}

TEST_F(RtfdPatcherTest, TextWithoutAttachmentsIsAnsweredUnchanged) {
    QStringList messages;
    const RichText plain(QStringLiteral("plain"));
    EXPECT_EQ(RtfdPatcher::patchRTFDString(plain, [&](const QString& m) { messages << m; }), plain);
    EXPECT_FALSE(QFileInfo::exists(RtfdPatcher::tempFile())) << "no scratch file for plain text";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(RtfdPatcherTest, AttachmentsGoThroughTheScratchPackage) {
    QStringList messages;
    const QString stale = RtfdPatcher::tempFile() + QStringLiteral("/stale.png");
    ASSERT_TRUE(QDir().mkpath(RtfdPatcher::tempFile()));
    QFile(stale).open(QIODevice::WriteOnly);
    const RichText text = withAttachment(QStringLiteral("../up.png"));
    const RichText patched = RtfdPatcher::patchRTFDString(text, [&](const QString& m) { messages << m; });
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(patched.string(), text.string());
    EXPECT_EQ(patched.attributesAt(9).get<AttachmentAttribute>(attr::Attachment),
              (AttachmentAttribute{"up.png", "BYTES"})) << "the file name as the package stores it";
    EXPECT_FALSE(QFile::exists(stale)) << "the previous scratch package is replaced";
    EXPECT_TRUE(QFile::exists(RtfdPatcher::tempFile() + QStringLiteral("/up.png"))) << "it stays until the next use";
}

TEST_F(RtfdPatcherTest, FailedSaveShowsTheMessageAndKeepsTheText) {
    // A file where the Fendle folder should be makes the package unwritable.
    QFile blocker(dir_.path() + QStringLiteral("/Fendle"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QStringList messages;
    const RichText text = withAttachment(QStringLiteral("a.png"));
    EXPECT_EQ(RtfdPatcher::patchRTFDString(text, [&](const QString& m) { messages << m; }), text);
    EXPECT_EQ(messages, QStringList{"Problem during temporary saving content of RTFD String!"});
}
