// Keyword index build, slip-scent ranking and the alternating graph on
// generated boxes of 1,000, 10,000 and 100,000 slips.
#include "GeneratedBox.h"
#include "scents/AlternatingScent.h"
#include "scents/KeywordScent.h"
#include "scents/SlipScents.h"

#include <benchmark/benchmark.h>

using namespace fendle;
using namespace fendle::bench;

static void BM_KeywordIndexBuild(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    const QHash<QString, QString> keywords = box->keywordsDictionary();
    for (auto _ : state) {
        KeywordScent index(keywords, false);
        benchmark::DoNotOptimize(index.keywordScents().size());
    }
    const long long before = allocatedBytes();
    auto kept = std::make_unique<KeywordScent>(keywords, false);
    state.counters["index_MB"] = double(allocatedBytes() - before) / 1e6;
}
BENCHMARK(BM_KeywordIndexBuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// What a rebuild costs in full: reading the keyword strings from the box too.
static void BM_KeywordIndexBuildFromBox(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        KeywordScent index(box->keywordsDictionary(), false);
        benchmark::DoNotOptimize(index.keywordScents().size());
    }
}
BENCHMARK(BM_KeywordIndexBuildFromBox)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_SlipScentRanking(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    const KeywordScent index(box->keywordsDictionary(), false);
    const QList<SlipPtr> slips = box->slips().values();
    qsizetype i = 0, related = 0;
    for (auto _ : state) {
        const SlipScentList scents = slipScentsForSlip(*slips[i++ % slips.size()], index);
        related += scents.count() - 1;
    }
    state.counters["related_per_slip"] = double(related) / double(state.iterations());
}
BENCHMARK(BM_SlipScentRanking)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

static void BM_KeywordScentExpand(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    const KeywordScent index(box->keywordsDictionary(), false);
    for (auto _ : state) {
        // Expanding a top-level row and one child, as the view does.
        KeywordScentEntry* top = index.child(0, nullptr).get();
        for (qsizetype c = 0; c < index.numberOfChildrenOfItem(top); ++c)
            benchmark::DoNotOptimize(index.child(c, top).get());
        KeywordScentEntryPtr first = index.child(0, top);
        benchmark::DoNotOptimize(index.numberOfChildrenOfItem(first.get()));
    }
}
BENCHMARK(BM_KeywordScentExpand)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_AlternatingScentBuild(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    const QHash<QString, QString> keywords = box->keywordsDictionary();
    for (auto _ : state) {
        AlternatingScent graph(keywords, *box);
        benchmark::DoNotOptimize(graph.scents().size());
    }
    const long long before = allocatedBytes();
    auto kept = std::make_unique<AlternatingScent>(keywords, *box);
    state.counters["graph_MB"] = double(allocatedBytes() - before) / 1e6;
}
BENCHMARK(BM_AlternatingScentBuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
