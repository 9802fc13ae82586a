// Searches over generated boxes of 1,000, 10,000 and 100,000 slips.
#include "GeneratedBox.h"
#include "search/KeywordPredicateRewriting.h"
#include "search/SlipSearch.h"

#include <benchmark/benchmark.h>

using namespace fendle;
using namespace fendle::bench;
using Op = Predicate::Operator;

namespace {
PredicatePtr textContains(const QString& needle) {
    return Predicate::comparison(QStringLiteral("textString"), Op::Contains, needle, true);
}

void reportMatches(benchmark::State& state, qsizetype matches) {
    state.counters["matches"] = double(matches);
    state.counters["text_MB"] = double(state.range(0)) * 1000 / 1e6;
}
}  // namespace

// Repeated searches, as typing into a rule runs them: the folded texts are kept.
static void BM_TextContainsIgnoringCase(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    SlipSearch search;
    const long long before = allocatedBytes();
    search.filter(*box, textContains(QStringLiteral("warm")));
    state.counters["folded_cache_MB"] = double(allocatedBytes() - before) / 1e6;
    qsizetype matches = 0;
    for (auto _ : state) matches = search.filter(*box, textContains(QStringLiteral("QuIxT"))).slips.size();
    reportMatches(state, matches);
}
BENCHMARK(BM_TextContainsIgnoringCase)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The first search after opening a box folds every text once.
static void BM_TextContainsIgnoringCaseFirstRun(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    qsizetype matches = 0;
    for (auto _ : state) {
        SlipSearch search;
        matches = search.filter(*box, textContains(QStringLiteral("QuIxT"))).slips.size();
    }
    reportMatches(state, matches);
}
BENCHMARK(BM_TextContainsIgnoringCaseFirstRun)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_KeywordContains(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    SlipSearch search;
    const PredicatePtr predicate = substituteKeywordsPredicateOperators(
        Predicate::comparison(QStringLiteral("keywords"), Op::Contains, QStringLiteral("word 19"), true));
    qsizetype matches = 0;
    for (auto _ : state) matches = search.filter(*box, predicate).slips.size();
    reportMatches(state, matches);
}
BENCHMARK(BM_KeywordContains)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_AnyTextualFieldContains(benchmark::State& state) {
    const auto box = generatedBox(static_cast<int>(state.range(0)));
    SlipSearch search;
    const PredicatePtr predicate = substituteKeywordsPredicateOperators(
        Predicate::comparison(QStringLiteral("anyTextualField"), Op::Contains, QStringLiteral("quixt"), true));
    qsizetype matches = 0;
    for (auto _ : state) matches = search.filter(*box, predicate).slips.size();
    reportMatches(state, matches);
}
BENCHMARK(BM_AnyTextualFieldContains)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
