// Lampwick's cache-file generation for the 100,000-slip box, run as the box
// timer runs it: the first generation into an empty folder, and a repeated
// one with nothing changed, which must leave every file as it is.
#include "BuiltLampwick.h"
#include "CoreBenchmarkMain.h"
#include "GeneratedBox.h"
#include "appcore/Preferences.h"
#include "platform/system/Defaults.h"
#include "plugins/PlugInServices.h"
#include "plugins/PreferencesPlugInView.h"
#include "plugins/WindowlessBoxViews.h"

#include <QDir>
#include <QTemporaryDir>

using namespace fendle;

namespace {

void generation(benchmark::State& state, bool repeated) {
    plugin::SpotlightProtocol* principalClass = bench::builtLampwick();
    if (!principalClass) {
        state.SkipWithError("Lampwick.fdlplugin is not built");
        return;
    }
    // On the disk of the current folder, as a user's cache folder is.
    QTemporaryDir cache(QDir::currentPath() + QStringLiteral("/bench-lampwick-XXXXXX"));
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    Defaults defaults(Defaults::Domain, cache.filePath(QStringLiteral("config")));
    PlugInServices services(defaults);
    WindowlessBoxViews views(*bench::generatedBox(static_cast<int>(state.range(0))), QStringLiteral("/boxes/Notes.fendle"),
                             services);
    Preferences preferences(defaults);
    PreferencesPlugInView preferencesView(preferences);
    const auto instance = principalClass->initWithBox(views, views, preferencesView);
    if (repeated) instance->generateCacheFiles(nullptr);
    for (auto _ : state) {
        if (!repeated) {
            state.PauseTiming();
            QDir(services.spotlightCacheFolder()).removeRecursively();
            state.ResumeTiming();
        }
        instance->generateCacheFiles(nullptr);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FirstGeneration(benchmark::State& state) { generation(state, false); }
BENCHMARK(BM_FirstGeneration)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RepeatedGenerationNothingChanged(benchmark::State& state) { generation(state, true); }
BENCHMARK(BM_RepeatedGenerationNothingChanged)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

FENDLE_CORE_BENCHMARK_MAIN()
