// Reading and writing RTF of a long slip: 10,000 paragraphs of about 100
// characters, each with a bold word, a link and a non-ASCII character.
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <benchmark/benchmark.h>

using namespace fendle;

namespace {
RichText longText() {
    Attributes plain;
    plain.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    Attributes bold;
    bold.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false});
    Attributes link = plain;
    link.set(attr::Link, LinkAttribute{QStringLiteral("fendle://12.self"), true});
    std::vector<RichText::Run> runs;
    QString text;
    for (int i = 0; i < 10000; ++i) {
        const QString a = QStringLiteral("Paragraph %1 of a long slip with caf\u00E9 and \u65E5 in it, ").arg(i);
        const QString b = QStringLiteral("bold");
        const QString c = QStringLiteral(" words, then a ");
        const QString d = QStringLiteral("link to slip 12");
        const QString e = QStringLiteral(".\n");
        text += a + b + c + d + e;
        runs.push_back({a.size(), plain});
        runs.push_back({b.size(), bold});
        runs.push_back({c.size(), plain});
        runs.push_back({d.size(), link});
        runs.push_back({e.size(), plain});
    }
    return RichText::fromRuns(text, std::move(runs));
}

void BM_WriteRtf(benchmark::State& state) {
    const RichText text = longText();
    for (auto _ : state) benchmark::DoNotOptimize(RtfWriter::write(text));
    state.SetBytesProcessed(state.iterations() * RtfWriter::write(text).size());
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtf(benchmark::State& state) {
    const QByteArray rtf = RtfWriter::write(longText());
    for (auto _ : state) benchmark::DoNotOptimize(RtfReader::read(rtf));
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
