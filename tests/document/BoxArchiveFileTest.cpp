#include "BoxFixture.h"
#include "model/BoxFile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace fendle;
using namespace fendle::test;

namespace {

// The box document over the real box file forms.
class BoxArchiveFileTest : public BoxFixture {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("box.fendle");

    QByteArray fileBytes() const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    std::unique_ptr<Box> reopen() {
        auto other = std::make_unique<Box>(ui, pasteboard, preferences, web);
        EXPECT_TRUE(other->readFromURL(path).ok());
        other->loadDocumentWithInitialData();
        return other;
    }
};

}  // namespace

TEST_F(BoxArchiveFileTest, ReadEditedSavedAndReadAgainHoldsTheEdits) {
    fill({1, 2, 4}, {3});
    doc->document().setCurrentZoomFactor(150);
    ASSERT_TRUE(doc->saveDocument(path, BoxDocument::DocumentType));

    auto second = reopen();
    EXPECT_EQ(second->fileFormatOnLastOpening(), "Fendle Document");
    EXPECT_EQ(BoxSnapshot::of(second->box()), snapshot());
    EXPECT_EQ(second->box().currentZoomFactor(), 150);
    EXPECT_EQ(second->box().dataFromFileSize(), fileBytes().size());

    // Edits through the editor: keywords of the current slip, a new slip, a removal.
    second->editor().typeInField(EditorCell::Keywords, "k4, edited");
    { UndoManager::EventScope event(second->undoManager()); second->addSlip(); }
    second->editor().replaceText({0, second->editor().text().length()}, QStringLiteral("brand new"));
    second->displaySlipWithID("1");
    { UndoManager::EventScope event(second->undoManager()); second->removeSlip(); }
    ASSERT_TRUE(second->isDocumentEdited());
    const BoxSnapshot edited = BoxSnapshot::of(second->box());
    ASSERT_TRUE(second->saveDocument(path, BoxDocument::DocumentTypeHalvorn));
    EXPECT_FALSE(second->isDocumentEdited());

    auto third = reopen();
    const BoxSnapshot reread = BoxSnapshot::of(third->box());
    EXPECT_EQ(reread.slips.keys(), edited.slips.keys());
    EXPECT_EQ(reread.trash, edited.trash);
    for (const QString& key : edited.slips.keys()) {
        const auto& a = reread.slips.value(key);
        const auto& b = edited.slips.value(key);
        EXPECT_EQ(a.text, b.text) << key.toStdString();
        EXPECT_EQ(a.keywords.join(", "), b.keywords.join(", ")) << key.toStdString();  // one empty piece reads back as none
        EXPECT_EQ(a.source, b.source) << key.toStdString();
        EXPECT_EQ(a.type, b.type) << key.toStdString();
        EXPECT_EQ(a.author, b.author) << key.toStdString();
        EXPECT_EQ(a.created, b.created) << key.toStdString();
        EXPECT_EQ(a.modified, b.modified) << key.toStdString();
    }
    EXPECT_EQ(third->box().slipForKey("4")->keywords(), KeywordsArray({"k4", "edited"}));
    EXPECT_EQ(third->box().slipForKey("5")->textString(), "brand new");
    EXPECT_TRUE(third->box().slipInTrashForKey("1") != nullptr);
    EXPECT_EQ(third->box().numberOfLastSlip(), 5u);
}

TEST_F(BoxArchiveFileTest, SavingInTrashModeWritesTheBoxsOwnSlipsUnderSlips) {
    fill({1, 2}, {7});
    doc->browseTrash();
    ASSERT_TRUE(doc->inTrashMode());
    ASSERT_TRUE(doc->saveDocument(path, BoxDocument::DocumentType));
    EXPECT_TRUE(doc->inTrashMode());

    BoxData read;
    ASSERT_TRUE(BoxFile::loadBoxData(read, fileBytes()).ok());
    EXPECT_FALSE(read.inTrashMode());
    EXPECT_EQ(QSet<QString>(read.slips().keyBegin(), read.slips().keyEnd()), (QSet<QString>{"1", "2"}));
    EXPECT_EQ(read.deletedSlips().keys(), QStringList{"7"});
    EXPECT_EQ(reopen()->box().slips().size(), 2);
}

TEST_F(BoxArchiveFileTest, OlderFormIsWrittenAndRecognised) {
    fill({1, 2}, {3});
    doc->document().setCurrentZoomFactor(150);
    ASSERT_TRUE(doc->saveDocument(path, BoxDocument::OldDocumentType));
    auto other = reopen();
    EXPECT_EQ(other->fileFormatOnLastOpening(), "Fendle Document Type");
    EXPECT_EQ(QSet<QString>(other->box().slips().keyBegin(), other->box().slips().keyEnd()), (QSet<QString>{"1", "2"}));
    EXPECT_EQ(other->box().slipInTrashForKey("3")->textString(), "slip 3");
    EXPECT_EQ(other->box().slipForKey("2")->keywords(), KeywordsArray({"k2"}));
    EXPECT_EQ(other->box().currentZoomFactor(), 100);  // that form holds no zoom
}

TEST_F(BoxArchiveFileTest, DamagedFilesLeaveTheBoxAsItWas) {
    fill({1, 2});
    ASSERT_TRUE(doc->saveDocument(path, BoxDocument::DocumentType));
    const QByteArray good = fileBytes();
    const BoxSnapshot before = snapshot();
    for (const QByteArray& bad : {QByteArray("garbage"), good.left(good.size() / 2), QByteArray("\x04\x0bstreamtyped", 13),
                                  QByteArray()}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bad);
        file.close();
        EXPECT_FALSE(doc->readFromURL(path).ok());
        EXPECT_EQ(snapshot(), before);
    }
}
