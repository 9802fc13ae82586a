#include "BoxFixture.h"
#include "document/BoxFileCodec.h"

#include <QFile>
#include <QTemporaryDir>

using namespace fendle;
using namespace fendle::test;

namespace {

// A line-per-slip stand-in for the box file forms: "S" lines for the box's
// own slips, "T" lines for the trash; the older form starts with "OLD".
class LineCodec : public BoxFileCodec {
public:
    int writes = 0;
    bool failWrites = false;

    static QByteArray lines(const BoxData& box, const QByteArray& head) {
        QByteArray out = head;
        auto add = [&](char tag, const SlipDictionary& slips) {
            for (const SlipPtr& s : slips)
                out += tag + ("|" + s->key() + "|" + s->textString() + "|" + s->keywordsString() + "|" +
                              s->source().value_or("") + "|" + s->slipType().value_or("") + "|" +
                              QString::number(s->lastModificationTime().toMSecsSinceEpoch()))
                                 .toUtf8() +
                       "\n";
        };
        add('S', box.slips());
        add('T', box.deletedSlips());
        return out;
    }
    static std::pair<SlipDictionary, SlipDictionary> parse(const QByteArray& data) {
        SlipDictionary slips, trash;
        for (const QByteArray& line : data.split('\n')) {
            const QStringList f = QString::fromUtf8(line).split('|');
            if (f.size() != 7) continue;
            auto s = Slip::create(f[1].toUInt());
            s->setTextWithoutLastModificationDate(RichText(f[2]));
            s->setKeywordsString(f[3]);
            s->setSourceWithoutLastModificationDate(f[4]);
            s->setSlipTypeWithoutLastModificationDate(f[5]);
            s->setLastModificationTime(QDateTime::fromMSecsSinceEpoch(f[6].toLongLong(), Qt::UTC));
            (f[0] == "S" ? slips : trash).insert(s->key(), s);
        }
        return {slips, trash};
    }
    std::optional<std::pair<SlipDictionary, SlipDictionary>> readSequential(const QByteArray& data) override {
        if (!data.startsWith("OLD\n")) return std::nullopt;
        return parse(data);
    }
    Result loadBoxData(BoxData& box, const QByteArray& data) override {
        if (!data.startsWith("CUR\n")) return {false, "Don't know what to do with a file that's not a keyed archive!"};
        auto [slips, trash] = parse(data);
        box.setSlips(slips, trash);
        return {true, {}};
    }
    std::optional<QByteArray> dataRepresentation(const BoxData& box) override {
        ++writes;
        if (failWrites) return std::nullopt;
        return lines(box, "CUR\n");
    }
    std::optional<QByteArray> sequentialData(const BoxData& box) override { return lines(box, "OLD\n"); }
};

class BoxDocumentTest : public BoxFixture {
protected:
    LineCodec codec;
    QTemporaryDir dir;
    QString path;
    void SetUp() override {
        doc->setFileCodec(&codec);
        path = dir.filePath("box.fendle");
    }
    QByteArray fileBytes() const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(BoxDocumentTest, EditedSavedAndReadAgainHoldsTheEdits) {
    fill({1, 2}, {3});
    doc->editor().typeInField(EditorModel::KeywordsCell, "k2, saved");
    EXPECT_TRUE(doc->isDocumentEdited());  // a field is being edited
    ASSERT_TRUE(doc->saveDocument(path, Box::DocumentType));
    EXPECT_FALSE(doc->currentlySavingDocument());
    EXPECT_FALSE(doc->isDocumentEdited());

    Box other(ui, pasteboard);
    other.setFileCodec(&codec);
    ASSERT_TRUE(other.readFromData(fileBytes(), Box::DocumentType));
    other.loadDocumentWithInitialData();
    EXPECT_EQ(other.fileFormatOnLastOpening(), "Fendle Document");
    EXPECT_EQ(other.box().slipForKey("2")->keywords(), KeywordsArray({"k2", "saved"}));
    EXPECT_EQ(BoxSnapshot::of(other.box()).slips.keys(), snapshot().slips.keys());
    EXPECT_EQ(BoxSnapshot::of(other.box()).trash.keys(), QStringList{"3"});
    EXPECT_EQ(other.currentSlip()->key(), "2");
    EXPECT_EQ(other.slipTypes(), QStringList{"Note"});
}

TEST_F(BoxDocumentTest, SavingInTrashModeWritesTheBoxsOwnSlipsUnderSlips) {
    fill({1, 2}, {7});
    doc->browseTrash();
    ASSERT_TRUE(doc->inTrashMode());
    ASSERT_TRUE(doc->saveDocument(path, Box::DocumentTypeHalvorn));
    const auto [slips, trash] = LineCodec::parse(fileBytes());
    EXPECT_EQ(QSet<QString>(slips.keyBegin(), slips.keyEnd()), (QSet<QString>{"1", "2"}));
    EXPECT_EQ(trash.keys(), QStringList{"7"});
    EXPECT_TRUE(doc->inTrashMode());  // the document itself stays in the trash
    EXPECT_EQ(doc->box().slips().keys(), QStringList{"7"});
}

TEST_F(BoxDocumentTest, OlderFormAndUnknownTypes) {
    fill({1});
    const auto old = doc->dataOfType(Box::OldDocumentType);
    ASSERT_TRUE(old.has_value());
    ASSERT_TRUE(doc->readFromData(*old, Box::DocumentType));
    EXPECT_EQ(doc->fileFormatOnLastOpening(), "Fendle Document Type");

    EXPECT_FALSE(doc->dataOfType("public.plain-text").has_value());
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts.first().message, "Problem saving the file!");
    EXPECT_EQ(ui.alerts.first().informativeText, "I don't know how to save to format: public.plain-text");
    ui.alerts.clear();
    EXPECT_FALSE(doc->readFromData("x", Box::CacheFileType));
    EXPECT_EQ(ui.alerts.first().message, "Box: Called with Cache File!");
    EXPECT_EQ(ui.alerts.first().informativeText,
              "You should not see this message. Please send a bug-report to the deveopler.");
}

TEST_F(BoxDocumentTest, AFailedReadOrWriteKeepsWhatWasThere) {
    fill({1, 2});
    ASSERT_TRUE(doc->saveDocument(path, Box::DocumentType));
    const QByteArray good = fileBytes();
    doc->addSlip();
    codec.failWrites = true;
    EXPECT_FALSE(doc->saveDocument(path, Box::DocumentType));
    EXPECT_EQ(fileBytes(), good);
    EXPECT_TRUE(doc->isDocumentEdited());

    const BoxSnapshot before = snapshot();
    EXPECT_FALSE(doc->readFromData("garbage", Box::DocumentType));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(BoxDocumentTest, BackupAndRevert) {
    fill({1, 2}, {5});
    doc->setKeepBackupFile(true);
    ASSERT_TRUE(doc->saveDocument(path, Box::DocumentType));
    const QByteArray first = fileBytes();
    command([&] { doc->addSlip(); });
    ASSERT_TRUE(doc->saveDocument(path, Box::DocumentType));
    QFile backup(path + "~");
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), first);

    command([&] { doc->addSlip(); });
    doc->browseTrash();
    EXPECT_TRUE(doc->revertToContents(path, Box::DocumentType));
    EXPECT_FALSE(doc->inTrashMode());
    EXPECT_EQ(doc->box().slips().size(), 3);
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_FALSE(doc->isDocumentEdited());
    EXPECT_EQ(current(), "6");  // 5 is in the trash
}

TEST_F(BoxDocumentTest, ClosingStoresStateAndReportsUnwrittenDefaults) {
    fill({1});
    int stored = 0;
    bool written = true;
    doc->hooks().storeWindowState = [&] { ++stored; };
    doc->hooks().synchronizeDefaults = [&] { return written; };
    doc->close();
    EXPECT_EQ(stored, 1);
    EXPECT_TRUE(ui.alerts.isEmpty());
    written = false;
    doc->close();
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts.first(), (UiPort::Alert{UiPort::AlertStyle::Modal, "Problem saving your Preferences to the disk!",
                                                 "I'll just continue as if nothing happend."}));
}
