// FendleLook through its loaded module, as the thumbnailer calls it: one
// thumbnail must take well under 50 ms, so that a folder of 1,000 cache
// files fills in within a minute. Hostile files of the largest size the
// module reads must still finish within a second.
#include "WidgetBenchmarkMain.h"
#include "fendlelook/CacheFile.h"
#include "fendlelook/host/GeneratorInstance.h"
#include "platform/plist/XmlPlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using namespace fendle;
using namespace fendle::look;

namespace {

const GeneratorInstance& generator() {
    static const GeneratorInstance instance = [] {
        const auto bundle = GeneratorBundle::load(QStringLiteral(FENDLE_BINARY_DIR "/lib/fendle/FendleLook.qlgenerator"));
        if (!bundle) qFatal("%s", qPrintable(bundle.error()));
        auto made = GeneratorInstance::create(*bundle);
        if (!made) qFatal("%s", qPrintable(made.error()));
        return std::move(*made);
    }();
    return instance;
}

// A cache file with the ten keys, its text of the given length.
QByteArray cacheFileUrl(const QTemporaryDir& folder, qsizetype textLength) {
    QString text;
    while (text.size() < textLength) text += QStringLiteral("A slip's keywords relate it to other slips. ");
    text.truncate(textLength);
    const PlistValue dictionary(PlistValue::Dictionary{
        {QStringLiteral("kMDItemTitle"), QStringLiteral("Keywords")},
        {QStringLiteral("kMDItemAuthors"), PlistValue(PlistValue::Array{PlistValue("Ada")})},
        {QStringLiteral("kMDItemKeywords"), PlistValue(PlistValue::Array{PlistValue("scents"), PlistValue("keywords")})},
        {CacheFile::TextContentKey, text},
        {CacheFile::SlipIDKey, QStringLiteral("12")},
        {CacheFile::SourceKey, QStringLiteral("https://example.org/cards")},
        {CacheFile::BoxPathKey, QStringLiteral("/home/ada/Notes.fendle")},
        {QStringLiteral("kMDItemContentCreationDate"), QStringLiteral("2009-03-05 14:22:07 +0100")},
        {QStringLiteral("kMDItemContentModificationDate"), QStringLiteral("2009-03-05 14:22:07 +0100")},
        {QStringLiteral("kMDItemKind"), QStringLiteral("Slip")},
    });
    const QString path = folder.filePath(QStringLiteral("Notes%1.fdlcache").arg(textLength));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(writeXmlPlist(dictionary));
    return QUrl::fromLocalFile(path).toEncoded();
}

void BM_Thumbnail(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray url = cacheFileUrl(folder, state.range(0));
    const double side = static_cast<double>(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(generator().thumbnail(url, FL_CACHE_FILE_CONTENT_TYPE, {side, side}));
}
BENCHMARK(BM_Thumbnail)->Args({300, 128})->Args({300, 256})->Args({5000, 256})->Unit(benchmark::kMillisecond);

void BM_Preview(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray url = cacheFileUrl(folder, state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(generator().preview(url, FL_CACHE_FILE_CONTENT_TYPE));
}
BENCHMARK(BM_Preview)->Arg(300)->Arg(5000)->Unit(benchmark::kMillisecond);

// Just below the size the module still reads, nearly all of it one string.
void BM_LargestFile(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray url = cacheFileUrl(folder, CacheFile::MaximumFileSize - 4096);
    for (auto _ : state) {
        benchmark::DoNotOptimize(generator().thumbnail(url, FL_CACHE_FILE_CONTENT_TYPE, {256, 256}));
        benchmark::DoNotOptimize(generator().preview(url, FL_CACHE_FILE_CONTENT_TYPE));
    }
}
BENCHMARK(BM_LargestFile)->Unit(benchmark::kMillisecond);

}  // namespace

FENDLE_WIDGET_BENCHMARK_MAIN();
