#include "BoxFixture.h"
#include "model/BoxFile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace fendle;
using namespace fendle::test;

namespace {

class BoxDocumentTest : public BoxFixture {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("box.fendle");

    QByteArray fileBytes(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(BoxDocumentTest, OlderFormUnknownTypesAndCacheFiles) {
    fill({1}, {4});
    ASSERT_TRUE(doc->saveDocument(path, BoxDocument::OldDocumentType));
    Box other(ui, pasteboard, preferences, web);
    ASSERT_TRUE(other.readFromURL(path).ok());
    EXPECT_EQ(other.fileFormatOnLastOpening(), "Fendle Document Type");
    EXPECT_EQ(BoxSnapshot::of(other.box()).trash.keys(), QStringList{"4"});

    EXPECT_FALSE(doc->saveDocument(dir.filePath("text.txt"), "public.plain-text"));
    EXPECT_FALSE(QFile::exists(dir.filePath("text.txt")));
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts.first().message, "Problem saving the file!");
    EXPECT_EQ(ui.alerts.first().informativeText, "I don't know how to save to format: public.plain-text");
    ui.alerts.clear();
    EXPECT_FALSE(doc->readFromURL(path, BoxDocument::CacheFileType).ok());
    EXPECT_EQ(ui.alerts.first().message, "Box: Called with Cache File!");
    EXPECT_EQ(ui.alerts.first().informativeText,
              "You should not see this message. Please send a bug-report to the deveopler.");
}

TEST_F(BoxDocumentTest, AFailedReadOrWriteKeepsWhatWasThere) {
    fill({1, 2});
    command([&] { doc->addSlip(); });
    EXPECT_FALSE(doc->saveDocument(dir.filePath("missing/box.fendle")));
    EXPECT_TRUE(doc->isDocumentEdited());
    EXPECT_EQ(doc->fileName(), std::nullopt);
    EXPECT_EQ(ui.takeMessages(), QStringList{"Problem saving the file!"});

    QFile garbage(path);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("garbage");
    garbage.close();
    const BoxSnapshot before = snapshot();
    EXPECT_FALSE(doc->readFromURL(path).ok());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(current(), "3");
}

TEST_F(BoxDocumentTest, SaveBackupKeepsThePreviousFileAsNameTilde) {
    fill({1, 2}, {5});
    ASSERT_TRUE(doc->saveDocument(path));
    const QByteArray first = fileBytes(path);
    command([&] { doc->addSlip(); });
    ASSERT_TRUE(doc->saveDocument(path));
    EXPECT_FALSE(QFile::exists(dir.filePath("box~.fendle")));  // "SaveBackup" off

    preferences.backup = true;
    const QByteArray second = fileBytes(path);
    command([&] { doc->addSlip(); });
    ASSERT_TRUE(doc->saveDocument(path));
    EXPECT_EQ(fileBytes(dir.filePath("box~.fendle")), second);
    EXPECT_NE(fileBytes(path), second);
    EXPECT_NE(first, second);
}

TEST_F(BoxDocumentTest, RevertReadsTheSavedFileAgain) {
    fill({1, 2}, {5});
    ASSERT_TRUE(doc->saveDocument(path));
    command([&] { doc->addSlip(); });
    doc->browseTrash();
    EXPECT_TRUE(doc->revertToContents(path));
    EXPECT_FALSE(doc->inTrashMode());
    EXPECT_EQ(doc->box().slips().size(), 2);
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_FALSE(doc->isDocumentEdited());
    EXPECT_EQ(current(), "2");
}
