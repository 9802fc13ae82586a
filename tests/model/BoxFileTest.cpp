#include "model/BoxFile.h"
#include "model/SlipArchiving.h"
#include "platform/system/DateUtils.h"
#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/system/Log.h"
#include "support/Samples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
QByteArray sampleBox() { return test::sampleBytes(QStringLiteral("keyed/box-small.fendle")); }

SlipPtr makeSlip(quint32 id, const QString& text, const QString& keywords = QString()) {
    auto slip = Slip::create(id);
    slip->setTextWithoutLastModificationDate(RichText(text));
    slip->setKeywordsString(keywords);
    slip->setCreationTime(dateFromReferenceSeconds(1000.0 * id));
    slip->setLastModificationTime(dateFromReferenceSeconds(1000.0 * id + 0.5));
    return slip;
}

void expectSameSlip(const Slip& a, const Slip& b) {
    EXPECT_EQ(a.slipID(), b.slipID());
    EXPECT_EQ(a.text(), b.text());
    EXPECT_EQ(a.keywords(), b.keywords());
    EXPECT_EQ(a.source(), b.source());
    EXPECT_EQ(a.slipType(), b.slipType());
    EXPECT_EQ(a.author(), b.author());
    EXPECT_EQ(a.appendedTextField(), b.appendedTextField());
    EXPECT_EQ(a.isFlagged(), b.isFlagged());
    EXPECT_EQ(a.creationTimeField(), b.creationTimeField());
    EXPECT_EQ(a.lastModificationTimeField(), b.lastModificationTimeField());
    EXPECT_EQ(a.selectedRanges(), b.selectedRanges());
    EXPECT_EQ(a.modificationByMobileVersion(), b.modificationByMobileVersion());
}

void expectSameDictionary(const SlipDictionary& a, const SlipDictionary& b) {
    ASSERT_EQ(a.keys().size(), b.keys().size());
    for (auto it = a.begin(); it != a.end(); ++it) {
        ASSERT_TRUE(b.contains(it.key())) << it.key().toStdString();
        expectSameSlip(**it, *b.value(it.key()));
    }
}

// An exchange file: received slips plus a data block (a box or nothing).
QByteArray exchangeFile(const QList<SlipPtr>& modified, const QList<SlipPtr>& modifiedInTrash, const QByteArray& block) {
    KeyedArchiver archiver;
    SlipArchiving::registerCodec(archiver);
    auto list = [](const QList<SlipPtr>& slips) {
        std::vector<ArchiveValue> items;
        for (const SlipPtr& slip : slips) items.push_back(SlipArchiving::wrap(slip));
        return ArchiveValue::list(std::move(items));
    };
    archiver.encodeObject("modifiedSlips", list(modified));
    archiver.encodeObject("modifiedSlipsInTrash", list(modifiedInTrash));
    archiver.encodeObject("dataBlock", ArchiveValue(block));
    return archiver.finish();
}

class LogCapture {
public:
    LogCapture() {
        setLogSink([this](const QString& line) { lines.append(line); });
    }
    ~LogCapture() { setLogSink({}); }
    QStringList lines;
};

// Box with slips 1..3 (slip 2 with appended text), trash slip 4.
BoxData storedBox() {
    BoxData box;
    SlipDictionary slips, trash;
    for (quint32 id : {1u, 2u, 3u}) slips.insert(QString::number(id), makeSlip(id, QStringLiteral("text %1").arg(id), "k"));
    slips.value("2")->setSourceWithoutLastModificationDate(QStringLiteral("old source"));
    trash.insert("4", makeSlip(4, "trashed"));
    box.setSlips(slips, trash);
    return box;
}
}  // namespace

TEST(BoxFile, SampleBoxReadsWithItsStatedContent) {
    REQUIRE_SAMPLES();
    BoxData box;
    const auto form = BoxFile::loadBoxData(box, sampleBox());
    ASSERT_TRUE(form.ok()) << form.error().toStdString();
    EXPECT_EQ(*form, BoxFile::Form::Keyed);
    EXPECT_EQ(box.slips().size(), 3);
    EXPECT_EQ(box.deletedSlips().size(), 1);
    EXPECT_EQ(box.numberOfLastSlip(), 9u);
    EXPECT_EQ(box.currentZoomFactor(), 125);
    const SlipPtr one = box.slipForKey("1");
    ASSERT_TRUE(one);
    EXPECT_EQ(one->text()->string(), QStringLiteral("Grüße 😀 from bold and italic, both\nsee slip two in red."));
    EXPECT_EQ(one->keywords().toStringList(), (QStringList{"a", "b"}));
    EXPECT_TRUE(one->isFlagged());
    EXPECT_EQ(one->selectedRanges(), (QList<TextRange>{{5, 0}}));
    EXPECT_EQ(one->creationTime(), dateFromReferenceSeconds(258736166.0));
    const auto link = one->text()->attributesAt(40).get<LinkAttribute>(attr::Link);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->url, QStringLiteral("fendle://2.self"));
    EXPECT_EQ(one->text()->attributesAt(52).get<ColorAttribute>(attr::Color), ColorAttribute::rgb(1, 0, 0));
    EXPECT_EQ(box.slipForKey("2")->lastModificationTime(), dateFromReferenceSeconds(315630245.5));
    EXPECT_EQ(box.slipForKey("3")->keywords().toStringList(), (QStringList{"long", "runs", "", "c"}));
    EXPECT_EQ(box.slipForKey("3")->text()->runs()[1].length, 200);
    ASSERT_TRUE(box.slipTemplate().has_value());
    const auto style = box.slipTemplate()->attributesAt(0).get<ParagraphStyleAttribute>(attr::ParagraphStyle);
    ASSERT_TRUE(style.has_value());
    EXPECT_EQ(style->alignment, ParagraphStyleAttribute::Alignment::Center);
    ASSERT_EQ(style->tabStops.size(), 2);
    EXPECT_EQ(style->tabStops[1].location, 56.0);
    EXPECT_EQ(box.selectedRangesInTemplate(), (QList<TextRange>{{5, 0}}));
    ASSERT_EQ(box.savedSearches().size(), 1);
    EXPECT_EQ(box.savedSearches()[0].toList()[0].toString(), QStringLiteral("Keyword x"));
    const QVariantMap rule = box.savedSearches()[0].toList()[1].toList()[0].toMap();
    EXPECT_EQ(rule.value("RowType").toInt(), 1);
    EXPECT_EQ(rule.value("Subrules").toList()[0].toMap().value("Values").toStringList(),
              (QStringList{"keyword", "contains", "x"}));
}

TEST(BoxFile, EverythingWrittenReadsBackEqual) {
    REQUIRE_SAMPLES();
    BoxData box;
    ASSERT_TRUE(BoxFile::loadBoxData(box, sampleBox()).ok());
    auto extra = makeSlip(12, "attachment \xef\xbf\xbc", "x, y");
    RichText text = *extra->text();
    Attributes picture;
    picture.set(attr::Attachment, AttachmentAttribute{"p.png", QByteArray(300, '\x7f')});
    text.setAttributes(picture, {11, 1});
    extra->setTextWithoutLastModificationDate(text);
    extra->setAppendedTextWithoutLastModificationDate(QStringLiteral("tail"));
    extra->setModificationByMobileVersion(64);
    box.setSlip(extra);
    BoxData back;
    ASSERT_TRUE(BoxFile::loadBoxData(back, BoxFile::dataRepresentation(box)).ok());
    expectSameDictionary(back.slips(), box.slips());
    expectSameDictionary(back.deletedSlips(), box.deletedSlips());
    EXPECT_EQ(back.slipTemplate(), box.slipTemplate());
    EXPECT_EQ(back.selectedRangesInTemplate(), box.selectedRangesInTemplate());
    EXPECT_EQ(back.savedSearches(), box.savedSearches());
    EXPECT_EQ(back.currentZoomFactor(), box.currentZoomFactor());
    EXPECT_EQ(back.numberOfLastSlip(), 12u);
}

TEST(BoxFile, SavedInTrashModeReadsBackInNormalMode) {
    BoxData box = storedBox();
    box.enterTrashMode();
    BoxData back;
    ASSERT_TRUE(BoxFile::loadBoxData(back, BoxFile::dataRepresentation(box)).ok());
    EXPECT_FALSE(back.inTrashMode());
    EXPECT_EQ(QSet<QString>(back.slips().keyBegin(), back.slips().keyEnd()), (QSet<QString>{"1", "2", "3"}));
    EXPECT_EQ(back.deletedSlips().keys(), QStringList{"4"});
}

TEST(BoxFile, ExchangeWithEmptyBlockFilesReceivedSlipsAsTheyCame) {
    BoxData box = storedBox();
    auto received = makeSlip(2, "from the phone");
    received->setModificationByMobileVersion(1 | 64);
    received->setAppendedTextWithoutLastModificationDate(QStringLiteral("+"));
    auto trashed = makeSlip(8, "gone on the phone");
    const auto form = BoxFile::loadBoxData(box, exchangeFile({received}, {trashed}, QByteArray()));
    ASSERT_TRUE(form.ok()) << form.error().toStdString();
    EXPECT_EQ(*form, BoxFile::Form::Exchange);
    EXPECT_EQ(box.slipForKey("2")->text()->string(), QStringLiteral("from the phone"));
    EXPECT_EQ(box.slipForKey("2")->appendedText(), QStringLiteral("+"));
    EXPECT_EQ(box.slipForKey("2")->modificationByMobileVersion(), 65);
    EXPECT_TRUE(box.slipInTrashForKey("8"));
    EXPECT_EQ(box.slipForKey("1")->text()->string(), QStringLiteral("text 1"));
    EXPECT_EQ(box.numberOfLastSlip(), 8u);
}

TEST(BoxFile, ExchangeMergesChangedFieldsIntoStoredSlips) {
    BoxData stored = storedBox();
    stored.slipForKey("2")->setAppendedTextWithoutLastModificationDate(QStringLiteral(" (appended)"));
    const QByteArray block = BoxFile::dataRepresentation(stored);
    auto keywordsAndText = makeSlip(2, "new text", "p, q");
    keywordsAndText->setSourceWithoutLastModificationDate(QStringLiteral("ignored"));
    // Without bit 64 the received appended text is not taken; the stored one is merged.
    keywordsAndText->setAppendedTextWithoutLastModificationDate(QStringLiteral(" (ignored)"));
    keywordsAndText->setModificationByMobileVersion(1 | 8);
    auto whole = makeSlip(3, "whole", "w");
    whole->setAuthorWithoutLastModificationDate(QStringLiteral("Phone"));
    whole->setModificationByMobileVersion(16);
    auto intoTrash = makeSlip(1, "ignored");
    intoTrash->setModificationByMobileVersion(128);
    intoTrash->setFlagged(true);
    auto outOfTrash = makeSlip(4, "restored text");
    outOfTrash->setModificationByMobileVersion(8);
    auto nowhere = makeSlip(30, "new on the phone");
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    BoxData box;
    const auto form = BoxFile::loadBoxData(box, exchangeFile({keywordsAndText, whole, outOfTrash, nowhere}, {intoTrash}, block));
    ASSERT_TRUE(form.ok()) << form.error().toStdString();
    EXPECT_EQ(box.dataFromFileSize(), block.size());

    const SlipPtr two = box.slipForKey("2");
    EXPECT_EQ(two->keywords().toStringList(), (QStringList{"p", "q"}));
    EXPECT_EQ(two->text()->string(), QStringLiteral("new text (appended)"));
    EXPECT_EQ(two->source(), QStringLiteral("old source"));
    EXPECT_EQ(two->modificationByMobileVersion(), 0);
    EXPECT_FALSE(two->appendedTextField().has_value());
    EXPECT_GE(two->lastModificationTime(), before);

    const SlipPtr three = box.slipForKey("3");
    expectSameSlip(*three, *whole);
    EXPECT_EQ(three->modificationByMobileVersion(), 16);

    EXPECT_FALSE(box.slipForKey("1"));
    ASSERT_TRUE(box.slipInTrashForKey("1"));
    EXPECT_TRUE(box.slipInTrashForKey("1")->isFlagged());
    EXPECT_EQ(box.slipInTrashForKey("1")->text()->string(), QStringLiteral("text 1"));

    EXPECT_FALSE(box.slipInTrashForKey("4"));
    ASSERT_TRUE(box.slipForKey("4"));
    EXPECT_EQ(box.slipForKey("4")->text()->string(), QStringLiteral("restored text"));

    ASSERT_TRUE(box.slipForKey("30"));
    expectSameSlip(*box.slipForKey("30"), *nowhere);
    EXPECT_EQ(box.numberOfLastSlip(), 30u);
}

TEST(BoxFile, OlderFormKeepsOnlyTheTwoDictionaries) {
    BoxData box = storedBox();
    box.setCurrentZoomFactor(150);
    box.setSavedSearches({QVariantList{"name", QVariantList{}}});
    box.slipForKey("1")->setAuthorWithoutLastModificationDate(QStringLiteral("lost"));
    Attributes bold;
    bold.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false});
    box.slipForKey("1")->setTextWithoutLastModificationDate(RichText(QStringLiteral("bold 😀"), bold));
    box.enterTrashMode();
    const QByteArray older = BoxFile::olderFormRepresentation(box);
    BoxData back;
    const auto form = BoxFile::readAnyForm(back, older);
    ASSERT_TRUE(form.ok()) << form.error().toStdString();
    EXPECT_EQ(*form, BoxFile::Form::Sequential);
    EXPECT_EQ(back.slips().size(), 3);
    EXPECT_EQ(back.deletedSlips().keys(), QStringList{"4"});
    EXPECT_EQ(back.currentZoomFactor(), 100);
    EXPECT_TRUE(back.savedSearches().isEmpty());
    const SlipPtr one = back.slipForKey("1");
    EXPECT_EQ(one->text(), box.deletedSlips().value("1")->text());
    EXPECT_EQ(one->keywords().toStringList(), QStringList{"k"});
    EXPECT_EQ(one->source(), QString());
    EXPECT_FALSE(one->author().has_value());
    EXPECT_EQ(one->creationTime(), referenceDate().addSecs(7));
}

TEST(BoxFile, WorkedExampleOfTheOlderFormLoads) {
    REQUIRE_SAMPLES();
    // The sample holds the box's slips only; the note says to append an empty trash.
    const QByteArray bytes = test::sampleBytes(QStringLiteral("typedstream/worked_example_slip_hi.typedstream")) +
                             QByteArray("\x92\x84\x93\x96\x00\x86", 6);
    BoxData box;
    const auto form = BoxFile::readAnyForm(box, bytes);
    ASSERT_TRUE(form.ok()) << form.error().toStdString();
    ASSERT_TRUE(box.slipForKey("1"));
    EXPECT_EQ(box.slipForKey("1")->text()->string(), QStringLiteral("Hi"));
    EXPECT_TRUE(box.deletedSlips().isEmpty());
}

TEST(BoxFile, BoxWithoutSlipsLoadsWithTheWarning) {
    BoxData empty;
    SlipDictionary trash;
    trash.insert("5", makeSlip(5, "only in the trash"));
    empty.setSlips({}, trash);
    LogCapture log;
    BoxData back;
    ASSERT_TRUE(BoxFile::loadBoxData(back, BoxFile::dataRepresentation(empty)).ok());
    EXPECT_TRUE(back.slips().isEmpty());
    EXPECT_EQ(back.numberOfLastSlip(), 5u);
    EXPECT_EQ(log.lines, QStringList{"BoxData:setSlips:deletedSlips: Warning: Could not determine ID of last slip; there "
                                     "must be at least one Slip in the Box."});
}

TEST(BoxFile, NotAnArchiveFailsWithTheLogLineAndChangesNothing) {
    LogCapture log;
    BoxData box = storedBox();
    EXPECT_FALSE(BoxFile::loadBoxData(box, "plain words").ok());
    EXPECT_EQ(log.lines, QStringList{"Don't know what to do with a file that's not a keyed archive!"});
    EXPECT_EQ(box.slips().size(), 3);
    // A damaged archive fails as a whole: nothing half-loaded.
    QByteArray damaged = BoxFile::dataRepresentation(storedBox());
    damaged.replace("Slip", "Slap");
    EXPECT_FALSE(BoxFile::loadBoxData(box, damaged).ok());
    EXPECT_EQ(box.slips().size(), 3);
}

TEST(BoxFile, SavingKeepsABackupAndAFailedSaveKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Notes.fendle");
    BoxData first = storedBox();
    ASSERT_TRUE(BoxFile::writeToURL(first, path).ok());
    const QByteArray firstBytes = BoxFile::dataRepresentation(first);
    first.slipForKey("1")->setSourceWithoutLastModificationDate(QStringLiteral("changed"));
    ASSERT_TRUE(BoxFile::writeToURL(first, path, BoxFile::Form::Keyed, true).ok());
    EXPECT_EQ(BoxFile::backupPath(path), dir.filePath("Notes~.fendle"));
    QFile backup(dir.filePath("Notes~.fendle"));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), firstBytes);
    BoxData reread;
    ASSERT_TRUE(BoxFile::readFromURL(reread, path).ok());
    EXPECT_EQ(reread.slipForKey("1")->source(), QStringLiteral("changed"));
    // No temporary files stay behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // Saving into a folder that does not exist fails and says why.
    const auto failed = BoxFile::writeToURL(first, dir.filePath("missing/Notes.fendle"));
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(failed.error().isEmpty());
}
