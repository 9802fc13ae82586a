// Tagging files and handing them to the backup store. A box's cache-file
// generation tags 100,000 files on the user-interface thread, so a hand-over
// must cost microseconds; the backups themselves run on the store's thread.
#include "openmeta/OpenMeta.h"
#include "openmeta/OpenMetaBackup.h"
#include "platform/files/ExtendedAttributes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

// Files in the current folder, which is on a disk (a tmpfs may refuse
// "user." attributes); backups go below it as well.
QTemporaryDir& workFolder() {
    static QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-openmeta-XXXXXX"));
    return dir;
}

QString taggableFile(const QString& name) {
    const QString path = workFolder().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write("x");
    return path;
}

void BM_HandOverPath(benchmark::State& state) {
    QStringList paths;
    for (int i = 0; i < 100000; ++i) paths.append(QStringLiteral("/nowhere/Notes/%1.fdlcache").arg(i));
    OpenMetaBackup store(workFolder().filePath(QStringLiteral("handover-backups")));
    store.backupThread();
    qsizetype next = 0;
    for (auto _ : state) store.backupMetadata(paths[next++ % paths.size()]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HandOverPath)->Iterations(100000)->Unit(benchmark::kMicrosecond);

void BM_SetUserTags(benchmark::State& state) {
    const QString file = taggableFile(QStringLiteral("tagged.fdlcache"));
    const QStringList tags{"Pear", "Plum", "Caf\u00e9", "keywords", "of a slip"};
    if (!ExtendedAttributes::set(file, QStringLiteral("probe"), "1").ok) {
        state.SkipWithError("no user extended attributes in the current folder");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(OpenMeta::setUserTags(tags, file));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetUserTags)->Unit(benchmark::kMicrosecond);

// The work of the backup thread for one file: reading and decoding its
// attributes, writing the backup file.
void BM_BackupOneFile(benchmark::State& state) {
    const QString file = taggableFile(QStringLiteral("backed-up.fdlcache"));
    if (OpenMeta::setUserTags({"Pear", "Plum"}, file)) {
        state.SkipWithError("could not tag a file in the current folder");
        return;
    }
    OpenMetaBackup store(workFolder().filePath(QStringLiteral("own-backups")));
    for (auto _ : state) benchmark::DoNotOptimize(store.backupMetadataNow(file));
}
BENCHMARK(BM_BackupOneFile)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    qputenv("XDG_DATA_HOME", workFolder().filePath(QStringLiteral("data")).toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The tag writes queued backups in the folder about to be removed.
    OpenMetaBackup::sharedInstance().finishBeforeQuit();
    return 0;
}
