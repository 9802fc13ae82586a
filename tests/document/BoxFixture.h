#pragma once
#include "FakeBoxEnvironment.h"
#include "FakeUiPort.h"
#include "document/Box.h"
#include "platform/ui/Pasteboard.h"
#include "search/ResultTable.h"

#include <QMap>
#include <gtest/gtest.h>
#include <memory>

namespace fendle::test {

// Everything of a box that undo must bring back: the slips of both
// dictionaries with all their fields and times, the counter and the mode.
struct BoxSnapshot {
    struct SlipState {
        quint32 id = 0;
        std::optional<RichText> text;
        QStringList keywords;
        std::optional<QString> source, type, author;
        bool flagged = false;
        std::optional<QDateTime> created, modified;
        friend bool operator==(const SlipState&, const SlipState&) = default;
    };
    QMap<QString, SlipState> slips, trash;
    quint32 counter = 0;
    bool inTrashMode = false;
    friend bool operator==(const BoxSnapshot&, const BoxSnapshot&) = default;

    static SlipState stateOf(const Slip& s) {
        return {s.slipID(), s.text(), s.keywords().toStringList(), s.source(), s.slipType(), s.author(),
                s.isFlagged(), s.creationTimeField(), s.lastModificationTimeField()};
    }
    static BoxSnapshot of(const BoxData& box) {
        BoxSnapshot snapshot;
        // Normalised to the box's own point of view, whatever mode it is in.
        const SlipDictionary& own = box.inTrashMode() ? box.deletedSlips() : box.slips();
        const SlipDictionary& trash = box.inTrashMode() ? box.slips() : box.deletedSlips();
        for (auto it = own.cbegin(); it != own.cend(); ++it) snapshot.slips.insert(it.key(), stateOf(**it));
        for (auto it = trash.cbegin(); it != trash.cend(); ++it) snapshot.trash.insert(it.key(), stateOf(**it));
        snapshot.counter = box.numberOfLastSlip();
        snapshot.inTrashMode = box.inTrashMode();
        return snapshot;
    }
    QString describe() const {
        QStringList lines;
        for (auto it = slips.cbegin(); it != slips.cend(); ++it)
            lines.append(it.key() + ": " + (it->text ? it->text->string() : "<none>") + " [" +
                         it->keywords.join(",") + "] " + it->source.value_or("<none>") + " " +
                         it->type.value_or("<none>") + " " + (it->modified ? it->modified->toString(Qt::ISODateWithMs) : ""));
        lines.append("trash: " + QStringList(trash.keys()).join(","));
        lines.append("counter " + QString::number(counter) + (inTrashMode ? " trash mode" : ""));
        return lines.join("\n");
    }
};

inline void PrintTo(const BoxSnapshot& s, std::ostream* os) { *os << s.describe().toStdString(); }

class BoxFixture : public ::testing::Test {
protected:
    FakeUiPort ui;
    InMemoryPasteboard pasteboard;
    FakeBoxPreferences preferences;
    FakeWebResources web;
    std::unique_ptr<Box> doc = std::make_unique<Box>(ui, pasteboard, preferences, web);
    BoxAnnouncements announced;

    BoxFixture() { announced.listenTo(*doc); }

    static QDateTime oldTime(int minute = 0) {
        return QDateTime(QDate(2020, 5, 1), QTime(12, minute), Qt::UTC);
    }

    // Fills the box with slips of the given numbers (text "slip N", keyword
    // "kN", source "src N", type "Note") with old fixed times; the numbers in
    // trash go to the trash. Shows the highest slip.
    void fill(const QList<quint32>& numbers, const QList<quint32>& trash = {}) {
        SlipDictionary slips, deleted;
        for (quint32 n : numbers + trash) {
            auto slip = Slip::create(n);
            slip->setTextWithoutLastModificationDate(RichText(QStringLiteral("slip %1").arg(n)));
            slip->setKeywordsWithoutLastModificationDate(KeywordsArray({QStringLiteral("k%1").arg(n)}));
            slip->setSourceWithoutLastModificationDate(QStringLiteral("src %1").arg(n));
            slip->setSlipTypeWithoutLastModificationDate(QStringLiteral("Note"));
            slip->setCreationTime(oldTime());
            slip->setLastModificationTime(oldTime(n % 60));
            (trash.contains(n) ? deleted : slips).insert(slip->key(), slip);
        }
        doc->document().setSlips(slips, deleted);
        doc->showAllSlipsAsSearchResults();
        doc->showFirstSlip(QString());
    }

    BoxSnapshot snapshot() const { return BoxSnapshot::of(doc->box()); }
    QString current() const { return doc->currentSlip() ? doc->currentSlip()->key() : QString(); }
    void show(const QString& key) { doc->performChangeCurrentSlip(doc->slip(key), false); }
    // Selects the result rows of these slips, as a click in the result table does.
    void selectResults(const QStringList& keys) {
        QList<qsizetype> rows;
        for (const QString& key : keys) rows.append(doc->currentSearchResults().rowForResultWithSlipID(key));
        doc->selectSearchResultRows(rows);
    }

    // One user command: its undo steps form one group.
    template <typename F>
    void command(F&& f) {
        UndoManager::EventScope event(doc->undoManager());
        f();
    }
    void undo() { doc->undoManager().undo(); }
    void redo() { doc->undoManager().redo(); }
};

}  // namespace fendle::test
