#include "BoxWindowFixture.h"
#include "RichTextSamples.h"
#include "app/editing/SlipTextView.h"
#include "platform/richtext/RichTextArchive.h"
#include "platform/richtext/RichTextPasteboard.h"
#include "platform/richtext/RtfReader.h"

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTextCursor>

using namespace fendle;
using namespace fendle::test;

namespace {

// Text going from one slip to another, in one box window or between two,
// by the Edit menu and by dragging, as the user does it.
class SlipTextClipboardTest : public BoxWindowFixture {
protected:
    const QByteArray png = pngBytes(12, 8, Qt::darkGreen);

    SlipTextView* textView() const { return window->slipTextView(); }

    // A box whose slip 3, the one it opens on, is "A", a picture, "B".
    void openBoxWithPicture() {
        SlipDictionary slips;
        for (quint32 n : {1u, 2u, 3u}) {
            auto slip = Slip::create(n);
            RichText text(QStringLiteral("slip %1").arg(n));
            if (n == 3) {
                text = RichText(QStringLiteral("A"));
                text.append(QString(AttachmentCharacter), attachmentAttributes(QStringLiteral("leaf.png"), png));
                text.append(QStringLiteral("B"), {});
            }
            slip->setTextWithoutLastModificationDate(text);
            slips.insert(slip->key(), slip);
        }
        openSlips(slips);
        ASSERT_EQ(current(), "3");
    }

    void selectInText(int from, int to) {
        textView()->setFocus();
        settle();
        QTextCursor cursor = textView()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        textView()->setTextCursor(cursor);
        settle();
    }
    void placeAtEnd() {
        const int end = int(box->editor().text().length());
        selectInText(end, end);
    }
    // The current slip as stored once the user has moved on to another field.
    RichText storedText(const QString& key) {
        EXPECT_EQ(current(), key);
        keywordsField()->setFocus();
        settle();
        const auto text = box->slip(key)->text();
        return text ? *text : RichText();
    }
    // The slip links of a text, in order.
    static QStringList linksIn(const RichText& text) {
        QStringList links;
        for (const RichText::Run& run : text.runs())
            if (const auto link = run.attributes.get<LinkAttribute>(attr::Link)) links.append(link->url);
        return links;
    }
    static QList<QByteArray> picturesIn(const RichText& text) {
        QList<QByteArray> pictures;
        for (const RichText::Run& run : text.runs())
            if (const auto file = run.attributes.get<AttachmentAttribute>(attr::Attachment)) pictures.append(file->contents);
        return pictures;
    }
    // What a drag from another window brings, let go at the end of the slip text.
    void dropAtEnd(const QMimeData& data) {
        QTextCursor end(textView()->document());
        end.movePosition(QTextCursor::End);
        const QPoint point = textView()->cursorRect(end).center();
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(textView()->viewport(), &enter);
        QDragMoveEvent move(point, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(textView()->viewport(), &move);
        QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(textView()->viewport(), &drop);
        settle();
    }
    // A copy of what the clipboard holds now, as a drag would carry it.
    static std::unique_ptr<QMimeData> clipboardCopy() {
        auto copy = std::make_unique<QMimeData>();
        const QMimeData* held = QApplication::clipboard()->mimeData();
        for (const QString& format : held->formats()) copy->setData(format, held->data(format));
        return copy;
    }
};

}  // namespace

TEST_F(SlipTextClipboardTest, CopiedTextKeepsItsPictureInAnotherSlipAndAnotherBox) {
    openBoxWithPicture();
    const std::shared_ptr<Box> boxA = box;
    selectInText(0, 3);
    choose("Copy");
    // Other programs still get RTF and the characters.
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(copied->data("text/rtf").startsWith("{\\rtf1"));
    EXPECT_EQ(copied->text(), QStringLiteral("A\uFFFCB"));

    choose("Previous");
    ASSERT_EQ(current(), "2");
    placeAtEnd();
    choose("Paste");
    const RichText inSlip2 = storedText("2");
    EXPECT_EQ(inSlip2.string(), QStringLiteral("slip 2A\uFFFCB"));
    EXPECT_EQ(picturesIn(inSlip2), QList<QByteArray>{png});

    open({1, 2});
    choose("First");
    placeAtEnd();
    choose("Paste");
    const RichText inOtherBox = storedText("1");
    EXPECT_EQ(inOtherBox.string(), QStringLiteral("slip 1A\uFFFCB"));
    EXPECT_EQ(picturesIn(inOtherBox), QList<QByteArray>{png});

    // Dragged from the first box's window into this one, the picture comes too.
    activate(boxA);
    choose("Last");
    selectInText(1, 2);
    choose("Copy");
    const std::unique_ptr<QMimeData> dragged = clipboardCopy();
    open({1});
    dropAtEnd(*dragged);
    EXPECT_EQ(box->undoManager().undoActionName(), "Drop");
    EXPECT_EQ(box->slip("1")->textString(), QStringLiteral("slip 1\uFFFC"));
    EXPECT_EQ(picturesIn(storedText("1")), QList<QByteArray>{png});
}

TEST_F(SlipTextClipboardTest, CutTextTakesItsPictureAlong) {
    openBoxWithPicture();
    selectInText(0, 2);
    choose("Cut");
    EXPECT_EQ(box->editor().text().string(), QStringLiteral("B"));
    choose("First");
    placeAtEnd();
    choose("Paste");
    EXPECT_EQ(picturesIn(storedText("1")), QList<QByteArray>{png});
    EXPECT_TRUE(picturesIn(*box->slip("3")->text()).isEmpty());
}

TEST_F(SlipTextClipboardTest, SlipLinksLeaveTheBoxNamingItAndComeBackInternal) {
    open({1, 2, 3});
    const std::shared_ptr<Box> boxA = box;
    const QString external = "fendle://3::" + QUrl::fromLocalFile(*box->fileName()).toString();
    // "slip 3": the "3" becomes a link to this slip, then "p 3" is copied.
    selectInText(5, 6);
    choose("Make Slip Link");
    ASSERT_EQ(linksIn(box->editor().text()), QStringList{"fendle://3.self"});
    selectInText(3, 6);
    choose("Copy");
    const std::unique_ptr<QMimeData> dragged = clipboardCopy();
    // Other programs see the link with its box.
    const auto rtf = RtfReader::read(QApplication::clipboard()->mimeData()->data("text/rtf"));
    ASSERT_TRUE(rtf.ok());
    EXPECT_EQ(linksIn(*rtf), QStringList{external});

    // Into another slip of this box the link is internal again.
    choose("First");
    placeAtEnd();
    choose("Paste");
    EXPECT_EQ(linksIn(storedText("1")), QStringList{"fendle://3.self"});

    // Into another box it keeps naming the first one, pasted or dropped.
    open({1, 2, 3});
    choose("First");
    placeAtEnd();
    choose("Paste");
    EXPECT_EQ(linksIn(storedText("1")), QStringList{external});
    choose("Last");
    dropAtEnd(*dragged);
    EXPECT_EQ(linksIn(storedText("3")), QStringList{external});

    // Dropped back into the box it came from, it is internal.
    activate(boxA);
    choose("Next");
    dropAtEnd(*dragged);
    EXPECT_EQ(linksIn(storedText("2")), QStringList{"fendle://3.self"});
}

TEST_F(SlipTextClipboardTest, LinksFromAnUnsavedBoxNeverPointIntoAnother) {
    const BoxPtr first = gui->controller().openUntitledDocument(true);
    ASSERT_NO_FATAL_FAILURE(activate(first));
    textView()->setFocus();
    settle();
    QTest::keyClicks(textView(), QStringLiteral("see 1"));
    selectInText(4, 5);
    choose("Make Slip Link");
    selectInText(0, 5);
    choose("Copy");
    placeAtEnd();
    choose("Paste");
    EXPECT_EQ(linksIn(box->editor().text()), (QStringList{"fendle://1.self", "fendle://1.self"}));

    const BoxPtr second = gui->controller().openUntitledDocument(true);
    ASSERT_NO_FATAL_FAILURE(activate(second));
    textView()->setFocus();
    settle();
    choose("Paste");
    const QStringList links = linksIn(box->editor().text());
    ASSERT_EQ(links.size(), 1);
    EXPECT_NE(links.first(), "fendle://1.self") << "it would name this box's slip 1";
    EXPECT_TRUE(links.first().startsWith("fendle://1::")) << links.first().toStdString();
}

TEST_F(SlipTextClipboardTest, ADamagedArchiveOnTheClipboardIsRefusedForTheOtherForms) {
    open({1});
    RichText pictured(QStringLiteral("x"));
    pictured.append(QString(AttachmentCharacter), attachmentAttributes(QStringLiteral("leaf.png"), png));
    const QByteArray archive = RichTextArchive::archive(pictured);
    const QList<QByteArray> damaged{archive.left(archive.size() / 2), archive.left(40), QByteArray(300, '\xff'),
                                    QByteArray("bplist00") + QByteArray(64, '\0')};
    for (const QByteArray& bytes : damaged) {
        auto* data = new QMimeData;
        data->setData(RichTextPasteboard::RichTextType, bytes);
        data->setData("text/rtf", "{\\rtf1 rtf}");
        data->setText("plain");
        QApplication::clipboard()->setMimeData(data);
        selectInText(0, int(box->editor().text().length()));
        choose("Paste");
        EXPECT_EQ(box->editor().text().string(), "rtf");

        data = new QMimeData;
        data->setData(RichTextPasteboard::RichTextType, bytes);
        data->setText("plain");
        QApplication::clipboard()->setMimeData(data);
        selectInText(0, 3);
        choose("Paste");
        EXPECT_EQ(box->editor().text().string(), "plain");
    }
}
