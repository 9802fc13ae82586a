// Navigation and slip operations of the box document on a large box.
#include "document/Box.h"
#include "platform/ui/Pasteboard.h"
#include "SilentUi.h"

#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

struct LargeBox {
    bench::SilentUi ui;
    InMemoryPasteboard pasteboard;
    Box doc{ui, pasteboard};
    explicit LargeBox(int slips) {
        SlipDictionary dictionary;
        for (int n = 1; n <= slips; ++n) {
            auto slip = Slip::create(static_cast<quint32>(n));
            slip->setTextWithoutLastModificationDate(RichText(QStringLiteral("Slip %1\nsome text of the slip").arg(n)));
            slip->setKeywordsString(QStringLiteral("alpha, k%1").arg(n % 100));
            dictionary.insert(slip->key(), slip);
        }
        doc.box().setSlips(dictionary, {});
        doc.showFirstSlip(QString());
    }
};

void BM_NextPrevious(benchmark::State& state) {
    LargeBox large(static_cast<int>(state.range(0)));
    large.doc.firstSlip();
    for (auto _ : state) {
        large.doc.nextSlip();
        large.doc.previousSlip();
    }
}
BENCHMARK(BM_NextPrevious)->Arg(1000)->Arg(10000)->Arg(100000);

void BM_RandomSlip(benchmark::State& state) {
    LargeBox large(static_cast<int>(state.range(0)));
    for (auto _ : state) large.doc.randomSlip();
}
BENCHMARK(BM_RandomSlip)->Arg(100000);

void BM_AddSlipAndUndo(benchmark::State& state) {
    LargeBox large(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        {
            UndoManager::EventScope event(large.doc.undoManager());
            large.doc.addSlip();
        }
        large.doc.undoManager().undo();
    }
}
BENCHMARK(BM_AddSlipAndUndo)->Arg(100000);

void BM_RemoveSlipAndUndo(benchmark::State& state) {
    LargeBox large(static_cast<int>(state.range(0)));
    large.doc.firstSlip();
    large.doc.nextSlip();
    for (auto _ : state) {
        {
            UndoManager::EventScope event(large.doc.undoManager());
            large.doc.removeSlip();
        }
        large.doc.undoManager().undo();
    }
}
BENCHMARK(BM_RemoveSlipAndUndo)->Arg(100000);

}  // namespace
BENCHMARK_MAIN();
