#include "GuiFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/program/FendleGui.h"
#include "app/windows/InfoPanel.h"
#include "app/editing/JpegImageCodec.h"
#include "app/dialogs/ResizeImageView.h"
#include "app/editing/SlipTextView.h"
#include "appcore/Preferences.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "platform/system/Defaults.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

QByteArray pngOf(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(20, 120, 200, 128));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class ImageResizingTest : public test::GuiFixture {
protected:
    BoxPtr box;
    BoxWindow* window = nullptr;
    const QByteArray png = pngOf(200, 100);
    static constexpr int Picture = 4;
    JpegImageCodec codec;

    void SetUp() override {
        box = gui->controller().openUntitledDocument(true);
        window = gui->windowOf(*box);
        ASSERT_NE(window, nullptr);
        {
            UndoManager::EventScope event(box->undoManager());
            box->addSlip();
            Attributes picture;
            picture.set(attr::Attachment, AttachmentAttribute{QString(), png});
            RichText text(QStringLiteral("See "));
            text.append(RichText(QString(QChar(AttachmentCharacter)), picture));
            text.append(QStringLiteral(" here"), {});
            box->editor().setSlipText(text);
            box->storeCurrentSlip();
            box->updateWindow();
        }
        box->undoManager().removeAllActions();
        window->validateCommands();
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override {
        discardChanges(*box);
        if (window) window->close();
        QApplication::processEvents();
    }

    void selectInText(int from, int to) {
        SlipTextView* view = window->slipTextView();
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        view->setTextCursor(cursor);
        QApplication::processEvents();
    }
    ResizeImageView& openResizeView() {
        InfoPanel& panel = gui->inspector();
        panel.show();
        panel.showView(InfoPanel::ResizeImageViewName);
        return *panel.resizeImageView();
    }
    AttachmentAttribute attachment() const {
        return *box->currentSlip()->text()->attributesAt(Picture).get<AttachmentAttribute>(attr::Attachment);
    }
    // The size the text view lays the picture out at.
    QSizeF shownInTextView() const {
        const QTextDocument* document = window->slipTextView()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
                    return {format.width(), format.height()};
                }
        return {};
    }
    void choose(const QString& title) {
        window->validateCommands();
        QAction* item = window->boxMenuBar()->item(title);
        ASSERT_NE(item, nullptr) << title.toStdString();
        ASSERT_TRUE(item->isEnabled()) << title.toStdString();
        item->trigger();
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(ImageResizingTest, TheViewIsEnabledOnlyWhileOnePictureIsSelected) {
    ResizeImageView& view = openResizeView();
    EXPECT_EQ(gui->inspector().windowTitle(), "Resize Image");
    EXPECT_FALSE(view.resizeSlider()->isEnabled());
    selectInText(Picture, Picture + 1);
    EXPECT_TRUE(view.resizeSlider()->isEnabled());
    EXPECT_TRUE(view.constrainProportionsButton()->isEnabled());
    EXPECT_EQ(view.widthResizeTextField()->text(), "100.0");
    EXPECT_EQ(view.heightResizeStepper()->value(), 100);
    // The nameless picture got a name of its own.
    EXPECT_EQ(attachment().fileName, "image1.jpg");
    selectInText(0, Picture + 1);
    EXPECT_FALSE(view.resizeSlider()->isEnabled());
    EXPECT_FALSE(view.widthResizeTextField()->isEnabled());
    selectInText(Picture, Picture + 1);
    EXPECT_TRUE(view.widthResizeTextField()->isEnabled());
    gui->inspector().hide();
    EXPECT_EQ(defaults.stringForKey(InfoPanel::SelectedViewKey), InfoPanel::ResizeImageViewName);
}

TEST_F(ImageResizingTest, ClicksOnThePictureSelectAndOfferResizingButClicksBesideItDoNot) {
    SlipTextView* view = window->slipTextView();
    QTextCursor before(view->document());
    before.setPosition(Picture);
    QTextCursor after(view->document());
    after.setPosition(Picture + 1);
    const QRect left = view->cursorRect(before), right = view->cursorRect(after);
    const QPoint onPicture((left.center().x() + right.center().x()) / 2, right.center().y());

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onPicture);
    EXPECT_EQ(view->textCursor().selectionStart(), Picture);
    EXPECT_EQ(view->textCursor().selectionEnd(), Picture + 1);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, onPicture);
    EXPECT_TRUE(gui->inspector().isVisible());
    EXPECT_EQ(gui->inspector().windowTitle(), "Resize Image");

    // With the picture last, a click below the last line only places the
    // cursor after it: typing keeps the picture.
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    for (int i = 0; i < 5; ++i) QTest::keyClick(view, Qt::Key_Backspace);
    ASSERT_EQ(view->toPlainText(), QStringLiteral("See \uFFFC"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(onPicture.x(), view->viewport()->height() - 4));
    EXPECT_FALSE(view->textCursor().hasSelection());
    QTest::keyClicks(view, "x");
    QApplication::processEvents();
    EXPECT_EQ(box->editor().text().string(), QStringLiteral("See \uFFFCx"));
}

TEST_F(ImageResizingTest, HalvingStoresAJpegShownAtHalfSizeAndUndoBringsThePictureBack) {
    ResizeImageView& view = openResizeView();
    selectInText(Picture, Picture + 1);
    ASSERT_TRUE(view.constrainProportionsButton()->isChecked());
    view.widthResizeTextField()->setText("50");
    emit view.widthResizeTextField()->editingFinished();

    const AttachmentAttribute resized = attachment();
    EXPECT_TRUE(resized.contents.startsWith("\xFF\xD8"));
    const std::optional<ImageCodec::Info> info = codec.inspect(resized.contents);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pixels, QSize(200, 100));
    EXPECT_EQ(info->displaySize, QSizeF(100, 50));
    EXPECT_EQ(view.widthResizeTextField()->text(), "50.0");
    EXPECT_EQ(view.heightResizeTextField()->text(), "50.0");
    EXPECT_EQ(view.resizeSlider()->value(), 50);
    EXPECT_EQ(shownInTextView(), QSizeF(100, 50));
    EXPECT_EQ(box->undoManager().undoActionName(), "Resize Image");

    choose("Undo Resize Image");
    EXPECT_EQ(attachment().contents, png);
    EXPECT_EQ(shownInTextView(), QSizeF(200, 100));
    // The picture is taken up again, at its old size.
    EXPECT_TRUE(view.resizeSlider()->isEnabled());
    EXPECT_EQ(view.widthResizeTextField()->text(), "100.0");
    choose("Redo Resize Image");
    EXPECT_EQ(codec.inspect(attachment().contents)->displaySize, QSizeF(100, 50));
    EXPECT_EQ(view.widthResizeTextField()->text(), "50.0");
}

TEST_F(ImageResizingTest, NonsenseInAFieldIsReplacedByTheFactorShown) {
    ResizeImageView& view = openResizeView();
    selectInText(Picture, Picture + 1);
    const QByteArray before = attachment().contents;
    view.widthResizeTextField()->setText("abc");
    emit view.widthResizeTextField()->editingFinished();
    EXPECT_EQ(view.widthResizeTextField()->text(), "100.0");
    EXPECT_EQ(attachment().contents, before);
    EXPECT_FALSE(box->undoManager().canUndo());
}

TEST_F(ImageResizingTest, TheShownSizeSurvivesTheBoxFile) {
    ResizeImageView& view = openResizeView();
    selectInText(Picture, Picture + 1);
    view.resizeSlider()->setValue(25);
    ASSERT_EQ(codec.inspect(attachment().contents)->displaySize, QSizeF(50, 25));
    const QString key = box->currentSlip()->key();

    const QByteArray keyed = BoxFile::dataRepresentation(box->box());
    BoxData reread;
    ASSERT_TRUE(BoxFile::loadBoxData(reread, keyed).ok());
    const SlipPtr slip = reread.slipForKey(key);
    ASSERT_NE(slip, nullptr);
    const auto kept = slip->text()->attributesAt(Picture).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->fileName, "image1.jpg");
    EXPECT_EQ(codec.inspect(kept->contents)->displaySize, QSizeF(50, 25));

}

TEST_F(ImageResizingTest, HostileBytesAreNoPictureToResize) {
    // A header claiming a huge picture, and bytes that are no picture at all.
    QByteArray huge = pngOf(4, 4);
    // IHDR width and height follow the signature (8), length (4) and type (4).
    huge.replace(16, 8, QByteArray("\x00\x01\x00\x00\x00\x01\x00\x00", 8));
    for (const QByteArray& bytes : {huge, QByteArray("\xFF\xD8\xFF\xE0garbage", 10), QByteArray()}) {
        EXPECT_FALSE(codec.inspect(bytes));
        EXPECT_FALSE(codec.encodeJpeg(bytes, QSizeF(10, 10)));
    }
    EXPECT_FALSE(codec.encodeJpeg(png, QSizeF(0, 10)));
    EXPECT_FALSE(codec.encodeJpeg(png, QSizeF(std::nan(""), 10)));
}
