#pragma once
#include "document/Box.h"
#include "document/FakeUiPort.h"
#include "platform/Pasteboard.h"
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
    std::unique_ptr<Box> doc = std::make_unique<Box>(ui, pasteboard);

    struct SlipSpec {
        quint32 number;
        QString text;  // null: the slip has no text at all
        QStringList keywords;
        QString source = {};
    };

    // Fills the box and loads it: the last slip shows, the scents are built
    // and every slip is a search result.
    void open(const QList<SlipSpec>& specs) {
        SlipDictionary slips;
        for (const SlipSpec& spec : specs) {
            auto slip = Slip::create(spec.number);
            if (!spec.text.isNull()) slip->setTextWithoutLastModificationDate(RichText(spec.text));
            slip->setKeywordsWithoutLastModificationDate(KeywordsArray(spec.keywords));
            if (!spec.source.isEmpty()) slip->setSourceWithoutLastModificationDate(spec.source);
            slip->setCreationTime(QDateTime(QDate(2021, 3, 1), QTime(9, int(spec.number % 60)), Qt::UTC));
            slip->setLastModificationTime(QDateTime(QDate(2021, 3, 2), QTime(9, 0), Qt::UTC));
            slips.insert(slip->key(), slip);
        }
        doc->box().setSlips(slips, {});
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
