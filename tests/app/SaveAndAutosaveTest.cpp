#include "GuiFixture.h"
#include "app/commands/BoxToolBar.h"
#include "app/commands/SegmentedControl.h"
#include "app/editing/SlipTextView.h"
#include "app/windows/BoxWindow.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "support/BoxOfTexts.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace fendle;
using namespace fendle::test;

namespace {

// Saving and autosaving as the assembled program does them.
class SaveAndAutosaveTest : public GuiFixture {
protected:
    QString path = folder.filePath("Notes.fendle");

    void writeBox(const QStringList& texts) {
        ASSERT_TRUE(BoxFile::writeToURL(boxOfTexts(texts), path).ok());
    }
    BoxWindow* openBox() {
        const BoxPtr box = gui->controller().openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
        return box ? gui->windowOf(*box) : nullptr;
    }
    static QByteArray bytesOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Types into the current slip's text as the text view hands typing over.
    static void type(Box& box, const QString& text) {
        UndoManager::EventScope event(box.undoManager());
        box.editor().replaceText(TextRange{0, 0}, text);
        box.editor().endEditing();
    }
    QStringList autosavedCopies() const {
        return QDir(folder.filePath("data/Fendle/Autosave")).entryList({"*.fendle"}, QDir::Files);
    }
};

}  // namespace

TEST_F(SaveAndAutosaveTest, SaveBackupKeepsThePreviousFileAsNameTildeOnlyWhenAskedFor) {
    preferences.setObject(false, Preferences::SaveBackup);
    writeBox({"one", "two"});
    BoxWindow* window = openBox();
    ASSERT_NE(window, nullptr);
    window->run(Command::Add);
    window->run(Command::Save);
    EXPECT_FALSE(QFile::exists(folder.filePath("Notes~.fendle")));

    preferences.setObject(true, Preferences::SaveBackup);  // as it is by default
    const QByteArray before = bytesOf(path);
    window->run(Command::Add);
    window->run(Command::Save);
    EXPECT_EQ(bytesOf(folder.filePath("Notes~.fendle")), before);
    BoxData saved;
    ASSERT_TRUE(BoxFile::readFromURL(saved, path).ok());
    EXPECT_EQ(saved.slips().size(), 4);
    EXPECT_FALSE(window->box().isDocumentEdited());
}

TEST_F(SaveAndAutosaveTest, AnAutosavedBoxIsOfferedAtTheNextStartAndOpensWithItsChanges) {
    preferences.setObject(true, Preferences::AutoSave);
    preferences.setObject(qint64(1), Preferences::AutoSaveTimeInterval);
    writeBox({"one", "two"});
    gui->start({LaunchRequest{LaunchRequest::Kind::Open, path, std::nullopt}});
    EXPECT_EQ(gui->controller().autosaver().delay(), 60);  // the minutes of the preference
    BoxWindow* window = gui->windowOf(*gui->controller().currentDocument());
    ASSERT_NE(window, nullptr);
    type(window->box(), "typed and never saved ");
    gui->controller().autosaver().autosaveAll();  // what the timer does
    ASSERT_EQ(autosavedCopies().size(), 1);

    // The program ends without closing its boxes, then starts again.
    gui = std::make_unique<FendleGui>(defaults, preferences);
    QStringList asked;
    answerNextAlert("Open auto-saved", &asked);
    gui->start({});
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first(), "There are unsaved changes in: " + QUrl::fromLocalFile(path).toString());
    const BoxPtr reopened = gui->controller().documentForPath(path);
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(reopened->isDocumentEdited());
    EXPECT_TRUE(reopened->slip("2")->textString().startsWith("typed and never saved"));
    EXPECT_NE(gui->windowOf(*reopened), nullptr);
    EXPECT_TRUE(autosavedCopies().isEmpty());
}

TEST_F(SaveAndAutosaveTest, SavingOrClosingRemovesTheAutosavedCopyAndDiscardingForgetsIt) {
    writeBox({"one"});
    BoxWindow* window = openBox();
    ASSERT_NE(window, nullptr);
    type(window->box(), "changed ");
    gui->controller().autosaver().autosaveAll();
    ASSERT_EQ(autosavedCopies().size(), 1);
    window->run(Command::Save);
    EXPECT_TRUE(autosavedCopies().isEmpty());

    type(window->box(), "again ");
    gui->controller().autosaver().autosaveAll();
    ASSERT_EQ(autosavedCopies().size(), 1);
    gui = std::make_unique<FendleGui>(defaults, preferences);
    answerNextAlert("Discard auto-saved changes");
    gui->start({});
    EXPECT_TRUE(autosavedCopies().isEmpty());
    EXPECT_EQ(gui->controller().documentForPath(path), nullptr);
}

TEST_F(SaveAndAutosaveTest, TypingStillUnderWayIsAnUnsavedChangeThatAutosaveKeeps) {
    writeBox({"one"});
    BoxWindow* window = openBox();
    ASSERT_NE(window, nullptr);
    Box& box = window->box();
    SlipTextView* view = window->slipTextView();
    view->setFocus();
    view->moveCursor(QTextCursor::End);
    QTest::keyClicks(view, " typed");
    flush();
    ASSERT_EQ(box.editor().changedCell(), EditorCell::Text);  // still typing

    EXPECT_TRUE(box.isDocumentEdited());
    EXPECT_TRUE(window->toolBar()->saveBoxToolbarControl->isSegmentEnabled(0));
    gui->controller().autosaver().autosaveAll();
    const QStringList copies = autosavedCopies();
    ASSERT_EQ(copies.size(), 1);
    BoxData copy;
    ASSERT_TRUE(BoxFile::readFromURL(copy, folder.filePath("data/Fendle/Autosave/" + copies.first())).ok());
    EXPECT_EQ(copy.slips().value("1")->textString(), "one typed");
    // The copy took the text without ending the typing.
    EXPECT_EQ(box.editor().changedCell(), EditorCell::Text);
}
