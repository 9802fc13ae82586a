#include "BoxFixture.h"
#include "document/ImageManager.h"
#include "document/UndoNames.h"

using namespace fendle;
using fendle::test::BoxFixture;

namespace {

// Pictures as text "kind:width:height:displayWidth:displayHeight"; encoding
// keeps the pixels and records the size asked for, as the real one does.
class FakeImageCodec : public ImageCodec {
public:
    bool failEncoding = false;

    static QByteArray picture(const QByteArray& kind, int w, int h, double dw, double dh) {
        return kind + ':' + QByteArray::number(w) + ':' + QByteArray::number(h) + ':' + QByteArray::number(dw) + ':' +
               QByteArray::number(dh);
    }
    std::optional<Info> inspect(const QByteArray& bytes) const override {
        const QList<QByteArray> parts = bytes.split(':');
        if (parts.size() != 5) return std::nullopt;
        return Info{QSize(parts[1].toInt(), parts[2].toInt()), QSizeF(parts[3].toDouble(), parts[4].toDouble())};
    }
    std::optional<QByteArray> encodeJpeg(const QByteArray& bytes, QSizeF displaySize) const override {
        const std::optional<Info> info = inspect(bytes);
        if (failEncoding || !info) return std::nullopt;
        return picture("jpeg", info->pixels.width(), info->pixels.height(), displaySize.width(), displaySize.height());
    }
};

RichText pictureText(const QString& name, const QByteArray& bytes) {
    Attributes attributes;
    attributes.set(attr::Attachment, AttachmentAttribute{name, bytes});
    RichText text(QStringLiteral("Look: "));
    text.append(RichText(QString(QChar(AttachmentCharacter)), attributes));
    text.append(QStringLiteral(" and "), {});
    text.append(RichText(QString(QChar(AttachmentCharacter)), attributes));
    return text;
}

class ImageManagerTest : public BoxFixture {
protected:
    FakeImageCodec codec;
    ImageManager manager{codec};
    static constexpr qsizetype FirstPicture = 6;

    void SetUp() override {
        fill({1, 2});
        command([&] {
            doc->editor().setSlipText(pictureText("image1.jpg", FakeImageCodec::picture("png", 200, 100, 200, 100)));
            doc->editor().setSelectedRangesOfSlipText({TextRange{FirstPicture, 1}});
            doc->storeCurrentSlip();
        });
        doc->currentSlip()->setLastModificationTime(oldTime(30));
        doc->undoManager().removeAllActions();
    }
    AttachmentAttribute attachmentAt(qsizetype index) const {
        return *doc->editor().text().attributesAt(index).get<AttachmentAttribute>(attr::Attachment);
    }
    QSizeF shownSizeAt(qsizetype index) const { return codec.inspect(attachmentAt(index).contents)->displaySize; }
};

}  // namespace

TEST_F(ImageManagerTest, OnlyASelectionOfExactlyOnePictureCanBeResized) {
    EXPECT_TRUE(manager.isPictureSelected(*doc));
    for (TextRange range : {TextRange{0, 4}, TextRange{FirstPicture, 0}, TextRange{FirstPicture, 2}, TextRange{1, 1}}) {
        doc->editor().setSelectedRangesOfSlipText({range});
        EXPECT_FALSE(manager.isPictureSelected(*doc)) << range.location << "," << range.length;
        EXPECT_FALSE(manager.initiateResizeImage(*doc));
        EXPECT_FALSE(manager.isActive());
    }
    // An attachment that is no picture (a file) cannot be resized either.
    command([&] {
        doc->editor().setSlipText(pictureText("notes.txt", "just some text"));
        doc->editor().setSelectedRangesOfSlipText({TextRange{FirstPicture, 1}});
    });
    EXPECT_FALSE(manager.initiateResizeImage(*doc));
}

TEST_F(ImageManagerTest, StartingNamesTheAttachmentsApartAndTakesThePictureSize) {
    command([&] {
        doc->editor().setSlipText(pictureText("image1.jpg", FakeImageCodec::picture("png", 200, 100, 100, 25)));
        doc->editor().setSelectedRangesOfSlipText({TextRange{FirstPicture, 1}});
    });
    ASSERT_TRUE(manager.initiateResizeImage(*doc));
    EXPECT_EQ(attachmentAt(FirstPicture).fileName, "image1.jpg");
    EXPECT_EQ(attachmentAt(FirstPicture + 6).fileName, "image1-1.jpg");
    EXPECT_EQ(manager.imageNumber(), 1u);
    EXPECT_EQ(manager.originalWidth(), 200);
    EXPECT_EQ(manager.originalHeight(), 100);
    EXPECT_DOUBLE_EQ(manager.widthScaleFactor(), 50.0);
    EXPECT_DOUBLE_EQ(manager.heightScaleFactor(), 25.0);
    EXPECT_DOUBLE_EQ(manager.sliderScaleFactor(), 50.0);
    EXPECT_EQ(ImageManager::formatScaleFactor(manager.heightScaleFactor()), "25.0");
    // Naming is no step of its own.
    EXPECT_FALSE(doc->undoManager().canUndo());
}

TEST_F(ImageManagerTest, HalvingWithProportionsConstrainedIsOneResizeImageStepThatUndoTakesBack) {
    int reopened = 0;
    QObject::connect(doc.get(), &Box::imageResizeRestored, [&] {
        ++reopened;
        manager.initiateResizeImage(*doc);
    });
    ASSERT_TRUE(manager.initiateResizeImage(*doc));
    const RichText before = doc->currentSlip()->text().value();
    const QDateTime modifiedBefore = doc->currentSlip()->lastModificationTime();
    manager.setConstrainProportions(true);
    bool resized = false;
    command([&] { resized = manager.resizeImageWidthAction(*doc, ui, 50); });
    ASSERT_TRUE(resized);
    EXPECT_EQ(shownSizeAt(FirstPicture), QSizeF(100, 50));
    EXPECT_TRUE(attachmentAt(FirstPicture).contents.startsWith("jpeg:200:100"));
    EXPECT_EQ(attachmentAt(FirstPicture).fileName, "image1.jpg");
    // The other picture and the selection are left as they were, on the stored slip too.
    EXPECT_EQ(shownSizeAt(FirstPicture + 6), QSizeF(200, 100));
    EXPECT_EQ(doc->editor().selectedRange(), (TextRange{FirstPicture, 1}));
    EXPECT_EQ(doc->currentSlip()->text(), doc->editor().text());
    EXPECT_GT(doc->currentSlip()->lastModificationTime(), modifiedBefore);
    EXPECT_EQ(doc->undoManager().undoActionName(), undo_names::ResizeImage);

    undo();
    EXPECT_EQ(doc->currentSlip()->text(), before);
    EXPECT_EQ(doc->currentSlip()->lastModificationTime(), modifiedBefore);
    EXPECT_EQ(reopened, 1);
    EXPECT_TRUE(manager.isActive());
    EXPECT_DOUBLE_EQ(manager.widthScaleFactor(), 100.0);
    redo();
    EXPECT_EQ(shownSizeAt(FirstPicture), QSizeF(100, 50));
    EXPECT_EQ(reopened, 2);
}

TEST_F(ImageManagerTest, WidthAloneChangesOnlyTheWidthWhenProportionsAreFree) {
    ASSERT_TRUE(manager.initiateResizeImage(*doc));
    manager.setConstrainProportions(false);
    command([&] { manager.resizeImageWidthAction(*doc, ui, 25); });
    EXPECT_EQ(shownSizeAt(FirstPicture), QSizeF(50, 100));
    EXPECT_DOUBLE_EQ(manager.sliderScaleFactor(), 25.0);
    command([&] { manager.resizeImageHeightAction(*doc, ui, 10); });
    EXPECT_EQ(shownSizeAt(FirstPicture), QSizeF(50, 10));
    EXPECT_DOUBLE_EQ(manager.sliderScaleFactor(), 10.0);
    command([&] { manager.resizeImageSliderAction(*doc, ui, 150); });
    EXPECT_EQ(shownSizeAt(FirstPicture), QSizeF(300, 150));
}

TEST_F(ImageManagerTest, TheSameSizeOrAFailedEncodingChangesNothing) {
    ASSERT_TRUE(manager.initiateResizeImage(*doc));
    bool resized = true;
    // 100.4 % of 200 pixels is still 200 when rounded down.
    command([&] { resized = manager.resizeImageSliderAction(*doc, ui, 100.4); });
    EXPECT_FALSE(resized);
    EXPECT_FALSE(doc->undoManager().canUndo());

    codec.failEncoding = true;
    const RichText before = doc->editor().text();
    command([&] { resized = manager.resizeImageSliderAction(*doc, ui, 50); });
    EXPECT_FALSE(resized);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(doc->editor().text(), before);
    EXPECT_FALSE(doc->undoManager().canUndo());
}

TEST_F(ImageManagerTest, FactorsOutOfRangeAreHeldToTheLimits) {
    ASSERT_TRUE(manager.initiateResizeImage(*doc));
    command([&] { manager.resizeImageSliderAction(*doc, ui, 1e12); });
    EXPECT_DOUBLE_EQ(manager.widthScaleFactor(), ImageManager::MaximumScaleFactor);
    EXPECT_EQ(shownSizeAt(FirstPicture), QSizeF(800, 400));
    command([&] { manager.resizeImageSliderAction(*doc, ui, -5); });
    EXPECT_DOUBLE_EQ(manager.widthScaleFactor(), ImageManager::MinimumScaleFactor);
    EXPECT_EQ(shownSizeAt(FirstPicture), QSizeF(2, 1));
    command([&] { manager.resizeImageSliderAction(*doc, ui, std::nan("")); });
    EXPECT_DOUBLE_EQ(manager.widthScaleFactor(), 100.0);
}

TEST_F(ImageManagerTest, APictureTakenOnAnotherSlipIsNotResizedHere) {
    ASSERT_TRUE(manager.initiateResizeImage(*doc));
    command([&] { show("1"); });
    const RichText other = doc->editor().text();
    bool resized = true;
    command([&] { resized = manager.resizeImageSliderAction(*doc, ui, 50); });
    EXPECT_FALSE(resized);
    EXPECT_EQ(doc->editor().text(), other);
}
