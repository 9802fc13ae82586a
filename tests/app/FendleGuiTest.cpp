#include "GuiFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/program/FendleGui.h"
#include "app/editing/KeywordsField.h"
#include "app/editing/SlipFields.h"
#include "appcore/Preferences.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

class FendleGuiTest : public test::GuiFixture {
protected:

    QString boxPath() const { return folder.filePath("Notes.fendle"); }

    // A saved box of three slips, written through an untitled box's window.
    void writeBox() {
        const BoxPtr box = gui->controller().openUntitledDocument(true);
        for (int i = 0; i < 2; ++i) {
            UndoManager::EventScope event(box->undoManager());
            box->addSlip();
        }
        BoxWindow* window = gui->windowOf(*box);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->saveTo(boxPath(), BoxDocument::SaveKind::SaveAs));
        window->close();
        flush();
    }

    // Closed windows delete themselves once events are delivered.
    static void flush() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    BoxWindow* openBox() {
        const BoxPtr box = gui->controller().openDocumentWithContentsOfURL(QUrl::fromLocalFile(boxPath()), true);
        EXPECT_NE(box, nullptr);
        BoxWindow* window = box ? gui->windowOf(*box) : nullptr;
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }

    template <typename Field>
    static void typeInto(Field* field, const QString& text, QWidget* leaveTo) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        leaveTo->setFocus();
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(FendleGuiTest, EditsSurviveSaveCloseAndReopen) {
    writeBox();
    EXPECT_TRUE(gui->controller().documents().empty());
    BoxWindow* window = openBox();
    ASSERT_NE(window, nullptr);
    Box& box = window->box();
    const QString key = box.currentSlip()->key();
    SlipFields* fields = window->fields();

    typeInto(fields->keywordsField(), "kept, words", fields->sourceField());
    typeInto(fields->sourceField(), "http://example.org/a", fields->keywordsField());
    typeInto(fields->typeField()->lineEdit(), "Quote", fields->keywordsField());
    // The slip text view hands typing to the editor model like this.
    {
        UndoManager::EventScope event(box.undoManager());
        box.editor().replaceText(TextRange{0, 0}, QStringLiteral("Typed text"));
        box.editor().endEditing();
    }
    window->validateCommands();
    ASSERT_TRUE(window->boxMenuBar()->item("Save")->isEnabled());
    window->boxMenuBar()->item("Save")->trigger();
    EXPECT_FALSE(box.isDocumentEdited());
    window->boxMenuBar()->item("Close")->trigger();
    flush();
    EXPECT_TRUE(gui->windows().isEmpty());

    window = openBox();
    ASSERT_NE(window, nullptr);
    const SlipPtr slip = window->box().slip(key);
    ASSERT_NE(slip, nullptr);
    EXPECT_EQ(slip->keywords().toStringList(), (QStringList{"kept", "words"}));
    EXPECT_EQ(slip->source(), std::optional<QString>("http://example.org/a"));
    EXPECT_EQ(slip->slipType(), std::optional<QString>("Quote"));
    ASSERT_TRUE(slip->text().has_value());
    EXPECT_EQ(slip->text()->string(), "Typed text");
    EXPECT_EQ(gui->recentBoxes().value(0), QFileInfo(boxPath()).absoluteFilePath());
}

TEST_F(FendleGuiTest, RevertToSavedIsEnabledOnlyWithUnsavedChanges) {
    writeBox();
    BoxWindow* window = openBox();
    ASSERT_NE(window, nullptr);
    window->validateCommands();
    EXPECT_FALSE(window->boxMenuBar()->item("Revert To Saved")->isEnabled());
    typeInto(window->fields()->keywordsField(), "changed", window->fields()->sourceField());
    window->validateCommands();
    EXPECT_TRUE(window->boxMenuBar()->item("Revert To Saved")->isEnabled());
}

TEST_F(FendleGuiTest, ExternalSlipLinkOpensItsBoxAtTheSlip) {
    writeBox();
    const QString link = "fendle://1::" + QUrl::fromLocalFile(boxPath()).toString();
    gui->openSlipLink(link);
    ASSERT_EQ(gui->windows().size(), 1);
    EXPECT_EQ(gui->windows().first()->box().currentSlip()->key(), "1");
    // Links inside a box mean nothing from outside.
    gui->openSlipLink("fendle://2.self");
    EXPECT_EQ(gui->windows().first()->box().currentSlip()->key(), "1");
}

TEST_F(FendleGuiTest, StoredFrameIsUsedOnlyWhenWindowPositionsAreSaved) {
    QWidget probe;
    probe.setGeometry(40, 50, 420, 310);
    const QString frame = QString::fromLatin1(probe.saveGeometry().toBase64());
    defaults.setObject(FendleGui::WindowFrameKey, frame);

    preferences.setObject(false, Preferences::SaveWindowPositionOnExit);
    BoxPtr box = gui->controller().openUntitledDocument(true);
    ASSERT_NE(gui->windowOf(*box), nullptr);
    const QSize designed = gui->windowOf(*box)->size();
    EXPECT_NE(designed, QSize(420, 310));
    gui->windowOf(*box)->close();
    flush();
    // Closing stored the designed frame; the test's frame goes back.
    EXPECT_NE(defaults.stringForKey(FendleGui::WindowFrameKey), frame);
    defaults.setObject(FendleGui::WindowFrameKey, frame);

    preferences.setObject(true, Preferences::SaveWindowPositionOnExit);
    box = gui->controller().openUntitledDocument(true);
    ASSERT_NE(gui->windowOf(*box), nullptr);
    EXPECT_EQ(gui->windowOf(*box)->size(), QSize(420, 310));
}

TEST(SlipLinkParsingTest, ExternalLinksSplitIntoKeyAndBoxAddress) {
    const auto link = FendleGui::parseExternalSlipLink("fendle://12::file://localhost/Users/me/Notes.fendle");
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->first, "12");
    EXPECT_EQ(link->second.path(), "/Users/me/Notes.fendle");
    EXPECT_FALSE(FendleGui::parseExternalSlipLink("fendle://12.self").has_value());
    EXPECT_FALSE(FendleGui::parseExternalSlipLink("http://12::x").has_value());
    EXPECT_FALSE(FendleGui::parseExternalSlipLink("fendle://::file:///a").has_value());
    EXPECT_FALSE(FendleGui::parseExternalSlipLink("fendle://12").has_value());
}
