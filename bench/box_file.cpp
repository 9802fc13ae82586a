// Opening and saving a generated box of 100,000 slips (five keywords each,
// about 1 KB of text in three runs), beside libplist's bare parse of the
// same file. The file is generated once into the temporary folder, so that
// a run filtered to one benchmark measures only that step's memory.
#include "model/BoxFile.h"
#include "platform/files/AtomicFile.h"
#include "platform/system/DateUtils.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

#ifdef FENDLE_HAVE_LIBPLIST
#include <plist/plist.h>
#endif

using namespace fendle;

namespace {
constexpr int SlipCount = 100000;

QString boxPath() { return QDir::temp().filePath(QStringLiteral("fendle-bench-%1.fendle").arg(SlipCount)); }

BoxData generatedBox() {
    Attributes plain, bold, link;
    plain.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    bold.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false});
    link = plain;
    link.set(attr::Link, LinkAttribute{"fendle://1.self", true});
    const QString words = QStringLiteral("lorem ipsum dolor sit amet consectetur adipiscing elit sed do ");
    SlipDictionary slips;
    slips.reserve(SlipCount);
    for (int i = 1; i <= SlipCount; ++i) {
        auto slip = Slip::create(static_cast<quint32>(i));
        RichText text(QStringLiteral("Slip %1 title\n").arg(i), bold);
        text.append(words.repeated(12), plain);
        text.append(QStringLiteral("see slip one ") + words.repeated(3), link);
        slip->setTextWithoutLastModificationDate(text);
        slip->setKeywordsString(QStringLiteral("topic%1, area%2, kw%3, common, k%4").arg(i % 97).arg(i % 13).arg(i % 1000).arg(i));
        slip->setSourceWithoutLastModificationDate(QStringLiteral("https://example.org/%1").arg(i));
        slip->setCreationTime(dateFromReferenceSeconds(3e8 + i));
        slip->setLastModificationTime(dateFromReferenceSeconds(3.1e8 + i));
        slips.insert(slip->key(), slip);
    }
    BoxData box;
    box.setSlips(std::move(slips), {});
    return box;
}
}  // namespace

namespace {
const QByteArray& boxBytes() {
    static const QByteArray bytes = [] {
        QFile file(boxPath());
        if (!file.open(QIODevice::ReadOnly)) {
            const Status written = writeFileAtomically(boxPath(), BoxFile::dataRepresentation(generatedBox()));
            if (!written) qFatal("%s", qPrintable(written.error()));
            file.open(QIODevice::ReadOnly);
        }
        return file.readAll();
    }();
    return bytes;
}

void BM_OpenBox(benchmark::State& state) {
    const QString path = boxPath();
    (void)boxBytes();
    for (auto _ : state) {
        auto box = std::make_unique<BoxData>();
        const auto form = BoxFile::readFromURL(*box, path);
        if (!form || box->slips().size() != SlipCount) state.SkipWithError("box did not load");
        benchmark::DoNotOptimize(box);
        // Closing the box is not part of opening it.
        state.PauseTiming();
        box.reset();
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(boxBytes().size()) / 1e6;
}

void BM_SaveBox(benchmark::State& state) {
    BoxData box;
    if (!BoxFile::loadBoxData(box, boxBytes())) state.SkipWithError("box did not load");
    const QString target = QDir::temp().filePath(QStringLiteral("fendle-bench-save.fendle"));
    for (auto _ : state) {
        if (!BoxFile::writeToURL(box, target)) state.SkipWithError("save failed");
    }
    QFile::remove(target);
}

// Saving without the file: the encoding alone.
void BM_EncodeBox(benchmark::State& state) {
    BoxData box;
    if (!BoxFile::loadBoxData(box, boxBytes())) state.SkipWithError("box did not load");
    for (auto _ : state) benchmark::DoNotOptimize(BoxFile::dataRepresentation(box));
}

#ifdef FENDLE_HAVE_LIBPLIST
void BM_LibplistParse(benchmark::State& state) {
    const QByteArray& bytes = boxBytes();
    for (auto _ : state) {
        plist_t root = nullptr;
        plist_from_bin(bytes.constData(), static_cast<uint32_t>(bytes.size()), &root);
        if (!root) state.SkipWithError("libplist could not parse");
        plist_free(root);
    }
}
BENCHMARK(BM_LibplistParse)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

BENCHMARK(BM_OpenBox)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveBox)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EncodeBox)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace

BENCHMARK_MAIN();
