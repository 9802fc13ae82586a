#pragma once
#include "document/Box.h"
#include "document/FakeBoxEnvironment.h"
#include "document/FakeUiPort.h"
#include "platform/ui/Pasteboard.h"
#include "search/ResultTable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace fendle::test {

// A box with slips made in the test, opened as the window opens it, for the
// views to bind to.
class AppBoxFixture : public ::testing::Test {
protected:
    FakeUiPort ui;
    InMemoryPasteboard pasteboard;
    FakeBoxPreferences preferences;
    FakeWebResources web;
    std::unique_ptr<Box> doc = std::make_unique<Box>(ui, pasteboard, preferences, web);

    struct SlipRecipe {
        quint32 number;
        QString text;  // null: the slip has no text at all
        QStringList keywords;
        QString source = {};
    };

    // Fills the box and loads it: the last slip shows, the scents are built
    // and every slip is a search result.
    void open(const QList<SlipRecipe>& recipes) {
        SlipDictionary slips;
        for (const SlipRecipe& recipe : recipes) {
            auto slip = Slip::create(recipe.number);
            if (!recipe.text.isNull()) slip->setTextWithoutLastModificationDate(RichText(recipe.text));
            slip->setKeywordsWithoutLastModificationDate(KeywordsArray(recipe.keywords));
            if (!recipe.source.isEmpty()) slip->setSourceWithoutLastModificationDate(recipe.source);
            slip->setCreationTime(QDateTime(QDate(2021, 3, 1), QTime(9, int(recipe.number % 60)), Qt::UTC));
            slip->setLastModificationTime(QDateTime(QDate(2021, 3, 2), QTime(9, 0), Qt::UTC));
            slips.insert(slip->key(), slip);
        }
        doc->document().setSlips(slips, {});
        doc->loadDocumentWithInitialData();
    }

    QString current() const { return doc->currentSlip() ? doc->currentSlip()->key() : QString(); }

    // Double-clicks a row of a view as the user does: press, release, press
    // again and the double-click, at the middle of the row.
    static void doubleClick(QAbstractItemView& view, const QModelIndex& index) {
        view.scrollTo(index);
        const QPoint at = view.visualRect(index).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    }
    static void click(QAbstractItemView& view, const QModelIndex& index, Qt::KeyboardModifiers modifiers = {}) {
        view.scrollTo(index);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.visualRect(index).center());
    }
};

}  // namespace fendle::test
