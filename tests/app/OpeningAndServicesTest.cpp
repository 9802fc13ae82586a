#include "GuiFixture.h"
#include "LocalWebServer.h"
#include "app/windows/BoxWindow.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "search/ResultTable.h"

#include <QFile>

using namespace fendle;
using namespace fendle::test;

namespace {

// Boxes opened and services used as the assembled program handles them.
class OpeningAndServicesTest : public GuiFixture {
protected:
    QString writeBox(const QString& name, BoxFile::Form form = BoxFile::Form::Keyed) {
        BoxData data;
        SlipDictionary slips;
        for (quint32 n : {1u, 2u}) {
            SlipPtr slip = Slip::create(n);
            slip->setText(RichText(QStringLiteral("slip %1").arg(n)));
            slip->setKeywords(KeywordsArray({QStringLiteral("k%1").arg(n)}));
            slips.insert(slip->key(), slip);
        }
        data.setSlips(slips, {});
        const QString path = folder.filePath(name);
        EXPECT_TRUE(BoxFile::writeToURL(data, path, form).ok());
        return path;
    }
    static QByteArray bytesOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    BoxPtr openedBox() const { return gui->controller().currentDocument(); }
};

}  // namespace

TEST_F(OpeningAndServicesTest, AnOlderBoxKeepsItsBackupWhereTheUserSaidAndStaysOpen) {
    const QString path = writeBox("Old.fendle", BoxFile::Form::Sequential);
    const QString backup = folder.filePath("Old-backup.fendle");
    answerNextAlert("Backup");
    answerNextFileDialog(backup);
    EXPECT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}}), 1);
    EXPECT_EQ(bytesOf(backup), bytesOf(path));
    const BoxPtr box = gui->controller().documentForPath(path);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(gui->windowOf(*box), nullptr);
    EXPECT_EQ(gui->windows().size(), 1);
}

TEST_F(OpeningAndServicesTest, RefusingTheNewFormClosesTheWindowToo) {
    const QString path = writeBox("Old.fendle", BoxFile::Form::Sequential);
    QStringList shown;
    answerNextAlert("Cancel");
    answerNextAlert("OK", &shown);
    EXPECT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}}), 0);
    flush();
    EXPECT_EQ(shown, QStringList{"I will close the document again. You will receive a system warning following this dialogue."});
    EXPECT_TRUE(gui->controller().documents().empty());
    EXPECT_TRUE(gui->windows().isEmpty());
    // Opened again, it is one box in one window, not a second window on the file.
    answerNextAlert("No Backup");
    EXPECT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}}), 1);
    EXPECT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}}), 1);
    flush();
    EXPECT_EQ(gui->windows().size(), 1);
}

TEST_F(OpeningAndServicesTest, TheSearchServiceSearchesTheBoxForTheKeyword) {
    const QString path = writeBox("Box.fendle");
    ASSERT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}}), 1);
    ASSERT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::SearchBox, "k2", std::nullopt}}), 1);
    const BoxPtr box = openedBox();
    EXPECT_EQ(box->selectedTab(), BoxTab::Search);
    EXPECT_EQ(box->currentSearchResults().slipIDsForResults(), QStringList{"2"});
    EXPECT_EQ(gui->windowOf(*box)->tabs()->currentIndex(), tabIndex(BoxTab::Search));
}

TEST_F(OpeningAndServicesTest, ImportWebPageMakesASlipOfThePageWithTheAddressAsSource) {
    LocalWebServer server;
    ASSERT_TRUE(server.listening());
    server.pages["/owls.html"] = {"text/html; charset=utf-8", "<html><body><p>Owls hunt at night.</p></body></html>"};
    const QString address = server.url("/owls.html").toString();
    ASSERT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, writeBox("Box.fendle"), std::nullopt}}), 1);
    QStringList asked;
    answerNextAlert("OK", &asked);
    ASSERT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::NewSlip, "-", address.toUtf8()}}), 1);
    EXPECT_EQ(asked, QStringList{"Import Web page?"});
    const BoxPtr box = openedBox();
    ASSERT_EQ(box->box().slips().size(), 3);
    EXPECT_EQ(box->currentSlip()->source(), address);
    EXPECT_TRUE(box->currentSlip()->textString().contains("Owls hunt at night."));
    EXPECT_EQ(server.requested, QStringList{"/owls.html"});
}

TEST_F(OpeningAndServicesTest, ASlipMadeFromAFileIsUndoneAndRedone) {
    ASSERT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::Open, writeBox("Box.fendle"), std::nullopt}}), 1);
    const QString note = folder.filePath("note.txt");
    QFile file(note);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("from a file");
    file.close();
    ASSERT_EQ(gui->dispatch({LaunchRequest{LaunchRequest::Kind::NewSlip, note, std::nullopt}}), 1);
    const BoxPtr box = openedBox();
    BoxWindow* window = gui->windowOf(*box);
    ASSERT_EQ(box->box().slips().size(), 3);
    EXPECT_EQ(box->undoManager().undoActionName(), "Create Slip from File");
    window->run(Command::Undo);
    EXPECT_EQ(box->box().slips().size(), 2);
    window->run(Command::Redo);
    ASSERT_EQ(box->box().slips().size(), 3);
    EXPECT_EQ(box->currentSlip()->textString(), "from a file");
}
