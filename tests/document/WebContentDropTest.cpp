#include "BoxFixture.h"
#include "document/WebContentDrop.h"

using namespace fendle;
using namespace fendle::test;

namespace {

// Addresses dropped on the source field and media dropped on the slip
// text, with the web replaced by scripted answers.
class WebContentDropTest : public BoxFixture {
protected:
    const QUrl page{"https://example.org/articles/one.html"};
    QList<QUrl>& fetched = web.fetched;
    QList<bool>& progress = ui.busyChanges;
    std::optional<QString>& failure = web.failure;
    WebPage& served = web.page;
    RichText& picture = web.media;

    void SetUp() override {
        Attributes attachment;
        attachment.set(attr::Attachment, AttachmentAttribute{"p.png", QByteArray("PNG bytes")});
        picture = RichText(QString(QChar::ObjectReplacementCharacter), attachment);
        fill({1, 2});
        show("1");
    }
    bool dropOnSource(const QUrl& url, bool ask = true) {
        UndoManager::EventScope event(doc->undoManager());
        return WebContentDrop(*doc).replaceSourceWithLink(url, doc->editor().source(), ask);
    }
    const Slip& slip() const { return *doc->currentSlip(); }
    QStringList keywords() const { return slip().keywords().toStringList(); }
};

TEST_F(WebContentDropTest, JustLinkMakesTheAddressTheSourceAndFetchesNothing) {
    ui.answers = {0};
    ASSERT_TRUE(dropOnSource(page));
    ASSERT_EQ(ui.questions.size(), 1);
    const UiPort::Alert& question = ui.questions.first();
    EXPECT_EQ(question.message,
              "You dragged a URL to the Box. Do you want to replace the Slip Text with the contents of the URL?");
    EXPECT_EQ(question.informativeText, "This may take a while and the formatting may not be completely preserved!");
    EXPECT_EQ(question.buttons, (QStringList{"Just link", "Link & replace"}));
    EXPECT_EQ(slip().source(), page.toString());
    EXPECT_EQ(slip().textString(), "slip 1");
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_TRUE(progress.isEmpty());
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
    undo();
    EXPECT_EQ(slip().source(), "src 1");
}

TEST_F(WebContentDropTest, LinkAndReplaceTakesThePageAndOnYesItsKeywordsAndOneUndoPutsAllBack) {
    served.keywords = QStringList{" alpha, beta ,", "gamma"};
    const BoxSnapshot before = snapshot();
    ui.answers = {1, 1};
    ASSERT_TRUE(dropOnSource(page));
    ASSERT_EQ(ui.questions.size(), 2);
    EXPECT_EQ(ui.questions[1].message, "The web-site specifies keywords");
    EXPECT_EQ(ui.questions[1].informativeText, "Do you want to replace the current keywords with these?");
    EXPECT_EQ(ui.questions[1].buttons, (QStringList{"No", "Yes"}));
    EXPECT_EQ(fetched, QList<QUrl>{page});
    EXPECT_EQ(progress, (QList<bool>{true, false}));
    EXPECT_EQ(slip().textString(), "Page text");
    EXPECT_EQ(keywords(), (QStringList{"alpha", "beta", "gamma"}));
    EXPECT_EQ(slip().source(), page.toString());
    EXPECT_EQ(doc->editor().keywordsString(), "alpha, beta, gamma");
    const BoxSnapshot after = snapshot();

    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().text().string(), "slip 1");
    EXPECT_EQ(doc->editor().source(), "src 1");
    redo();
    EXPECT_EQ(snapshot(), after);
}

TEST_F(WebContentDropTest, NoKeepsTheKeywordsAndTheAnswerSaysSo) {
    served.keywords = QStringList{"alpha"};
    ui.answers = {0};
    const auto replacement = WebContentDrop(*doc).replaceSlipTextWithWebPage(page);
    ASSERT_TRUE(replacement);
    EXPECT_EQ(replacement->oldText.string(), "slip 1");
    EXPECT_EQ(replacement->newText.string(), "Page text");
    EXPECT_EQ(replacement->oldKeywords, std::nullopt);
    EXPECT_EQ(replacement->newKeywords, std::nullopt);
    EXPECT_EQ(doc->editor().keywords().toStringList(), QStringList{"k1"});

    ui.answers = {1};
    const auto taken = WebContentDrop(*doc).replaceSlipTextWithWebPage(page);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->oldKeywords, KeywordsArray({"k1"}));
    EXPECT_EQ(taken->newKeywords, KeywordsArray({"alpha"}));
}

TEST_F(WebContentDropTest, WithoutConfirmationThePageIsTakenAndAPageWithoutKeywordsAsksNothing) {
    ASSERT_TRUE(dropOnSource(page, false));
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(slip().textString(), "Page text");
    EXPECT_EQ(keywords(), QStringList{"k1"});
}

TEST_F(WebContentDropTest, AFailedDownloadLeavesTheSlipAsItWasAndSaysWhy) {
    failure = "Error transferring - server replied: Not Found";
    const BoxSnapshot before = snapshot();
    const bool couldUndo = doc->undoManager().canUndo();
    ui.answers = {1};
    EXPECT_FALSE(dropOnSource(page));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().source(), "src 1");
    EXPECT_EQ(doc->editor().text().string(), "slip 1");
    EXPECT_EQ(doc->undoManager().canUndo(), couldUndo);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts.first().message, "The contents of the URL could not be read.");
    EXPECT_TRUE(ui.alerts.first().informativeText.contains("Not Found"));
    EXPECT_TRUE(ui.alerts.first().informativeText.contains(page.toString()));
    EXPECT_EQ(progress, (QList<bool>{true, false}));

}

TEST_F(WebContentDropTest, FilesAndOtherSchemesBecomeTheSourceWithoutAQuestion) {
    ASSERT_TRUE(dropOnSource(QUrl::fromLocalFile("/home/me/My Notes.txt")));
    EXPECT_EQ(slip().source(), "file:///home/me/My Notes.txt");
    ASSERT_TRUE(dropOnSource(QUrl("ftp://files.example.org/a.pdf")));
    EXPECT_EQ(slip().source(), "ftp://files.example.org/a.pdf");
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_FALSE(dropOnSource(QUrl("relative/path")));
}

TEST_F(WebContentDropTest, ADropWhileTheSourceIsBeingTypedEndsThatEditAndUndoesWithIt) {
    doc->editor().focus(EditorCell::Source);
    doc->editor().typeInField(EditorCell::Source, "typed by");
    ui.answers = {0};
    {
        // The field shows more than the editor was told of so far.
        UndoManager::EventScope event(doc->undoManager());
        ASSERT_TRUE(WebContentDrop(*doc).replaceSourceWithLink(page, "typed by hand", true));
    }
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::None);
    EXPECT_EQ(slip().source(), page.toString());
    // One user event, one undo: the typing and the drop go together.
    undo();
    EXPECT_EQ(slip().source(), "src 1");
    redo();
    EXPECT_EQ(slip().source(), page.toString());
}

TEST_F(WebContentDropTest, NothingHappensOnASlipThatCannotBeEdited) {
    doc->editor().setEditable(false);
    EXPECT_FALSE(dropOnSource(page));
    EXPECT_FALSE(WebContentDrop(*doc).insertMediaAtIndex(QUrl("https://example.org/p.png"), 0));
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_EQ(slip().source(), "src 1");
}

TEST_F(WebContentDropTest, MediaComesInAsOneAttachmentAtTheDropPoint) {
    const QUrl media("https://example.org/img/p.png");
    {
        UndoManager::EventScope event(doc->undoManager());
        ASSERT_TRUE(WebContentDrop(*doc).insertMediaAtIndex(media, 4));
    }
    EXPECT_EQ(fetched, QList<QUrl>{media});
    EXPECT_EQ(progress, (QList<bool>{true, false}));
    EXPECT_EQ(slip().textString(), QString("slip") + QChar::ObjectReplacementCharacter + " 1");
    const auto attachment = slip().text()->attributesAt(4).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(attachment);
    EXPECT_EQ(attachment->contents, "PNG bytes");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
    undo();
    EXPECT_EQ(slip().textString(), "slip 1");

    failure = "timed out";
    EXPECT_FALSE(WebContentDrop(*doc).insertMediaAtIndex(media, 0));
    EXPECT_EQ(slip().textString(), "slip 1");
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_TRUE(ui.alerts.first().informativeText.contains("timed out"));
}

TEST_F(WebContentDropTest, MediaAddressesAreKnownByTheExactLowerCaseExtensionOfTheirLastComponent) {
    for (const char* address : {"http://h/a.png", "https://h/x/y.jpeg?size=2", "http://h/clip.mp4#t=3", "http://h/doc.pdf",
                                "http://h/a.tiff", "http://h/song.mp3"})
        EXPECT_TRUE(WebContentDrop::isMediaURL(QUrl(address))) << address;
    for (const char* address : {"http://h/a.PNG", "http://h/page.html", "http://h/pictures.png/", "http://h/",
                                "http://h/png", "http://h/a.png.html", "http://h/a.webp"})
        EXPECT_FALSE(WebContentDrop::isMediaURL(QUrl(address))) << address;
}

}  // namespace
