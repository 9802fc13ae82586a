#include "app/editing/SlipTextDrop.h"
#include "app/editing/SlipTextView.h"
#include "document/BoxFixture.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/ui/Pasteboard.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace fendle;
using namespace fendle::test;

namespace {

// Drops on the slip text: what each kind of drag brings, one "Drop" step each.
class SlipTextDropTest : public BoxFixture {
protected:
    QTemporaryDir folder;

    void SetUp() override {
        fill({1, 2});
        show("1");
    }
    bool drop(const QMimeData& data, qsizetype index, Qt::DropAction action = Qt::CopyAction) {
        UndoManager::EventScope event(doc->undoManager());
        return SlipTextDrop(*doc, [](const QString& text) { return RichText(text); }).perform(data, action, index);
    }
    QString text() const { return doc->currentSlip()->textString(); }
    QString linkAt(qsizetype index) const {
        const auto link = doc->currentSlip()->text()->attributesAt(index).get<LinkAttribute>(attr::Link);
        return link ? link->url : QString();
    }
    QString write(const QString& name, const QByteArray& contents) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return path;
    }
};

TEST_F(SlipTextDropTest, RichTextWinsOverThePlainFormAndLinksIntoThisBoxBecomeInternal) {
    doc->setFileName(QString("/home/me/A.fendle"));
    QMimeData data;
    data.setText("plain form");
    data.setData(Pasteboard::RtfType,
                 R"({\rtf1 see {\field{\*\fldinst{HYPERLINK "fendle://2::file:///home/me/A.fendle"}}{\fldrslt two}}})");
    ASSERT_TRUE(drop(data, 0));
    EXPECT_TRUE(text().startsWith("see two")) << text().toStdString();
    EXPECT_EQ(linkAt(5), "fendle://2.self");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
    doc->undoManager().undo();
    EXPECT_EQ(text(), "slip 1");
}

TEST_F(SlipTextDropTest, TextFilesAreInsertedPicturesAttachedOtherFilesAndLinkDragsLinked) {
    const QString notes = write("notes.txt", "from a file");
    const QString picture = write("photo.jpg", "JFIF");
    QMimeData textFile;
    textFile.setUrls({QUrl::fromLocalFile(notes)});
    ASSERT_TRUE(drop(textFile, 6));
    EXPECT_EQ(text(), "slip 1from a file");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");

    QMimeData mixed;
    mixed.setUrls({QUrl::fromLocalFile(notes), QUrl::fromLocalFile(picture)});
    ASSERT_TRUE(drop(mixed, 0));
    EXPECT_TRUE(text().startsWith(QString("notes.txt ") + QChar(AttachmentCharacter))) << text().toStdString();
    EXPECT_EQ(linkAt(0), "file://" + notes);
    const auto attachment = doc->currentSlip()->text()->attributesAt(10).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(attachment.has_value());
    EXPECT_EQ(attachment->contents, "JFIF");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");

    // A link drag makes even a text file or a picture a link.
    ASSERT_TRUE(drop(mixed, 0, Qt::LinkAction));
    EXPECT_TRUE(text().startsWith("notes.txt photo.jpg")) << text().toStdString();
    EXPECT_EQ(linkAt(10), "file://" + picture);
    EXPECT_EQ(doc->undoManager().undoActionName(), "Add link to files");
}

TEST_F(SlipTextDropTest, WebAddressesBecomeLinksTitledByTheDragOrByThemselves) {
    QMimeData bare;
    bare.setUrls({QUrl("https://example.org/a")});
    ASSERT_TRUE(drop(bare, 0));
    EXPECT_TRUE(text().startsWith("https://example.org/aslip 1"));
    EXPECT_EQ(linkAt(3), "https://example.org/a");

    QMimeData titled;
    titled.setUrls({QUrl("https://example.org/b")});
    const QString moz = "https://example.org/b\nExample B";
    titled.setData("text/x-moz-url", QByteArray(reinterpret_cast<const char*>(moz.utf16()), moz.size() * 2));
    ASSERT_TRUE(drop(titled, 0));
    EXPECT_TRUE(text().startsWith("Example Bhttps://")) << text().toStdString();
    EXPECT_EQ(linkAt(0), "https://example.org/b");

    QMimeData reference;
    reference.setUrls({QUrl("bookends://sonnysoftware.com/123")});
    EXPECT_FALSE(drop(reference, 0));
}

TEST_F(SlipTextDropTest, PlainTextIsInsertedAndNothingElseIsTaken) {
    QMimeData plain;
    plain.setText(" and more");
    ASSERT_TRUE(drop(plain, 99));
    EXPECT_EQ(text(), "slip 1 and more");
    QMimeData nothing;
    nothing.setData("application/octet-stream", "xx");
    EXPECT_FALSE(drop(nothing, 0));
}

TEST_F(SlipTextDropTest, ADropOnTheViewLandsUnderThePointerAndCtrlClickFollowsSlipLinks) {
    RichText linked("go ");
    Attributes link;
    link.set(attr::Link, LinkAttribute{"fendle://2.self", true});
    linked.append("two", link);
    doc->currentSlip()->setTextWithoutLastModificationDate(linked);
    doc->editor().setSlipText(linked);
    SlipTextView view(*doc);
    view.resize(400, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    ASSERT_FALSE(view.isReadOnly());
    EXPECT_TRUE(view.viewport()->acceptDrops());
    QSignalSpy dropped(&view, &SlipTextView::textDropped);
    QMimeData data;
    data.setText("X");
    QTextCursor start(view.document());
    const QPoint atStart = view.cursorRect(start).center();
    // As a real drag: it enters and moves before it drops.
    QDragEnterEvent enter(atStart, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(atStart, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &move);
    QDropEvent event(atStart, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &event);
    EXPECT_EQ(dropped.count(), 1);
    EXPECT_EQ(text(), "Xgo two");
    EXPECT_EQ(view.toPlainText(), "Xgo two");

    QSignalSpy clicked(&view, &SlipTextView::linkClicked);
    QTextCursor inLink(view.document());
    inLink.setPosition(5);
    const QPoint onLink = view.cursorRect(inLink).center() + QPoint(2, 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, onLink);
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, onLink);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.first().first().toString(), "fendle://2.self");
}

}  // namespace
