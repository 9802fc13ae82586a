// What a hostile server can make the program do at most: read a catalogue
// of the largest size accepted, and check an archive with the most entries
// accepted. Both run on the user-interface thread.
#include "plugins/PlugInArchive.h"
#include "plugins/PlugInCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

QByteArray largestCatalogue() {
    QByteArray xml = "<plist version=\"1.0\"><dict>";
    for (int i = 0; i < PlugInCatalogue::MaxEntries; ++i) {
        const QByteArray entry = "<key>com.quorvel.fendle.p" + QByteArray::number(i) +
                                 "</key><dict><key>CFBundleVersion</key><string>1." + QByteArray::number(i) +
                                 "</string><key>ZNPlugInName</key><string>Plug-in " + QByteArray::number(i) +
                                 "</string><key>ZNPlugInDescription</key><string>" + QByteArray(300, 'd') +
                                 "</string></dict>";
        if (xml.size() + entry.size() + 20 > PlugInCatalogue::MaxSize) break;
        xml += entry;
    }
    return xml + "</dict></plist>";
}

void readLargestCatalogue(benchmark::State& state) {
    const QByteArray xml = largestCatalogue();
    for (auto _ : state) {
        const Result<PlugInCatalogue> catalogue = PlugInCatalogue::read(xml);
        if (!catalogue) state.SkipWithError(qPrintable(catalogue.error()));
        benchmark::DoNotOptimize(catalogue->entries().size());
    }
    state.SetBytesProcessed(state.iterations() * xml.size());
}
BENCHMARK(readLargestCatalogue)->Unit(benchmark::kMillisecond);

// A bundle of the most entries an archive may have, each a small file.
QByteArray archiveOfMostEntries() {
    QTemporaryDir dir;
    const QString bundle = dir.filePath(QStringLiteral("many.fdlplugin"));
    QDir().mkpath(bundle);
    for (int i = 0; i < PlugInArchive::MaxEntries - 1; ++i) {
        QFile file(bundle + QStringLiteral("/f%1").arg(i));
        if (file.open(QIODevice::WriteOnly)) file.write("x");
    }
    const Result<QByteArray> archive = PlugInArchive::pack(bundle, QStringLiteral("many"));
    return archive ? *archive : QByteArray();
}

void checkArchiveOfMostEntries(benchmark::State& state) {
    const QByteArray archive = archiveOfMostEntries();
    for (auto _ : state) {
        const Result<QString> checked = PlugInArchive::check(archive);
        if (!checked) state.SkipWithError(qPrintable(checked.error()));
        benchmark::DoNotOptimize(checked.ok());
    }
}
BENCHMARK(checkArchiveOfMostEntries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
