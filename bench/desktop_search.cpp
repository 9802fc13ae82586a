// Desktop search over the cache files of the 100,000-slip box, written by
// Lampwick's generation as the program writes them: the first search (every
// file read), later searches, and the refresh after one changed file.
#include "BuiltLampwick.h"
#include "CoreBenchmarkMain.h"
#include "GeneratedBox.h"
#include "SilentUi.h"
#include "appcore/Preferences.h"
#include "platform/files/AtomicFile.h"
#include "platform/plist/XmlPlist.h"
#include "platform/system/Defaults.h"
#include "plugins/PlugInServices.h"
#include "plugins/PreferencesPlugInView.h"
#include "plugins/WindowlessBoxViews.h"
#include "search/SearchResultsText.h"
#include "search/desktop/CacheFileIndex.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

constexpr int Slips = 100000;

// The cache folder, written once for all benchmarks; empty when Lampwick is not built.
const QString& cacheFolder() {
    static QTemporaryDir cache(QDir::currentPath() + QStringLiteral("/bench-desktop-search-XXXXXX"));
    static const QString folder = [] {
        plugin::SpotlightProtocol* lampwick = bench::builtLampwick();
        if (!lampwick) return QString();
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        static Defaults defaults(Defaults::Domain, cache.filePath(QStringLiteral("config")));
        static PlugInServices services(defaults);
        static Preferences preferences(defaults);
        WindowlessBoxViews views(*bench::generatedBox(Slips), cache.filePath(QStringLiteral("Notes.fendle")), services);
        PreferencesPlugInView preferencesView(preferences);
        lampwick->initWithBox(views, views, preferencesView)->generateCacheFiles(nullptr);
        return services.spotlightCacheFolder();
    }();
    return folder;
}

// The query a box hands over for a slip: its five keywords.
DesktopSearchQuery queryOfSlip(const QString& key) {
    return DesktopSearchQuery::parse(desktopSearchQueryText({bench::generatedBox(Slips)->slipForKey(key)->keywordsString()}));
}

void BM_FirstSearchReadingEveryFile(benchmark::State& state) {
    if (cacheFolder().isEmpty()) return state.SkipWithError("Lampwick.fdlplugin is not built");
    bench::SilentUi ui;
    const DesktopSearchQuery query = queryOfSlip(QStringLiteral("4711"));
    qsizetype found = 0;
    for (auto _ : state) {
        const long long before = bench::allocatedBytes();
        CacheFileIndex index(cacheFolder());
        index.refresh(ui);
        found = index.search(query).size();
        state.counters["indexedFiles"] = double(index.count());
        state.counters["indexMB"] = double(bench::allocatedBytes() - before) / 1e6;
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_FirstSearchReadingEveryFile)->Iterations(1)->Unit(benchmark::kMillisecond);

// One index kept across the iterations, as the window keeps it.
CacheFileIndex& sharedIndex() {
    static CacheFileIndex index(cacheFolder());
    static const bool read = [] {
        bench::SilentUi ui;
        return index.refresh(ui);
    }();
    (void)read;
    return index;
}

void search(benchmark::State& state, const DesktopSearchQuery& query) {
    if (cacheFolder().isEmpty()) return state.SkipWithError("Lampwick.fdlplugin is not built");
    CacheFileIndex& index = sharedIndex();
    bench::SilentUi ui;
    qsizetype found = 0;
    for (auto _ : state) {
        index.refresh(ui);
        found = index.search(query).size();
    }
    state.counters["found"] = double(found);
}

void BM_LaterSearchFiveKeywordsOfASlip(benchmark::State& state) { search(state, queryOfSlip(QStringLiteral("4711"))); }
BENCHMARK(BM_LaterSearchFiveKeywordsOfASlip)->Unit(benchmark::kMillisecond);

void BM_LaterSearchOneKeyword(benchmark::State& state) {
    search(state, DesktopSearchQuery::parse(QStringLiteral("\"Keyword 1234\"")));
}
BENCHMARK(BM_LaterSearchOneKeyword)->Unit(benchmark::kMillisecond);

// A word of no slip: every text is scanned to its end.
void BM_LaterSearchWordInNoText(benchmark::State& state) {
    search(state, DesktopSearchQuery::parse(QStringLiteral("zzzzqq")));
}
BENCHMARK(BM_LaterSearchWordInNoText)->Unit(benchmark::kMillisecond);

// Matches almost every slip: the cost of building a long result list.
void BM_LaterSearchMatchingNearlyAll(benchmark::State& state) {
    search(state, DesktopSearchQuery::parse(QStringLiteral("keyword")));
}
BENCHMARK(BM_LaterSearchMatchingNearlyAll)->Unit(benchmark::kMillisecond);

void BM_RefreshAfterOneChangedFile(benchmark::State& state) {
    if (cacheFolder().isEmpty()) return state.SkipWithError("Lampwick.fdlplugin is not built");
    CacheFileIndex& index = sharedIndex();
    bench::SilentUi ui;
    const QString path = cacheFolder() + QStringLiteral("/Notes77.fdlcache");
    const Result<QByteArray> original = readWholeFile(path, CacheFileRecord::MaximumFileSize);
    if (!original || !readPlist(*original)) return state.SkipWithError("no cache file of slip 77");
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PlistValue changed = *readPlist(*original);
        for (auto& [key, value] : changed.mutableDictionary())
            if (key == CacheFileRecord::TextContentKey) value = QStringLiteral("changed%1 ").arg(++round) + value.toString();
        (void)writeFileAtomically(path, writeXmlPlist(changed), Durability::Regenerable);
        state.ResumeTiming();
        index.refresh(ui);
        benchmark::DoNotOptimize(index.count());
    }
    // After the timed loop: the last change was read, and the file is put back.
    const bool foundLast =
        index.search(DesktopSearchQuery::parse(QStringLiteral("changed%1").arg(round))).size() == 1;
    (void)writeFileAtomically(path, *original, Durability::Regenerable);
    index.refresh(ui);
    if (!foundLast) state.SkipWithError("the changed file was not read again");
}
BENCHMARK(BM_RefreshAfterOneChangedFile)->Unit(benchmark::kMillisecond);

}  // namespace

FENDLE_CORE_BENCHMARK_MAIN()
