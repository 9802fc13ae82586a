// Lampwick's cache-file generation for the 100,000-slip box, run as the box
// timer runs it: the first generation into an empty folder, and a repeated
// one with nothing changed, which must leave every file as it is.
#include "GeneratedBox.h"
#include "appcore/Preferences.h"
#include "platform/system/Defaults.h"
#include "plugins/PlugInBundle.h"
#include "plugins/PlugInServices.h"
#include "plugins/PreferencesPlugInView.h"
#include "plugins/WindowlessBoxViews.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

plugin::SpotlightProtocol* lampwick() {
    const Result<PlugInBundle> bundle =
        PlugInBundle::open(QStringLiteral(FENDLE_BINARY_DIR "/lib/fendle/PlugIns/Lampwick.fdlplugin"));
    if (!bundle) return nullptr;
    const Result<QObject*> root = bundle->principalClass();
    return root ? qobject_cast<plugin::SpotlightProtocol*>(*root) : nullptr;
}

void generation(benchmark::State& state, bool repeated) {
    plugin::SpotlightProtocol* principalClass = lampwick();
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

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
