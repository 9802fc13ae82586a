// Export and printing of all slips of the 100,000-slip box: one RTF file,
// one plain-text file per slip, and the print string with every slip's
// scents. "retainedMB" is what the allocator still hands out at the end of
// the export, against before it.
#include "GeneratedBox.h"
#include "SilentUi.h"
#include "io/ExportSource.h"
#include "io/PdfRenderer.h"
#include "io/PrintViewController.h"
#include "io/SlipExporter.h"
#include "scents/KeywordScent.h"
#include "scents/SlipScents.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

constexpr int Slips = 100000;

class GeneratedSource : public ExportSource {
public:
    explicit GeneratedSource(const BoxData& box) : box_(box), index_(box.keywordsDictionary(), false) {}
    const BoxData& boxData() const override { return box_; }
    SlipPtr currentSlip() const override { return box_.slipForKey(QStringLiteral("1")); }
    QStringList searchResultKeys() const override { return {}; }
    QStringList scentKeys(const Slip& slip) override { return slipScentsForSlip(slip, index_).relatedKeys(); }
    std::optional<QString> fileName() const override { return std::nullopt; }

private:
    const BoxData& box_;
    KeywordScent index_;
};

class NoPdf : public PdfRenderer {
public:
    Result<QByteArray> render(const RichText&) override { return Result<QByteArray>::failure(QStringLiteral("none")); }
};

void runExport(benchmark::State& state, ExportFormat format, bool separateFiles) {
    const auto box = bench::generatedBox(Slips);
    GeneratedSource source(*box);
    bench::SilentUi ui;
    NoPdf pdf;
    PrintViewController controller(source, ui, false);
    controller.options() = {.what = PrintWhat::All,
                            .parts = {.keywords = true, .source = true, .type = true},
                            .format = format,
                            .separateFiles = separateFiles,
                            .encoding = 4};
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const long long before = bench::allocatedBytes();
        state.ResumeTiming();
        const SlipExporter::Outcome outcome = SlipExporter(controller, ui, pdf).exportToPath(dir.filePath("All.rtf"));
        state.PauseTiming();
        state.counters["retainedMB"] = double(bench::allocatedBytes() - before) / 1e6;
        state.counters["files"] = double(outcome.written.size());
        if (outcome.failed) state.SkipWithError("the export failed");
        state.ResumeTiming();
    }
}

void BM_ExportAllToOneRtfFile(benchmark::State& state) { runExport(state, ExportFormat::Rtf, false); }
void BM_ExportAllToSeparatePlainTextFiles(benchmark::State& state) { runExport(state, ExportFormat::PlainText, true); }

void BM_PrintStringOfAllWithScents(benchmark::State& state) {
    const auto box = bench::generatedBox(Slips);
    GeneratedSource source(*box);
    bench::SilentUi ui;
    PrintViewController controller(source, ui, true);
    controller.options().what = PrintWhat::All;
    for (auto _ : state) {
        const RichText text = controller.computePrintString();
        state.counters["MB"] = double(text.length()) * 2 / 1e6;
    }
}

BENCHMARK(BM_ExportAllToOneRtfFile)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportAllToSeparatePlainTextFiles)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PrintStringOfAllWithScents)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
