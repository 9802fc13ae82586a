#pragma once
#include "GuiFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/commands/BoxToolBar.h"
#include "app/windows/BoxWindow.h"
#include "app/editing/KeywordsField.h"
#include "app/program/QtUiPort.h"
#include "app/commands/SegmentedControl.h"
#include "app/editing/SlipFields.h"
#include "document/Box.h"
#include "model/BoxFile.h"
#include "platform/ui/Pasteboard.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace fendle::test {

// A box window of the assembled program on a box of slips "1".."n"
// (keywords "kN", source "src N"), shown and active, driven through its widgets.
class BoxWindowFixture : public GuiFixture {
protected:
    std::shared_ptr<Box> box;
    BoxWindow* window = nullptr;
    int opened_ = 0;

    void TearDown() override {
        // Sheets left up by a test go with it.
        while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        GuiFixture::TearDown();
    }

    void open(const QList<quint32>& numbers, const QStringList& types = {}) {
        SlipDictionary slips;
        for (quint32 n : numbers) {
            auto slip = Slip::create(n);
            slip->setTextWithoutLastModificationDate(RichText(QStringLiteral("slip %1").arg(n)));
            slip->setKeywordsWithoutLastModificationDate(KeywordsArray({QStringLiteral("k%1").arg(n)}));
            slip->setSourceWithoutLastModificationDate(QStringLiteral("src %1").arg(n));
            if (!types.isEmpty()) slip->setSlipTypeWithoutLastModificationDate(types.at(int(n) % types.size()));
            slips.insert(slip->key(), slip);
        }
        openSlips(slips);
    }
    // Written to a file and opened as the user opens a box.
    void openSlips(const SlipDictionary& slips) {
        BoxData data;
        data.setSlips(slips, {});
        const QString path = folder.filePath(QStringLiteral("Box%1.fendle").arg(++opened_));
        ASSERT_TRUE(BoxFile::writeToURL(data, path).ok());
        box = gui->controller().openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
        ASSERT_NE(box, nullptr);
        window = gui->windowOf(*box);
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        settle();
    }

    static void settle() { QApplication::processEvents(); }
    QString current() const { return box->currentSlip() ? box->currentSlip()->key() : QString(); }
    BoxToolBar& toolbar() const { return *window->toolBar(); }
    KeywordsField* keywordsField() const { return window->fields()->keywordsField(); }
    QLineEdit* sourceField() const { return window->fields()->sourceField(); }

    // The menu item as it is titled now, enabled by its rule.
    QAction* menuItem(const QString& title) const {
        window->validateCommands();
        QAction* item = window->boxMenuBar()->item(title);
        EXPECT_NE(item, nullptr) << title.toStdString();
        return item;
    }
    void choose(const QString& title) {
        if (QAction* item = menuItem(title)) {
            EXPECT_TRUE(item->isEnabled()) << title.toStdString();
            item->trigger();
        }
        settle();
    }
    void click(SegmentedControl* control, int tag) {
        ASSERT_TRUE(control->isSegmentEnabled(tag));
        QTest::mouseClick(control->segment(tag), Qt::LeftButton);
        settle();
    }
    // Types into a field as the user does: focus, replace, then leave for another field.
    template <typename Field>
    void typeInto(Field* field, const QString& text, QWidget* leaveTo) {
        field->setFocus();
        settle();
        field->selectAll();
        QTest::keyClicks(field, text);
        leaveTo->setFocus();
        settle();
    }
};

}  // namespace fendle::test
