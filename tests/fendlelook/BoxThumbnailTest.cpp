// Box files drawn by the box thumbnailer: which slip, and how.
#include "BoxFiles.h"
#include "ReferenceThumbnail.h"
#include "boxthumbnailer/BoxThumbnail.h"
#include "document/Box.h"
#include "platform/files/ExtendedAttributes.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class BoxThumbnailTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    BoxData box = threeSlipBox();
    QString path = writeBox(folder, QStringLiteral("Notes.fendle"), box);

    void SetUp() override {
        if (!ExtendedAttributes::set(path, QStringLiteral("probe"), "1").ok)
            GTEST_SKIP() << "this file system refuses user extended attributes";
        ExtendedAttributes::remove(path, QStringLiteral("probe"));
    }
    QString shownKey() const {
        const SlipPtr slip = BoxThumbnail::slipToShow(box, path);
        return slip ? slip->key() : QString();
    }
};

TEST_F(BoxThumbnailTest, ShowsTheSlipLastOpenElseTheFirst) {
    EXPECT_EQ(shownKey(), QStringLiteral("1"));
    ASSERT_TRUE(ExtendedAttributes::set(path, Box::OtherLastSlipOpenAttribute, "3").ok);
    EXPECT_EQ(shownKey(), QStringLiteral("3"));
    // The name the program writes on closing comes first.
    ASSERT_TRUE(ExtendedAttributes::set(path, Box::LastSlipOpenAttribute, " 2\n").ok);
    EXPECT_EQ(shownKey(), QStringLiteral("2"));
    // A slip the box no longer holds falls back to the first.
    ASSERT_TRUE(ExtendedAttributes::set(path, Box::LastSlipOpenAttribute, "9").ok);
    EXPECT_EQ(shownKey(), QStringLiteral("1"));
}

TEST_F(BoxThumbnailTest, DrawsTheSlipAsItsCacheFileIsDrawn) {
    ASSERT_TRUE(ExtendedAttributes::set(path, Box::LastSlipOpenAttribute, "2").ok);
    const auto thumbnail = BoxThumbnail::draw(path, 256, builtBundle() + QStringLiteral("/Contents/Resources/background.tif"));
    ASSERT_TRUE(thumbnail.ok()) << thumbnail.error().toStdString();
    const QImage expected = referenceThumbnail(
        thumbnailText(QStringLiteral("File: Notes\nSlip: 2\nSource: source 2\n\n"), QStringLiteral("Slip number 2\nits text")),
        {256, 256});
    EXPECT_EQ(*thumbnail, expected);
}

TEST_F(BoxThumbnailTest, TheCacheFileOfASlipLeavesAttachmentsOut) {
    SlipPtr slip = Slip::create(7);
    RichText text(QStringLiteral("Picture: "));
    Attributes attachment;
    attachment.set(attr::Attachment, AttachmentAttribute{QStringLiteral("a.png"), QByteArray("png")});
    text.append(QString(AttachmentCharacter), attachment);
    text.append(QStringLiteral(" done"), {});
    slip->setText(text);
    const look::CacheFile file = BoxThumbnail::cacheFileOf(*slip, path);
    EXPECT_EQ(file.textContent, QStringLiteral("Picture:  done"));
    EXPECT_EQ(file.slipID, QStringLiteral("7"));
    EXPECT_EQ(file.source, QString());
    EXPECT_EQ(file.boxPath, path);
}

TEST(BoxThumbnailFailureTest, FilesThatAreNoBoxesGetNoThumbnail) {
    QTemporaryDir folder;
    const QString garbage = folder.filePath(QStringLiteral("garbage.fendle"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("bplist00 but not really");
    file.close();
    const QString background = builtBundle() + QStringLiteral("/Contents/Resources/background.tif");
    EXPECT_FALSE(BoxThumbnail::draw(garbage, 128, background).ok());
    QFile empty(folder.filePath(QStringLiteral("Empty.fendle")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_FALSE(BoxThumbnail::draw(empty.fileName(), 128, background).ok());
    EXPECT_FALSE(BoxThumbnail::draw(folder.path(), 128, background).ok());
}

}  // namespace
