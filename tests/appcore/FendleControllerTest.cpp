#include "ControllerFixture.h"
#include "platform/plist/XmlPlist.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class FendleControllerTest : public ControllerFixture {};

TEST_F(FendleControllerTest, StartupModesOpenNothingANewBoxOrThePanel) {
    setStartupMode(0);
    EXPECT_EQ(controller->openDefaultDocIfNothingYetOpen(), nullptr);
    setStartupMode(2);
    EXPECT_EQ(controller->openDefaultDocIfNothingYetOpen(), nullptr);
    EXPECT_EQ(host.openPanels, 1);
    EXPECT_TRUE(controller->documents().empty());
    setStartupMode(17);  // unknown modes open a new box like mode 1
    const BoxPtr box = controller->openDefaultDocIfNothingYetOpen();
    ASSERT_TRUE(box);
    EXPECT_EQ(controller->documents().size(), 1u);
    EXPECT_FALSE(controller->pathOfDocument(*box));
    // Once something is open, that is the answer, whatever the mode.
    setStartupMode(0);
    EXPECT_EQ(controller->openDefaultDocIfNothingYetOpen(), box);
    EXPECT_EQ(controller->currentBoxInterface(), box);
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(FendleControllerTest, StartupModeThreeReopensTheLastBoxOrAlerts) {
    setStartupMode(3);
    EXPECT_EQ(controller->openDefaultDocIfNothingYetOpen(), nullptr);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, "Could not identify the fendle that was open last!");
    EXPECT_EQ(ui.alerts[0].informativeText, "Please open a fendle manually!");
    EXPECT_TRUE(controller->documents().empty());

    const QString path = writeBox("Last.fendle", {"one", "two"});
    host.recent = QStringList{QUrl::fromLocalFile(path).toString(), "/nowhere"};
    const BoxPtr box = controller->openDefaultDocIfNothingYetOpen();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->box().slips().size(), 2);
    EXPECT_EQ(controller->pathOfDocument(*box), path);
}

TEST_F(FendleControllerTest, StartupModeFourWithEmptyOrWrongPath) {
    setStartupMode(4);
    const BoxPtr box = controller->openDefaultDocIfNothingYetOpen();
    ASSERT_TRUE(box);
    EXPECT_EQ(ui.takeMessages(), QStringList{"I cannot open the default fendle, because none is specified."});
    controller->closeDocument(box);
    EXPECT_TRUE(controller->documents().empty());

    Preferences::sharedInstance().setObject(QString(dir.path() + "/missing.fendle"), Preferences::DefaultDocument);
    EXPECT_EQ(controller->openDefaultDocIfNothingYetOpen(), nullptr);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_TRUE(ui.alerts[0].message.startsWith("Please specify a valid path in the Preferences"));
    EXPECT_EQ(ui.alerts[0].informativeText,
              "I couln't open the file with path " + QUrl::fromLocalFile(dir.path() + "/missing.fendle").toString());
    ui.alerts.clear();

    Preferences::sharedInstance().setObject(writeBox("Default.fendle", {"a"}), Preferences::DefaultDocument);
    ASSERT_TRUE(controller->openDefaultDocIfNothingYetOpen());
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(FendleControllerTest, OpeningTheSameBoxTwiceGivesTheOpenOne) {
    const QString path = writeBox("Twice.fendle", {"a"});
    const BoxPtr first = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
    ASSERT_TRUE(first);
    EXPECT_EQ(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(dir.path() + "/./Twice.fendle"), true), first);
    EXPECT_EQ(controller->documents().size(), 1u);
}

TEST_F(FendleControllerTest, HostileOrMissingFilesAreRefusedWithAMessage) {
    QString error;
    EXPECT_FALSE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(dir.path() + "/none.fendle"), true, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    const QString junk = writeFile("junk.fendle", QByteArray("bplist00\xff\xff\xff", 11));
    EXPECT_FALSE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(junk), true, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(controller->openDocumentWithContentsOfURL(QUrl("https://example.org/x.fendle"), true, &error));
    EXPECT_TRUE(controller->documents().empty());
}

QByteArray cacheFile(const QString& boxPath, const QString& idKey, const PlistValue& id) {
    PlistValue::Dictionary entries;
    if (!boxPath.isNull()) entries.emplace_back(FendleController::BoxPathKey, boxPath);
    entries.emplace_back(idKey, id);
    return writeXmlPlist(PlistValue(entries));
}

TEST_F(FendleControllerTest, CacheFileOfAnOpenBoxShowsTheSlipThere) {
    const QString path = writeBox("Cached.fendle", {"one", "two", "three"});
    const BoxPtr box = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
    ASSERT_TRUE(box);
    EXPECT_EQ(textOf(box->currentSlip()), "three");
    host.fronts.clear();
    const QString cache = writeFile("2.fdlcache", cacheFile(path, FendleController::SlipIDKey, "2"));
    EXPECT_EQ(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(cache), true), box);
    EXPECT_EQ(controller->documents().size(), 1u);
    EXPECT_EQ(textOf(box->currentSlip()), "two");
    EXPECT_EQ(host.fronts, QList<const Box*>{box.get()});
}

TEST_F(FendleControllerTest, CacheFileOpensItsBoxAtTheSlipWithTheLegacyKey) {
    const QString path = writeBox("Legacy.fendle", {"one", "two", "three"});
    const QString cache = writeFile("1.fdlcache", cacheFile(path, FendleController::LegacySlipIDKey, 1));
    const BoxPtr box = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(cache), true);
    ASSERT_TRUE(box);
    EXPECT_EQ(textOf(box->currentSlip()), "one");
    EXPECT_FALSE(controller->currentlyOpeningFromCacheFile());
    EXPECT_TRUE(controller->slipToDisplay().isEmpty());

    QString error;
    const QString noBox = writeFile("x.fdlcache", cacheFile(QString(), FendleController::SlipIDKey, "1"));
    EXPECT_FALSE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(noBox), true, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(FendleControllerTest, PictureBecomesASlipInTheCurrentBox) {
    setStartupMode(1);
    const QByteArray png("\x89PNG\r\n\x1a\n fake picture", 21);
    const QString picture = writeFile("Photo.PNG", png);
    const BoxPtr answer = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(picture), true);
    ASSERT_TRUE(answer);
    // The start-up box took the slip; the answer is a box nobody sees.
    ASSERT_EQ(controller->documents().size(), 1u);
    const BoxPtr box = controller->documents().front().box;
    EXPECT_NE(answer, box);
    const SlipPtr slip = box->currentSlip();
    ASSERT_TRUE(slip && slip->text());
    const auto attachment = slip->text()->attributesAt(0).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(attachment);
    EXPECT_EQ(attachment->fileName, "Photo.PNG");
    EXPECT_EQ(attachment->contents, png);
    EXPECT_EQ(box->undoManager().undoActionName(), "Create Slip from File");
}

TEST_F(FendleControllerTest, OutlinesAreRefused) {
    const QString outline = writeFile("x.fdloutline", "x");
    EXPECT_FALSE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(outline), true));
    EXPECT_EQ(ui.takeMessages(), QStringList{"Outliner code not included in this version"});
}

TEST_F(FendleControllerTest, OlderFormOffersABackup) {
    const QString path = writeBox("Old.fendle", {"old"}, true);
    const QString backup = dir.path() + "/Old-backup.fendle";
    host.backupAnswer = backup;
    writeFile("Old-backup.fendle", "an older backup");
    ui.answers = {0};  // Backup
    const BoxPtr box = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
    ASSERT_TRUE(box);
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0].message, "File format will be updated!");
    EXPECT_EQ(ui.questions[0].buttons, (QStringList{"Backup", "No Backup", "Cancel"}));
    EXPECT_EQ(host.backupProposals, QStringList{"Old-backup"});
    QFile original(path), copy(backup);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), copy.readAll());
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(FendleControllerTest, OlderFormCancelledClosesTheBox) {
    const QString path = writeBox("Old.fendle", {"old"}, true);
    host.backupAnswer = std::nullopt;
    ui.answers = {0};  // Backup, then the panel is cancelled
    EXPECT_FALSE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true));
    EXPECT_TRUE(controller->documents().empty());
    EXPECT_EQ(host.closed.size(), 1);  // its window goes with it
    ui.answers = {2};  // Cancel
    EXPECT_FALSE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true));
    EXPECT_TRUE(controller->documents().empty());
    EXPECT_EQ(ui.takeMessages(),
              QStringList{"I will close the document again. You will receive a system warning following this dialogue."});
    // Choosing the box file itself as the backup must not remove it.
    host.backupAnswer = path;
    ui.answers = {0};
    ASSERT_TRUE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true));
    EXPECT_EQ(ui.takeMessages(), QStringList{"Error while creating backup!"});
    EXPECT_GT(QFileInfo(path).size(), 0);
    // Opening it again while it is open asks nothing.
    const auto asked = ui.questions.size();
    EXPECT_TRUE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true));
    EXPECT_EQ(ui.questions.size(), asked);
}

TEST_F(FendleControllerTest, ReopeningAfterAnAutosave) {
    const QString saved = writeBox("Saved.fendle", {"saved"});
    const QString autosaved = writeBox("Saved (Autosaved).fendle", {"saved", "newer"});
    const QUrl url = QUrl::fromLocalFile(saved);
    ui.answers = {2};
    EXPECT_FALSE(controller->reopenDocumentForURL(url, QUrl::fromLocalFile(autosaved)));
    EXPECT_TRUE(controller->documents().empty());
    EXPECT_EQ(ui.questions[0].message, "There are unsaved changes in: " + url.toString());

    ui.answers = {1};
    EXPECT_TRUE(controller->reopenDocumentForURL(url, QUrl::fromLocalFile(autosaved)));
    ASSERT_EQ(controller->documents().size(), 1u);
    EXPECT_EQ(controller->documents().front().box->box().slips().size(), 1);

    ui.answers = {0};
    EXPECT_TRUE(controller->reopenDocumentForURL(url, QUrl::fromLocalFile(autosaved)));
    ASSERT_EQ(controller->documents().size(), 1u);
    const BoxPtr box = controller->documents().front().box;
    EXPECT_EQ(box->box().slips().size(), 2);
    EXPECT_EQ(controller->pathOfDocument(*box), saved);
    EXPECT_TRUE(box->isDocumentEdited());
}

TEST_F(FendleControllerTest, AutosavingDelayFollowsThePreferences) {
    Preferences& prefs = Preferences::sharedInstance();
    EXPECT_EQ(controller->autosavingDelay(), 600);
    prefs.setObject(qint64(3), Preferences::AutoSaveTimeInterval);
    EXPECT_EQ(controller->autosavingDelay(), 180);
    prefs.setObject(false, Preferences::AutoSave);
    EXPECT_EQ(controller->autosavingDelay(), 0);
}

TEST_F(FendleControllerTest, PlugInBundlesAreMovedIntoThePlugInFolder) {
    const QString bundle = dir.path() + "/Drop/Thing.fdlplugin";
    writeFile("Drop/Thing.fdlplugin/Contents/Info.plist",
              writeXmlPlist(PlistValue(PlistValue::Dictionary{{"ZNPlugInName", "Thing"}})));

    ui.answers = {1};  // Cancel
    ASSERT_TRUE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(bundle), true));
    EXPECT_EQ(ui.questions[0].message, "Do you want to install the plug-in \"Thing\"?");
    EXPECT_TRUE(QFileInfo::exists(bundle));
    ui.answers = {0};
    ASSERT_TRUE(controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(bundle), true));
    const QString target = FendleApplication::applicationSupportFolder() + "/Fendle/PlugIns/Thing.fdlplugin";
    EXPECT_TRUE(QFileInfo::exists(target + "/Contents/Info.plist"));
    EXPECT_FALSE(QFileInfo::exists(bundle));
    EXPECT_EQ(host.plugInsInstalledCount, 1);
    EXPECT_TRUE(controller->documents().empty());
    ui.answers = {0};  // the installed bundle itself
    controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(target), true);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].informativeText, "Source and target location are identical.");
    EXPECT_TRUE(QFileInfo::exists(target));
}

}  // namespace
