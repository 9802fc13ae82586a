// The box window's views on a large box: the search results table, a
// keyword typed into the rules, header sorting, a result row clicked, and
// the slip-scent list while moving between slips. Every step includes the
// repaint of the shown views on the offscreen platform.
#include "WidgetBenchmarkMain.h"
#include "GeneratedBox.h"
#include "SilentUi.h"
#include "app/views/KeywordScentView.h"
#include "app/views/ResultTableModel.h"
#include "app/views/SearchView.h"
#include "app/views/SlipScentView.h"
#include "app/views/ZNTableView.h"
#include "document/Box.h"
#include "platform/ui/Pasteboard.h"
#include "search/SearchRuleEditor.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

struct LargeWindow {
    bench::SilentUi ui;
    InMemoryPasteboard pasteboard;
    Box doc{ui, pasteboard};
    SearchView search{doc};
    SlipScentView scents{doc};
    KeywordScentView keywords{doc};

    explicit LargeWindow(int slips) {
        const auto generated = bench::generatedBox(slips);
        doc.box().setSlips(generated->slips(), {});
        doc.loadDocumentWithInitialData();
        search.resize(1200, 700);
        scents.resize(300, 700);
        keywords.resize(300, 700);
        search.show();
        scents.show();
        keywords.show();
        QApplication::processEvents();
    }
};

void settle() { QApplication::processEvents(); }

void BM_ShowAllResults(benchmark::State& state) {
    LargeWindow window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.doc.showAllSlipsAsSearchResults();
        settle();
    }
}
BENCHMARK(BM_ShowAllResults)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortResultsByHeader(benchmark::State& state) {
    LargeWindow window(static_cast<int>(state.range(0)));
    const int column = ResultTableModel::columnOf(QStringLiteral("value"));
    bool ascending = true;
    for (auto _ : state) {
        window.search.resultsModel().sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
        settle();
    }
}
BENCHMARK(BM_SortResultsByHeader)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TypeKeywordIntoRule(benchmark::State& state) {
    LargeWindow window(static_cast<int>(state.range(0)));
    window.doc.selectTabViewItemWithLabel(BoxTab::Search);
    const QStringList typed{QStringLiteral("Keyword 1"), QStringLiteral("Keyword 12"), QStringLiteral("Keyword 123")};
    for (auto _ : state) {
        for (const QString& text : typed) {
            window.doc.searchRuleEditor().setValue(1, 2, text);
            settle();
        }
        window.doc.searchRuleEditor().setValue(1, 2, QString());
        settle();
    }
    state.SetItemsProcessed(state.iterations() * (typed.size() + 1));
}
BENCHMARK(BM_TypeKeywordIntoRule)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ClickResultRow(benchmark::State& state) {
    LargeWindow window(static_cast<int>(state.range(0)));
    window.doc.selectTabViewItemWithLabel(BoxTab::Search);
    int row = 0;
    for (auto _ : state) {
        window.search.resultsTable()->selectRow(row);
        row = (row + 7919) % state.range(0);
        settle();
    }
}
BENCHMARK(BM_ClickResultRow)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NextSlipWithScentList(benchmark::State& state) {
    LargeWindow window(static_cast<int>(state.range(0)));
    window.doc.selectTabViewItemWithLabel(BoxTab::Slip);
    window.doc.firstSlip();
    for (auto _ : state) {
        window.doc.nextSlip();
        settle();
        window.doc.previousSlip();
        settle();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_NextSlipWithScentList)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RebuildKeywordScentTree(benchmark::State& state) {
    LargeWindow window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.doc.setKeywordScentsMustBeUpdated(true);
        window.doc.updateKeywordScents();
        settle();
    }
}
BENCHMARK(BM_RebuildKeywordScentTree)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

FENDLE_WIDGET_BENCHMARK_MAIN()
