#include "BoxWindowFixture.h"
#include "LocalWebServer.h"
#include "app/program/DesktopWebResources.h"
#include "app/editing/SlipFields.h"
#include "app/editing/SlipTextDrop.h"
#include "app/editing/SlipTextView.h"
#include "app/editing/WebPageReader.h"
#include "appcore/FendleApplication.h"
#include "document/BoxFixture.h"
#include "document/SlipTextDragAndDrop.h"
#include "document/WebContentDrop.h"

#include <QApplication>
#include <QBuffer>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace fendle;
using namespace fendle::test;

namespace {

QByteArray smallPng() {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Downloads land in a scratch folder of the test, not the user's.
class ScratchDataHome {
public:
    ScratchDataHome() : previous_(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", folder_.path().toUtf8()); }
    ~ScratchDataHome() { qputenv("XDG_DATA_HOME", previous_); }

private:
    QTemporaryDir folder_;
    QByteArray previous_;
};

const QByteArray Article = R"(<html><head><meta name="keywords" content="owls, night birds ,"></head>
<body><h1>Owls</h1><p>See <a href="/pictures.html">pictures</a>.</p></body></html>)";

// Drops of web addresses on the real source field and slip text, fetched
// from a server inside the test.
class WebLinkDropTest : public BoxFixture {
protected:
    ScratchDataHome dataHome;
    CursorRecordingWebServer server;
    const QByteArray png = smallPng();
    DesktopWebResources desktopWeb;

    void SetUp() override {
        ASSERT_TRUE(server.listening());
        server.pages["/owls.html"] = {"text/html; charset=utf-8", Article};
        server.pages["/img/owl.png"] = {"image/png", png};
        // The box fetches through the program's own readers.
        doc = std::make_unique<Box>(ui, pasteboard, preferences, desktopWeb);
        announced.listenTo(*doc);
        fill({1, 2, 12});
        show("1");
    }
    const Slip& slip() const { return *doc->currentSlip(); }

    // As a drag from a browser: it enters the field, then drops.
    void dropOnSourceField(SlipFields& fields, QMimeData& data, Qt::DropActions actions = Qt::CopyAction | Qt::LinkAction) {
        QWidget* field = fields.sourceField();
        const QPoint at = field->rect().center();
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field, &enter);
        QDropEvent drop(at, actions, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field, &drop);
    }
    bool dropOnText(const QMimeData& data, qsizetype index) {
        UndoManager::EventScope event(doc->undoManager());
        return SlipTextDrop(*doc, [](const QString& text) { return RichText(text); }).perform(data, Qt::CopyAction, index);
    }
    QString linkAt(qsizetype index) const {
        const auto link = slip().text()->attributesAt(index).get<LinkAttribute>(attr::Link);
        return link ? link->url : QString();
    }
};

TEST_F(WebLinkDropTest, JustLinkOnTheSourceFieldLinksWithoutDownloading) {
    SlipFields fields(*doc);
    fields.showEditorFields();
    QMimeData data;
    data.setUrls({server.url("/owls.html")});
    ui.answers = {0};
    dropOnSourceField(fields, data);
    EXPECT_EQ(slip().source(), server.url("/owls.html").toString());
    EXPECT_EQ(fields.sourceField()->text(), server.url("/owls.html").toString());
    EXPECT_EQ(slip().textString(), "slip 1");
    EXPECT_TRUE(server.requested.isEmpty());
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
}

TEST_F(WebLinkDropTest, LinkAndReplaceOnTheSourceFieldTakesThePageAndItsKeywordsAndUndoPutsAllBack) {
    SlipFields fields(*doc);
    fields.showEditorFields();
    const BoxSnapshot before = snapshot();
    QMimeData data;
    data.setUrls({server.url("/owls.html")});
    ui.answers = {1, 1};
    dropOnSourceField(fields, data);
    EXPECT_EQ(server.requested, QStringList{"/owls.html"});
    ASSERT_EQ(ui.questions.size(), 2);
    EXPECT_EQ(ui.questions[1].message, "The web-site specifies keywords");
    EXPECT_TRUE(slip().textString().contains("Owls")) << slip().textString().toStdString();
    EXPECT_TRUE(slip().textString().contains("See pictures."));
    EXPECT_EQ(linkAt(slip().textString().indexOf("pictures")), server.url("/pictures.html").toString());
    EXPECT_EQ(slip().keywords().toStringList(), (QStringList{"owls", "night birds"}));
    EXPECT_EQ(fields.keywordsField()->text(), "owls, night birds");

    undo();
    EXPECT_EQ(snapshot(), before);
    fields.showEditorFields();
    EXPECT_EQ(fields.sourceField()->text(), "src 1");
    EXPECT_EQ(fields.keywordsField()->text(), "k1");
}

TEST_F(WebLinkDropTest, AFailedDownloadLeavesTheSlipUnchangedWithAnAlert) {
    SlipFields fields(*doc);
    const BoxSnapshot before = snapshot();
    QMimeData missing;
    missing.setUrls({server.url("/gone.html")});
    ui.answers = {1};
    dropOnSourceField(fields, missing);
    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, WebContentDrop::FetchFailedMessage);
    EXPECT_TRUE(ui.alerts[0].informativeText.contains("Not Found")) << ui.alerts[0].informativeText.toStdString();

    // The server is gone altogether: the picture cannot come either.
    const QUrl picture = server.url("/img/owl.png");
    server.close();
    QMimeData media;
    media.setUrls({picture});
    EXPECT_TRUE(dropOnText(media, 0));
    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(ui.alerts.size(), 2);
    EXPECT_TRUE(ui.alerts[1].informativeText.contains(picture.toString()));
}

TEST_F(WebLinkDropTest, FilesDroppedOnTheSourceFieldBecomeFileLinksAndPlainStringsAreAppended) {
    SlipFields fields(*doc);
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile("/home/me/paper draft.pdf")});
    dropOnSourceField(fields, file);
    EXPECT_EQ(slip().source(), "file:///home/me/paper draft.pdf");
    EXPECT_TRUE(ui.questions.isEmpty());

    // Without a copy on offer the field's own drop applies: nothing of ours.
    QMimeData moved;
    moved.setUrls({server.url("/owls.html")});
    dropOnSourceField(fields, moved, Qt::MoveAction);
    EXPECT_EQ(slip().source(), "file:///home/me/paper draft.pdf");
    EXPECT_TRUE(ui.questions.isEmpty());

    QMimeData cite;
    cite.setText("\\cite{Smith1999}");
    doc->editor().setSource(QString());
    dropOnSourceField(fields, cite);
    EXPECT_EQ(slip().source(), "Smith1999");
}

TEST_F(WebLinkDropTest, AMediaAddressDroppedOnTheTextComesInAsOneAttachment) {
    QMimeData data;
    data.setUrls({server.url("/img/owl.png")});
    ASSERT_TRUE(dropOnText(data, 4));
    EXPECT_EQ(slip().textString(), QString("slip") + QChar::ObjectReplacementCharacter + " 1");
    qsizetype attachments = 0;
    for (qsizetype i = 0; i < slip().text()->length(); ++i)
        if (const auto a = slip().text()->attributesAt(i).get<AttachmentAttribute>(attr::Attachment)) {
            ++attachments;
            EXPECT_EQ(a->fileName, "owl.png");
            EXPECT_EQ(a->contents, png);
        }
    EXPECT_EQ(attachments, 1);
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
    undo();
    EXPECT_EQ(slip().textString(), "slip 1");
}

TEST_F(WebLinkDropTest, TitledLinksAreLinkedByTheirTitleAndSlipLinksIntoThisBoxBecomeInternal) {
    doc->setFileName(QString("/home/me/A.fendle"));
    QMimeData slipLink;
    slipLink.setData(sliptextdrag::WebUrlsWithTitlesType,
                     sliptextdrag::urlsWithTitlesData({{"fendle://12::file:///home/me/A.fendle"}, {"Slip twelve"}}));
    slipLink.setData(sliptextdrag::InternalSlipLinkType, "fendle://12.self");
    ASSERT_TRUE(dropOnText(slipLink, 0));
    EXPECT_TRUE(slip().textString().startsWith("Slip twelveslip 1"));
    EXPECT_EQ(linkAt(0), "fendle://12.self");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");

    // Into another box the link keeps naming its own box.
    doc->setFileName(QString("/home/me/B.fendle"));
    ASSERT_TRUE(dropOnText(slipLink, 0));
    EXPECT_EQ(linkAt(0), "fendle://12::file:///home/me/A.fendle");

    QMimeData web;
    web.setUrls({QUrl("https://example.org/a")});
    web.setData(sliptextdrag::WebUrlsWithTitlesType,
                sliptextdrag::urlsWithTitlesData({{"https://example.org/a", "https://example.org/b"}, {"First", "Second"}}));
    ASSERT_TRUE(dropOnText(web, 0));
    EXPECT_TRUE(slip().textString().startsWith("First")) << slip().textString().toStdString();
    EXPECT_EQ(linkAt(0), "https://example.org/a");

    // Without a title the address stands for it rather than leaving an invisible link.
    QMimeData untitled;
    untitled.setData(sliptextdrag::WebUrlsWithTitlesType, sliptextdrag::urlsWithTitlesData({{"https://example.org/c"}, {}}));
    ASSERT_TRUE(dropOnText(untitled, 0));
    EXPECT_TRUE(slip().textString().startsWith("https://example.org/cFirst"));
    EXPECT_TRUE(server.requested.isEmpty());
}

// The window gives the box its readers: a media drop on its slip text
// is fetched, with the busy cursor only while it runs.
class WebLinkDropWindowTest : public BoxWindowFixture {};

TEST_F(WebLinkDropWindowTest, TheWindowFetchesDroppedMediaForItsSlipText) {
    ScratchDataHome dataHome;
    CursorRecordingWebServer server;
    ASSERT_TRUE(server.listening());
    server.pages["/owl.png"] = {"image/png", smallPng()};
    open({1});
    SlipTextView* view = window->slipTextView();
    QMimeData data;
    data.setUrls({server.url("/owl.png")});
    const QPoint at = view->cursorRect(QTextCursor(view->document())).center();
    ASSERT_FALSE(view->isReadOnly());
    // As a real drag: it enters and moves before it drops.
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &drop);
    settle();
    EXPECT_EQ(server.cursors, (QList<std::optional<Qt::CursorShape>>{Qt::BusyCursor}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(box->currentSlip()->text()->hasAttachments());
    EXPECT_EQ(server.requested, QStringList{"/owl.png"});
}

}  // namespace
