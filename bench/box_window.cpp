// The box window on a large box: opening it and moving between slips with
// the toolbar, widgets included, on the offscreen platform.
#include "WidgetBenchmarkMain.h"
#include "GeneratedBox.h"
#include "app/commands/BoxToolBar.h"
#include "app/windows/BoxWindow.h"
#include "app/program/QtUiPort.h"
#include "app/commands/SegmentedControl.h"
#include "document/Box.h"
#include "platform/ui/Pasteboard.h"

#include <QApplication>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <memory>

using namespace fendle;

namespace {

// The box file of a generated box, made once.
const QByteArray& boxFileBytes(int slips) {
    static std::map<int, QByteArray> made;
    QByteArray& bytes = made[slips];
    if (bytes.isEmpty()) {
        QtUiPort port;
        InMemoryPasteboard pasteboard;
        Box box(port, pasteboard);
        box.box().setSlips(bench::generatedBox(slips)->slips(), {});
        bytes = box.dataOfType(Box::DocumentType).value_or(QByteArray());
    }
    return bytes;
}

struct OpenWindow {
    QtUiPort port;
    InMemoryPasteboard pasteboard;
    std::shared_ptr<Box> box = std::make_shared<Box>(port, pasteboard);
    std::unique_ptr<BoxWindow> window;

    explicit OpenWindow(const QByteArray& file) {
        box->readFromData(file, Box::DocumentType);
        window = std::make_unique<BoxWindow>(box, port, pasteboard, BoxWindow::Settings{});
        box->loadDocumentWithInitialData();
        window->show();
        QApplication::processEvents();
    }
};

void BM_OpenBoxInWindow(benchmark::State& state) {
    const QByteArray& file = boxFileBytes(int(state.range(0)));
    for (auto _ : state) {
        OpenWindow open(file);
        benchmark::DoNotOptimize(open.box->currentSlip());
        state.PauseTiming();
        open.window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenBoxInWindow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same box read and loaded without a window, for the window's share.
void BM_OpenBoxWithoutWindow(benchmark::State& state) {
    const QByteArray& file = boxFileBytes(int(state.range(0)));
    for (auto _ : state) {
        QtUiPort port;
        InMemoryPasteboard pasteboard;
        auto box = std::make_unique<Box>(port, pasteboard);
        box->readFromData(file, Box::DocumentType);
        box->showFirstSlip(QString());
        box->loadDocumentWithInitialData();
        benchmark::DoNotOptimize(box->currentSlip());
        state.PauseTiming();
        box.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenBoxWithoutWindow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void move(BoxWindow& window, int tag) {
    window.toolBar()->changeSlipToolbarControl->segment(tag)->click();
    QApplication::processEvents();
}

// The first move after opening: the box built its keyword index while
// loading, so the move ranks the slip scents on it like any later move.
// With staleIndex the index is marked stale after loading, as opening once
// left it, and the move builds it again (the figure before the change).
void firstMoveAfterOpening(benchmark::State& state, bool staleIndex) {
    const QByteArray& file = boxFileBytes(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto open = std::make_unique<OpenWindow>(file);
        if (staleIndex) open->box->setKeywordScentsMustBeUpdated(true);
        state.ResumeTiming();
        move(*open->window, 0);
        state.PauseTiming();
        open.reset();
        state.ResumeTiming();
    }
}
void BM_FirstMoveAfterOpening(benchmark::State& state) { firstMoveAfterOpening(state, false); }
BENCHMARK(BM_FirstMoveAfterOpening)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
void BM_FirstMoveWithStaleIndex(benchmark::State& state) { firstMoveAfterOpening(state, true); }
BENCHMARK(BM_FirstMoveWithStaleIndex)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// One click on "previous" and one on "next", each with the window brought
// in step (fields, text, title, toolbar, menus, slip scents) before the next event.
void BM_PreviousAndNextInWindow(benchmark::State& state) {
    OpenWindow open(boxFileBytes(int(state.range(0))));
    move(*open.window, 0);
    for (auto _ : state) {
        move(*open.window, 0);
        move(*open.window, 1);
    }
    state.counters["moves"] = benchmark::Counter(double(state.iterations()) * 2);
}
BENCHMARK(BM_PreviousAndNextInWindow)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

FENDLE_WIDGET_BENCHMARK_MAIN()
