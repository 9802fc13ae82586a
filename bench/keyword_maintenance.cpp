// Renaming a keyword across generated boxes of up to 100,000 slips, and the
// statistics of such boxes (with the keyword index as last built, and with
// the index built first).
#include "GeneratedBox.h"
#include "document/BoxStatistics.h"
#include "scents/KeywordScent.h"

#include <benchmark/benchmark.h>

using namespace fendle;
using namespace fendle::bench;

static void BM_ReplaceKeyword(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    // Renamed back and forth so that every iteration finds the keyword.
    const QString names[] = {keywordName(17), QStringLiteral("Renamed keyword")};
    int turn = 0;
    unsigned changed = 0;
    for (auto _ : state) {
        changed = box->replaceAllOccurrencesOfKeyword(names[turn], names[1 - turn]);
        turn = 1 - turn;
        benchmark::DoNotOptimize(changed);
    }
    if (turn == 1) box->replaceAllOccurrencesOfKeyword(names[1], names[0]);
    state.counters["slips_changed"] = changed;
}
BENCHMARK(BM_ReplaceKeyword)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_StatisticsWithIndex(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    const KeywordScent index(box->keywordsDictionary(), false);
    BoxStatistics stats;
    for (auto _ : state) {
        stats = BoxStatistics::compute(*box, index);
        benchmark::DoNotOptimize(stats.slipScents);
    }
    state.counters["slip_scents"] = double(stats.slipScents);
    state.counters["keyword_scents"] = double(stats.keywordScents);
}
BENCHMARK(BM_StatisticsWithIndex)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_StatisticsBuildingIndex(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const KeywordScent index(box->keywordsDictionary(), false);
        benchmark::DoNotOptimize(BoxStatistics::compute(*box, index).words);
    }
}
BENCHMARK(BM_StatisticsBuildingIndex)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
