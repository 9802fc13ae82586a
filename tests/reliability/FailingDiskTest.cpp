#include "FileSizeLimit.h"
#include "app/GuiFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/dialogs/ExportDialog.h"
#include "app/dialogs/PrintOptionsView.h"
#include "app/windows/BoxWindow.h"
#include "document/BoxFixture.h"
#include "model/BoxFile.h"
#include "platform/files/Paths.h"
#include "plugins/PlugInController.h"
#include "plugins/SpotlightTimer.h"
#include "support/BoxOfTexts.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRadioButton>

using namespace fendle;
using namespace fendle::test;

namespace {

// Saving, autosaving, exporting and writing the cache files on a disk that
// refuses to take more, as the assembled program does them.
class FailingDiskTest : public GuiFixture {
protected:
    QString path = folder.filePath("Notes.fendle");
    BoxWindow* window = nullptr;
    // Smaller than the box file and the export: every write of them fails.
    static constexpr rlim_t Limit = 16 * 1024;

    void openLargeBox() {
        QStringList texts;
        for (int i = 1; i <= 200; ++i) texts.append(QStringLiteral("Slip %1 with a text long enough to fill the disk. ").arg(i).repeated(4));
        ASSERT_TRUE(BoxFile::writeToURL(boxOfTexts(texts), path).ok());
        gui->start({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}});
        const BoxPtr box = gui->controller().documentForPath(path);
        ASSERT_TRUE(box);
        window = gui->windowOf(*box);
        ASSERT_NE(window, nullptr);
    }
    Box& box() { return window->box(); }
    static QByteArray bytesOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Every file in a folder, hidden ones too: what a failed write left.
    static QStringList filesIn(const QString& where) {
        return QDir(where).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    // The alerts on screen, as "message | informative text"; closes them.
    static QStringList takeAlerts() {
        flush();
        QStringList shown;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* alert = qobject_cast<QMessageBox*>(widget);
            if (!alert || !alert->isVisible()) continue;
            shown.append(alert->text() + " | " + alert->informativeText());
            alert->done(0);
        }
        flush();
        return shown;
    }
};

}  // namespace

TEST_F(FailingDiskTest, AFailedSaveSaysWhyAndKeepsTheOldFileTheBoxAndItsEditedState) {
    openLargeBox();
    window->run(Command::Add);
    const QByteArray before = bytesOf(path);
    const BoxSnapshot inMemory = BoxSnapshot::of(box().box());
    {
        FileSizeLimit full(Limit);
        window->run(Command::Save);
    }
    const QStringList alerts = takeAlerts();
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_TRUE(alerts.first().startsWith("Problem saving the file! | ")) << alerts.first().toStdString();
    EXPECT_TRUE(alerts.first().contains("File too large")) << alerts.first().toStdString();
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(filesIn(folder.path()), QStringList{"Notes.fendle"});
    EXPECT_TRUE(box().isDocumentEdited());
    EXPECT_TRUE(BoxSnapshot::of(box().box()) == inMemory);

    // Saved elsewhere once there is room, with everything it held.
    const QString elsewhere = folder.filePath("Elsewhere.fendle");
    answerNextFileDialog(elsewhere);
    window->run(Command::SaveAs);
    flush();
    EXPECT_TRUE(takeAlerts().isEmpty());
    BoxData saved;
    ASSERT_TRUE(BoxFile::readFromURL(saved, elsewhere).ok());
    EXPECT_EQ(BoxSnapshot::of(saved).describe().toStdString(), inMemory.describe().toStdString());
    EXPECT_FALSE(box().isDocumentEdited());
    EXPECT_EQ(box().fileName(), elsewhere);
}

TEST_F(FailingDiskTest, AFailedAutosaveKeepsTheLastCopyAndSaysSoOnceUntilOneSucceeds) {
    openLargeBox();
    Autosaver& autosaver = gui->controller().autosaver();
    const QString autosaveFolder = Paths::autosaveFolder();

    // The first copy cannot be made: nothing half-made is left to be offered.
    window->run(Command::Add);
    {
        FileSizeLimit full(Limit);
        autosaver.autosaveAll();
        autosaver.autosaveAll();
    }
    QStringList alerts = takeAlerts();
    ASSERT_EQ(alerts.size(), 1) << "said once, not at every try";
    EXPECT_TRUE(alerts.first().startsWith("The box could not be auto-saved | ")) << alerts.first().toStdString();
    EXPECT_TRUE(alerts.first().contains("File too large"));
    EXPECT_TRUE(filesIn(autosaveFolder).isEmpty()) << filesIn(autosaveFolder).join(", ").toStdString();
    EXPECT_TRUE(autosaver.leftovers().isEmpty());

    autosaver.autosaveAll();
    ASSERT_TRUE(autosaver.copyOf(box()));
    const QString copy = *autosaver.copyOf(box());
    const QByteArray good = bytesOf(copy);

    // A later one fails: the last good copy stays, and the user hears again.
    window->run(Command::Add);
    {
        FileSizeLimit full(Limit);
        autosaver.autosaveAll();
    }
    alerts = takeAlerts();
    EXPECT_EQ(alerts.size(), 1);
    EXPECT_EQ(bytesOf(copy), good);
    EXPECT_EQ(filesIn(autosaveFolder).size(), 2) << filesIn(autosaveFolder).join(", ").toStdString();  // copy and record
    EXPECT_EQ(autosaver.leftovers().size(), 1);
    EXPECT_TRUE(box().isDocumentEdited());
    discardChanges(box());
}

TEST_F(FailingDiskTest, AFailedExportSaysWhyAndLeavesNothingBehind) {
    openLargeBox();
    QAction* item = window->boxMenuBar()->item("File", "Export Slip(s)...");
    ASSERT_NE(item, nullptr);
    {
        FileSizeLimit full(Limit);
        item->trigger();
        ExportDialog* dialog = nullptr;
        for (int i = 0; i < 100 && !dialog; ++i) {
            QApplication::processEvents();
            dialog = qobject_cast<ExportDialog*>(QApplication::activeModalWidget());
        }
        ASSERT_NE(dialog, nullptr);
        for (QRadioButton* choice : dialog->optionsView()->findChildren<QRadioButton*>())
            if (choice->text() == "All") choice->click();
        QMetaObject::invokeMethod(dialog, "accept");
        flush();
    }
    const QStringList alerts = takeAlerts();
    ASSERT_EQ(alerts.size(), 1) << filesIn(folder.path()).join(", ").toStdString();
    EXPECT_TRUE(alerts.first().startsWith("The file could not be written | " + folder.filePath("Slips from Notes.rtf")))
        << alerts.first().toStdString();
    EXPECT_TRUE(alerts.first().contains("File too large")) << alerts.first().toStdString();
    EXPECT_EQ(filesIn(folder.path()), QStringList{"Notes.fendle"});
    EXPECT_FALSE(box().isDocumentEdited());
}

TEST_F(FailingDiskTest, CacheFilesThatCannotBeWrittenKeepTheirOldContentsAndLeaveNoLitter) {
    openLargeBox();
    const SpotlightTimer* cacheTimer = gui->plugIns().spotlightTimer(box());
    ASSERT_NE(cacheTimer, nullptr);
    // What the box's cache timer does when its time comes.
    auto timerFires = [&] { QMetaObject::invokeMethod(const_cast<QTimer*>(&cacheTimer->timer()), "timeout"); };
    timerFires();
    const QString cacheFolder = Paths::spotlightCacheFolder();
    ASSERT_EQ(filesIn(cacheFolder).size(), 200);
    const QByteArray firstBefore = bytesOf(cacheFolder + "Notes1.fdlcache");

    // Every slip changes, so every file would be written anew.
    for (const SlipPtr& slip : box().box().slips()) {
        slip->setSource(QStringLiteral("changed"));
        box().document().slipDidChange(slip);
    }
    {
        FileSizeLimit full(256);
        timerFires();
    }
    EXPECT_TRUE(takeAlerts().isEmpty()) << "cache files are not the user's concern";
    EXPECT_EQ(filesIn(cacheFolder).size(), 200) << "no temporary files left behind";
    EXPECT_EQ(bytesOf(cacheFolder + "Notes1.fdlcache"), firstBefore);

    // Once there is room they are written.
    timerFires();
    EXPECT_EQ(filesIn(cacheFolder).size(), 200);
    EXPECT_TRUE(bytesOf(cacheFolder + "Notes1.fdlcache").contains("changed"));
    discardChanges(box());
}
