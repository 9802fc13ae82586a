#include "SoakSettings.h"
#include "document/BoxFixture.h"
#include "document/KeywordMaintenance.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>

using namespace fendle;
using namespace fendle::test;

namespace {

// A box driven through random slip operations, undo and redo, saves and
// reopenings, checked after every step against a plain model: the slips of
// the box and the trash with all their fields, and the counter. Each
// operation may change only what it is about; undo must bring back exactly
// the state before the step, redo exactly the one after it.
class LongRandomRunTest : public BoxFixture {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath("Random.fendle");
    QRandomGenerator random;
    // The model: states the undo and redo steps must bring back.
    QList<BoxSnapshot> undoStates, redoStates;
    // What the box keeps besides its slips, outside undo.
    std::optional<QString> templateText;
    QVariantList savedSearches;
    qint64 step = 0;
    QString lastOperation;

    qint64 pick(qint64 bound) { return qint64(random.bounded(quint64(bound))); }
    QString word() {
        static const QStringList words{"alpha", "beta", "gamma", "delta", "kappa", "lambda", "omega", "Ätna", "日本"};
        return words.at(pick(words.size()));
    }
    QStringList ownKeys() const { return snapshot().slips.keys(); }
    QString anyKey() {
        const QStringList keys = ownKeys();
        return keys.at(pick(keys.size()));
    }
    // The box stays small enough that a long run checks steps, not copies.
    static constexpr qsizetype MaxSlips = 60;
    static constexpr qsizetype MaxTrash = 60;
    static constexpr qsizetype MaxText = 20000;
    bool full() const { return snapshot().slips.size() >= MaxSlips; }
    qsizetype textSize(const QString& key) const {
        const auto& text = snapshot().slips.value(key).text;
        return text ? text->string().size() : 0;
    }

    QString failureContext() const {
        return QStringLiteral("step %1, operation %2").arg(step).arg(lastOperation);
    }

    // One undoable user command that changed the slips.
    void changed(const BoxSnapshot& before) {
        undoStates.append(before);
        redoStates.clear();
    }
    // Commands that drop the box's undo steps.
    void undoForgotten() {
        undoStates.clear();
        redoStates.clear();
    }

    // Everything outside the touched keys stays as it was.
    void expectUntouchedBut(const BoxSnapshot& before, const BoxSnapshot& after, const QStringList& touched) {
        for (auto it = before.slips.cbegin(); it != before.slips.cend(); ++it)
            if (!touched.contains(it.key())) ASSERT_EQ(after.slips.value(it.key()), *it) << "slip " << it.key().toStdString();
        for (auto it = after.slips.cbegin(); it != after.slips.cend(); ++it)
            if (!touched.contains(it.key())) ASSERT_TRUE(before.slips.contains(it.key())) << "slip " << it.key().toStdString();
        if (std::none_of(touched.begin(), touched.end(), [&](const QString& key) { return before.trash.contains(key) || after.trash.contains(key); }))
            ASSERT_EQ(after.trash, before.trash);
    }

    void add() {
        if (full()) return remove();
        const BoxSnapshot before = snapshot();
        command([&] { doc->addSlip(); });
        const BoxSnapshot after = snapshot();
        const QString added = BoxData::makeKey(before.counter + 1);
        ASSERT_EQ(after.counter, before.counter + 1);
        ASSERT_TRUE(after.slips.contains(added));
        ASSERT_EQ(after.slips.size(), before.slips.size() + 1);
        expectUntouchedBut(before, after, {added});
        changed(before);
    }

    void remove() {
        if (ownKeys().size() < 3) return;
        if (snapshot().trash.size() >= MaxTrash) return restore();
        show(anyKey());
        const QString removed = current();
        const BoxSnapshot before = snapshot();
        command([&] { doc->removeSlip(); });
        const BoxSnapshot after = snapshot();
        ASSERT_FALSE(after.slips.contains(removed));
        ASSERT_TRUE(after.trash.contains(removed)) << "a removed slip goes to the trash";
        ASSERT_EQ(after.trash.value(removed).text, before.slips.value(removed).text);
        ASSERT_EQ(after.trash.value(removed).keywords, before.slips.value(removed).keywords);
        expectUntouchedBut(before, after, {removed});
        changed(before);
    }

    // In the trash, a slip is put back; browsing the trash forgets the undo steps.
    void restore() {
        const BoxSnapshot before = snapshot();
        if (before.trash.isEmpty()) return;
        const QString restored = before.trash.keys().at(pick(before.trash.size()));
        command([&] { doc->browseTrash(); });
        show(restored);
        command([&] { doc->removeSlip(); });
        command([&] { doc->browseTrash(); });
        const BoxSnapshot after = snapshot();
        ASSERT_FALSE(after.inTrashMode);
        ASSERT_TRUE(after.slips.contains(restored));
        ASSERT_FALSE(after.trash.contains(restored));
        ASSERT_EQ(after.slips.value(restored).text, before.trash.value(restored).text);
        expectUntouchedBut(before, after, {restored});
        undoForgotten();
        if (doc->undoManager().canUndo()) changed(before);  // the restore itself can be undone
    }

    void editText() {
        show(anyKey());
        const QString key = current();
        const BoxSnapshot before = snapshot();
        const QString typed = word() + ' ';
        command([&] {
            doc->editor().replaceText(TextRange{0, 0}, typed);
            doc->editor().endEditing();
        });
        const BoxSnapshot after = snapshot();
        const QString old = before.slips.value(key).text ? before.slips.value(key).text->string() : QString();
        ASSERT_EQ(after.slips.value(key).text->string(), typed + old);
        expectUntouchedBut(before, after, {key});
        changed(before);
    }

    void editField(EditorCell cell) {
        show(anyKey());
        const QString key = current();
        const BoxSnapshot before = snapshot();
        const QString value = cell == EditorCell::Keywords ? word() + ", " + word() + QString::number(step) : word() + QString::number(step);
        command([&] {
            doc->editor().focus(cell);
            doc->editor().typeInField(cell, value);
            doc->editor().endEditing();
        });
        const BoxSnapshot after = snapshot();
        const BoxSnapshot::SlipState& slip = after.slips.value(key);
        if (cell == EditorCell::Keywords) ASSERT_EQ(slip.keywords.join(", "), value);
        if (cell == EditorCell::Source) ASSERT_EQ(slip.source, value);
        if (cell == EditorCell::Type) ASSERT_EQ(slip.type, value);
        expectUntouchedBut(before, after, {key});
        changed(before);
    }

    void merge() {
        if (ownKeys().size() < 3) return;
        const QString first = anyKey();
        QString second = anyKey();
        if (second == first || textSize(first) + textSize(second) > MaxText) return;
        const BoxSnapshot before = snapshot();
        doc->selectTabViewItemWithLabel(BoxTab::Search);
        doc->showAllSlipsAsSearchResults();
        selectResults({first, second});
        const QList<SlipPtr> chosen = doc->slipsSelectedInSearchView();
        ASSERT_EQ(chosen.size(), 2);
        const QString into = chosen.first()->key(), gone = chosen.last()->key();
        command([&] { doc->mergeSlips(); });
        doc->selectTabViewItemWithLabel(BoxTab::Slip);
        const BoxSnapshot after = snapshot();
        ASSERT_FALSE(after.slips.contains(gone));
        const QString merged = after.slips.value(into).text->string();
        for (const QString& key : {into, gone}) {
            const auto& text = before.slips.value(key).text;
            if (text) ASSERT_TRUE(merged.contains(text->string())) << "the text of " << key.toStdString() << " is kept";
            for (const QString& keyword : before.slips.value(key).keywords)
                ASSERT_TRUE(after.slips.value(into).keywords.contains(keyword)) << keyword.toStdString();
        }
        expectUntouchedBut(before, after, {into, gone});
        changed(before);
    }

    void split() {
        if (full()) return remove();
        show(anyKey());
        const QString key = current();
        const BoxSnapshot before = snapshot();
        const QString text = before.slips.value(key).text ? before.slips.value(key).text->string() : QString();
        if (text.size() < 2) return;
        const qsizetype at = 1 + pick(text.size() - 1);
        doc->editor().selectInText({TextRange{at, text.size() - at}});
        command([&] { doc->splitSlip(); });
        const BoxSnapshot after = snapshot();
        const QString added = BoxData::makeKey(before.counter + 1);
        ASSERT_TRUE(after.slips.contains(added));
        ASSERT_EQ(after.slips.value(added).text->string(), text.mid(at));
        ASSERT_EQ(after.slips.value(added).keywords, before.slips.value(key).keywords);
        ASSERT_TRUE(after.slips.value(key).text->string().startsWith(text.left(at)));
        expectUntouchedBut(before, after, {key, added});
        changed(before);
    }

    void copyAndPaste() {
        if (full()) return remove();
        show(anyKey());
        const QString key = current();
        if (textSize(key) > MaxText) return;
        command([&] { doc->copySlip(); });
        const BoxSnapshot before = snapshot();
        command([&] { doc->pasteSlip(); });
        const BoxSnapshot after = snapshot();
        const QString added = BoxData::makeKey(before.counter + 1);
        ASSERT_TRUE(after.slips.contains(added));
        ASSERT_EQ(after.slips.value(added).keywords, before.slips.value(key).keywords);
        ASSERT_EQ(after.slips.value(added).text->string(), before.slips.value(key).text->string());
        expectUntouchedBut(before, after, {added});
        changed(before);
    }

    void flag() {
        show(anyKey());
        const QString key = current();
        const BoxSnapshot before = snapshot();
        command([&] { KeywordMaintenance(*doc).toggleFlagged(); });
        const BoxSnapshot after = snapshot();
        ASSERT_EQ(after.slips.value(key).flagged, !before.slips.value(key).flagged);
        expectUntouchedBut(before, after, {key});
        changed(before);
    }

    void replaceKeyword() {
        const BoxSnapshot before = snapshot();
        const QStringList keywords = before.slips.value(anyKey()).keywords;
        if (keywords.isEmpty()) return;
        const QString old = keywords.at(pick(keywords.size()));
        const QString replacement = word() + "-" + QString::number(step);
        command([&] { KeywordMaintenance(*doc).replaceKeywordOK(old, replacement); });
        const BoxSnapshot after = snapshot();
        QStringList touched;
        for (auto it = before.slips.cbegin(); it != before.slips.cend(); ++it) {
            if (!it->keywords.contains(old)) continue;
            touched.append(it.key());
            QStringList expected = it->keywords;
            expected.replace(expected.indexOf(old), replacement);
            expected.removeDuplicates();
            ASSERT_EQ(after.slips.value(it.key()).keywords, expected) << it.key().toStdString();
        }
        expectUntouchedBut(before, after, touched);
        undoForgotten();
    }

    void changeTemplate() {
        const BoxSnapshot before = snapshot();
        command([&] { doc->editSlipTemplate(); });
        templateText = "Template " + word();
        ui.templateText = RichText(*templateText);
        command([&] { doc->templateOK(); });
        ASSERT_EQ(snapshot(), before);
    }

    void changeSavedSearches() {
        const BoxSnapshot before = snapshot();
        if (!savedSearches.isEmpty() && pick(3) == 0) savedSearches.removeAt(pick(savedSearches.size()));
        else savedSearches.append(QVariant(QVariantList{word() + QString::number(step), doc->currentSearchRuleEditorState()}));
        doc->document().setSavedSearches(savedSearches);
        ASSERT_EQ(snapshot(), before);
    }

    void navigate() {
        const BoxSnapshot before = snapshot();
        const std::array<std::function<void()>, 8> moves{
            [&] { doc->nextSlip(); },     [&] { doc->previousSlip(); }, [&] { doc->firstSlip(); },
            [&] { doc->lastSlip(); },     [&] { doc->goBackSlip(); },   [&] { doc->goForwardSlip(); },
            [&] { doc->randomSlip(); },   [&] { show(anyKey()); }};
        command(moves[pick(moves.size())]);
        ASSERT_EQ(snapshot(), before);
    }

    void undoSome() {
        for (qint64 n = 1 + pick(4); n > 0 && !undoStates.isEmpty(); --n) {
            redoStates.append(snapshot());
            undo();
            ASSERT_EQ(snapshot(), undoStates.takeLast()) << "undo brings back the state before the step";
        }
    }

    void redoSome() {
        for (qint64 n = 1 + pick(4); n > 0 && !redoStates.isEmpty(); --n) {
            undoStates.append(snapshot());
            redo();
            ASSERT_EQ(snapshot(), redoStates.takeLast()) << "redo brings back the state after the step";
        }
    }

    // Saved and opened again as a new window would: everything comes back.
    void saveAndReopen() {
        const BoxSnapshot before = snapshot();
        ASSERT_TRUE(doc->saveDocument(path));
        doc = std::make_unique<Box>(ui, pasteboard, preferences, web);
        ASSERT_TRUE(doc->readFromURL(path));
        doc->setFileName(path);
        doc->loadDocumentWithInitialData();
        ASSERT_EQ(snapshot(), before);
        ASSERT_EQ(doc->box().slipTemplate() ? std::optional(doc->box().slipTemplate()->string()) : std::nullopt, templateText);
        ASSERT_EQ(doc->box().savedSearches(), savedSearches);
        undoForgotten();
    }

    void runSteps(qint64 steps, qint64 reopenEvery) {
        struct Operation {
            const char* name;
            int weight;
            std::function<void()> run;
        };
        const std::vector<Operation> operations{
            {"add", 8, [&] { add(); }},
            {"remove", 5, [&] { remove(); }},
            {"restore", 2, [&] { restore(); }},
            {"edit text", 10, [&] { editText(); }},
            {"edit keywords", 8, [&] { editField(EditorCell::Keywords); }},
            {"edit source", 4, [&] { editField(EditorCell::Source); }},
            {"edit type", 3, [&] { editField(EditorCell::Type); }},
            {"merge", 3, [&] { merge(); }},
            {"split", 3, [&] { split(); }},
            {"copy and paste", 3, [&] { copyAndPaste(); }},
            {"flag", 4, [&] { flag(); }},
            {"replace keyword", 1, [&] { replaceKeyword(); }},
            {"template", 1, [&] { changeTemplate(); }},
            {"saved searches", 2, [&] { changeSavedSearches(); }},
            {"navigate", 8, [&] { navigate(); }},
            {"undo", 12, [&] { undoSome(); }},
            {"redo", 8, [&] { redoSome(); }},
        };
        int total = 0;
        for (const Operation& operation : operations) total += operation.weight;
        for (step = 1; step <= steps; ++step) {
            qint64 chosen = pick(total);
            const Operation* operation = &operations.front();
            for (const Operation& candidate : operations) {
                if (chosen < candidate.weight) {
                    operation = &candidate;
                    break;
                }
                chosen -= candidate.weight;
            }
            lastOperation = operation->name;
            SCOPED_TRACE(failureContext().toStdString());
            operation->run();
            if (::testing::Test::HasFatalFailure() || ::testing::Test::HasNonfatalFailure()) return;
            if (step % reopenEvery == 0) {
                lastOperation = "save and reopen";
                saveAndReopen();
                if (::testing::Test::HasFailure()) return;
            }
        }
    }
};

}  // namespace

TEST_F(LongRandomRunTest, NothingIsLostOrChangedThatShouldNotBe) {
    const SoakSettings settings = SoakSettings::fromEnvironment("long random run", 7310);
    random.seed(settings.seed);
    fill({1, 2, 3, 4, 5, 6}, {7});
    runSteps(settings.count(3000, 200000), 1000);
    EXPECT_GT(snapshot().slips.size(), 0);
    std::printf("long random run: %lld steps, %lld slips, %lld in the trash at the end\n", static_cast<long long>(step - 1),
                static_cast<long long>(snapshot().slips.size()), static_cast<long long>(snapshot().trash.size()));
}
