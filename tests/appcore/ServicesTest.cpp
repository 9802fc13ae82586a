#include "ControllerFixture.h"
#include "search/ResultTable.h"
#include "document/SlipServices.h"
#include "platform/plist/XmlPlist.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class ServicesTest : public ControllerFixture {
protected:
    BoxPtr box;
    void SetUp() override {
        ControllerFixture::SetUp();
        box = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(writeBox("Service.fendle", {"first"})), true);
        ASSERT_TRUE(box);
    }
    void putFiles(const QStringList& paths) {
        QByteArray list;
        for (const QString& path : paths) list += QUrl::fromLocalFile(path).toEncoded() + "\r\n";
        pasteboard.clearContents();
        pasteboard.setData(FendleApplication::FileListType, list);
    }
    void putString(const QString& text) {
        pasteboard.clearContents();
        pasteboard.setData(Pasteboard::StringType, text.toUtf8());
    }
};

TEST_F(ServicesTest, NoBoxForTheServiceAlerts) {
    controller->closeDocument(box);
    setStartupMode(0);
    putString("text");
    EXPECT_FALSE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_FALSE(app->searchBoxService(pasteboard));
    EXPECT_EQ(ui.takeMessages(), (QStringList{"Couldn't find a document for this service",
                                              "Couldn't find a document for this service"}));
}

TEST_F(ServicesTest, StringBecomesANewSlipOrIsAppended) {
    putString("plain words");
    ASSERT_TRUE(app->makeSlipFromPasteboard(pasteboard));
    box->undoManager().endEvent();
    EXPECT_EQ(box->box().slips().size(), 2);
    EXPECT_EQ(textOf(box->currentSlip()), "plain words");
    EXPECT_EQ(box->currentSlip()->key(), "2");
    const auto font = box->currentSlip()->text()->attributesAt(0).get<FontAttribute>(attr::Font);
    EXPECT_EQ(font, Preferences::sharedInstance().fontForKey(Preferences::SlipTextFont));
    putString(" and more");
    ASSERT_TRUE(app->appendToSlipFromPasteboard(pasteboard));
    box->undoManager().endEvent();
    EXPECT_EQ(textOf(box->currentSlip()), "plain words and more");
    EXPECT_EQ(box->undoManager().undoActionName(), "Append To Current Slip");
    box->undoManager().undo();
    EXPECT_EQ(textOf(box->currentSlip()), "plain words");
}

TEST_F(ServicesTest, WebAddressAppendedAsLink) {
    const QString address = "https://example.org/page";
    putString(address);
    ui.answers = {1};  // Import link
    ASSERT_TRUE(app->appendToSlipFromPasteboard(pasteboard));
    EXPECT_EQ(ui.questions[0].message, "Import Web page?");
    EXPECT_EQ(ui.questions[0].buttons, (QStringList{"OK", "Import link", "Cancel"}));
    const RichText text = *box->currentSlip()->text();
    EXPECT_EQ(text.string(), "first" + address);
    const auto link = text.attributesAt(5).get<LinkAttribute>(attr::Link);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->url, address);
    EXPECT_FALSE(text.attributesAt(0).get<LinkAttribute>(attr::Link));

    // OK: a new slip with the page as its text and the address as its source.
    host.web.page = WebPage{RichText("The page"), std::nullopt};
    ui.answers = {0, 2};  // OK, then Cancel
    EXPECT_TRUE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(host.web.fetched, QList<QUrl>{QUrl(address)});
    ASSERT_EQ(box->box().slips().size(), 2);
    EXPECT_EQ(textOf(box->currentSlip()), "The page");
    EXPECT_EQ(box->currentSlip()->source(), address);
    EXPECT_FALSE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(box->box().slips().size(), 2);
}

TEST_F(ServicesTest, FolderOfTwoPicturesGivesTwoSlips) {
    writeFile("Pictures/a.jpg", "JPEG A");
    writeFile("Pictures/b.gif", "GIF B");
    putFiles({dir.path() + "/Pictures"});
    ASSERT_TRUE(app->appendToSlipFromPasteboard(pasteboard));  // folders always make new slips
    EXPECT_EQ(box->box().slips().size(), 3);
    QStringList names;
    for (const SlipPtr& slip : box->box().slips()) {
        if (!slip->text() || slip->text()->isEmpty()) continue;
        if (auto a = slip->text()->attributesAt(0).get<AttachmentAttribute>(attr::Attachment)) names.append(a->fileName);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"a.jpg", "b.gif"}));
}

TEST_F(ServicesTest, UnknownFileTypeAlerts) {
    putFiles({writeFile("notes.xyz", "?")});
    EXPECT_FALSE(app->makeSlipFromPasteboard(pasteboard));
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, "Sorry, I don't kow what to do with this file!");
    EXPECT_EQ(box->box().slips().size(), 1);
}

TEST_F(ServicesTest, TextFilesAndWebLocations) {
    putFiles({writeFile("note.txt", "from a file")});
    ASSERT_TRUE(app->appendToSlipFromPasteboard(pasteboard));
    EXPECT_EQ(textOf(box->currentSlip()), "firstfrom a file");

    const QString webloc =
        writeFile("site.webloc", writeXmlPlist(PlistValue(PlistValue::Dictionary{{"URL", "http://example.org/"}})));
    putFiles({webloc});
    ui.answers = {1};
    ASSERT_TRUE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(textOf(box->currentSlip()), "http://example.org/");

    putFiles({writeFile("broken.webloc", "not a plist")});
    EXPECT_FALSE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(ui.takeMessages(), QStringList{"I don't know how to import this file/data!"});

    pasteboard.clearContents();
    EXPECT_FALSE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(ui.takeMessages(), QStringList{"I don't know how to import this file/data!"});
}

TEST_F(ServicesTest, RtfdPackageIsOneTextNotAFolderOfFiles) {
    writeFile("Guide.rtfd/TXT.rtf", "{\\rtf1 x}");
    writeFile("Guide.rtfd/picture.jpeg", "JPEG");
    putFiles({dir.path() + "/Guide.rtfd"});
    ASSERT_TRUE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(box->box().slips().size(), 2);
    EXPECT_EQ(textOf(box->currentSlip()), "x");
}

TEST_F(ServicesTest, SearchServiceHandsTheKeywordToTheBox) {
    box->document().setSlips({{"1", Slip::create(1)}, {"2", Slip::create(2)}}, {});
    box->slip("2")->setKeywordsWithoutLastModificationDate(KeywordsArray({"Ethics"}));
    putString("Ethics");
    EXPECT_TRUE(app->searchBoxService(pasteboard));
    EXPECT_EQ(box->selectedTab(), BoxTab::Search);
    EXPECT_EQ(box->currentSearchResults().slipIDsForResults(), QStringList{"2"});
    EXPECT_EQ(host.fronts, QList<const Box*>{box.get()});
}

TEST_F(ServicesTest, CitationOfferedWhenASlipIsMade) {
    putString("As shown \\citeNP[p. 4]{miller99} before.");
    ui.answers = {0};
    ASSERT_TRUE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(ui.questions[0].informativeText, "The command is: \\citeNP[p. 4]{miller99}.");
    EXPECT_EQ(textOf(box->currentSlip()), "As shown p. 4 before.");
    EXPECT_EQ(box->currentSlip()->source(), "miller99");
}

TEST(CitationOfferTest, FirstCommandOfTheListWinsAndCancelKeepsTheText) {
    FakeUiPort ui;
    Slip slip(1);
    slip.setText(RichText("\\cite{b} and \\citeyear{a}"));
    ui.answers = {0};
    EXPECT_EQ(offerToExtractBibTeXStringFromSlipTextToBeInserted(slip, ui).string(), "\\cite{b} and ");
    EXPECT_EQ(slip.source(), "a");

    Slip other(2);
    other.setText(RichText("\\nocite{x}"));
    const std::optional<QString> sourceBefore = other.source();
    ui.answers = {1};
    EXPECT_EQ(offerToExtractBibTeXStringFromSlipTextToBeInserted(other, ui).string(), "\\nocite{x}");
    EXPECT_EQ(other.source(), sourceBefore);

    // Unfinished commands and plain text ask nothing.
    ui.questions.clear();
    for (const char* text : {"\\cite{open", "\\cite no braces", "nothing here", ""}) {
        Slip plain(3);
        plain.setText(RichText(QString::fromUtf8(text)));
        EXPECT_EQ(offerToExtractBibTeXStringFromSlipTextToBeInserted(plain, ui).string(), QString::fromUtf8(text));
    }
    Slip absent(Slip::Undecoded{});
    EXPECT_TRUE(offerToExtractBibTeXStringFromSlipTextToBeInserted(absent, ui).isEmpty());
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST_F(ServicesTest, TextCheckingTogglesAreStoredAndApplied) {
    Defaults::standard().setObject("FDLSmartQuotes", false);
    app->applicationDidFinishLaunching();
    EXPECT_FALSE(app->textCheckingState("FDLSmartQuotes"));
    EXPECT_TRUE(app->textCheckingState("CheckSpellingAsYouType"));
    ASSERT_EQ(controller->currentBoxInterface(), box);
    box->setTextChecking("CheckSpellingAsYouType", true);
    EXPECT_FALSE(app->toggleMenuItem("CheckSpellingAsYouType"));
    EXPECT_TRUE(app->toggleMenuItem("FDLSmartQuotes"));
    EXPECT_FALSE(box->editor().textChecking().checkSpellingAsYouType);
    EXPECT_TRUE(box->editor().textChecking().smartQuotes);
    EXPECT_FALSE(box->editor().textChecking().smartLinks);
    EXPECT_FALSE(Defaults::standard().boolForKey("CheckSpellingAsYouType"));
    EXPECT_TRUE(Defaults::standard().boolForKey("FDLSmartQuotes"));
}

TEST_F(ServicesTest, LaunchAndShutDown) {
    controller->closeDocument(box);
    setStartupMode(0);
    const QString fendle = FendleApplication::applicationSupportFolder() + "/Fendle/";
    writeFile("data/Fendle/PlugIns/pluginCatalogue.xml",
              writeXmlPlist(PlistValue(PlistValue::Dictionary{{"net.halvorn.old", "x"}})));
    app->applicationWillFinishLaunching();
    EXPECT_EQ(Defaults::standard().stringForKey("FDLSlipToDisplayWhenOpeningBox"), "Last in fendle");
    EXPECT_EQ(ui.takeMessages(), QStringList{"Fendle versions of 0.9.7 and later use a different plug-in format. Your "
                                             "current plug-ins will be deleted."});
    EXPECT_TRUE(QDir(fendle + "PlugIns").isEmpty());
    Defaults::standard().setObject("FDLSlipToDisplayWhenOpeningBox", "Random");
    app->applicationWillFinishLaunching();
    EXPECT_EQ(Defaults::standard().stringForKey("FDLSlipToDisplayWhenOpeningBox"), "Random");

    writeFile("data/Fendle/Fendle_tmp.rtfd/TXT.rtf", "x");
    writeFile("data/Fendle/Dragging/x", "x");
    writeFile("data/Fendle/a.fdlindex", "x");
    writeFile("data/Fendle/sub/b.fdlindex", "x");
    writeFile("data/Fendle/keep.txt", "x");
    host.inspector = true;
    EXPECT_TRUE(app->applicationShouldTerminate());
    EXPECT_FALSE(QFileInfo::exists(FendleApplication::tempFile()));
    EXPECT_FALSE(QFileInfo::exists(fendle + "Dragging"));
    EXPECT_FALSE(QFileInfo::exists(fendle + "a.fdlindex"));
    EXPECT_FALSE(QFileInfo::exists(fendle + "sub/b.fdlindex"));
    EXPECT_TRUE(QFileInfo::exists(fendle + "keep.txt"));
    EXPECT_TRUE(Defaults::standard().boolForKey("InspectorVisible"));
    EXPECT_TRUE(ui.alerts.isEmpty());
    EXPECT_FALSE(app->applicationShouldTerminateAfterLastWindowClosed());
    EXPECT_FALSE(app->applicationShouldOpenUntitledFile());
}

}  // namespace

TEST_F(ServicesTest, RtfOnThePasteboardAndRtfFilesKeepTheirStyle) {
    pasteboard.clearContents();
    pasteboard.setData(FendleApplication::RtfType, "{\\rtf1\\ansi{\\fonttbl\\f0 Helvetica;}\\f0 plain \\b bold\\b0}");
    ASSERT_TRUE(app->makeSlipFromPasteboard(pasteboard));
    box->undoManager().endEvent();
    EXPECT_EQ(textOf(box->currentSlip()), "plain bold");
    const auto bold = box->currentSlip()->text()->attributesAt(7).get<FontAttribute>(attr::Font);
    ASSERT_TRUE(bold);
    EXPECT_TRUE(bold->bold);

    writeFile("note.rtf", "{\\rtf1\\ansi from a file}");
    putFiles({dir.path() + "/note.rtf"});
    ASSERT_TRUE(app->makeSlipFromPasteboard(pasteboard));
    EXPECT_EQ(textOf(box->currentSlip()), "from a file");
}
