// The box window on a large box: opening it and moving between slips with
// the toolbar, widgets included, on the offscreen platform.
#include "GeneratedBox.h"
#include "app/BoxToolBar.h"
#include "app/BoxWindow.h"
#include "app/QtUiPort.h"
#include "app/SegmentedControl.h"
#include "document/Box.h"
#include "platform/Pasteboard.h"

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

// One click on "previous" and one on "next", each with the window brought
// in step (fields, text, title, toolbar, menus) before the next event.
void BM_PreviousAndNextInWindow(benchmark::State& state) {
    OpenWindow open(boxFileBytes(int(state.range(0))));
    SegmentedControl* change = open.window->toolBar()->changeSlipToolbarControl;
    for (auto _ : state) {
        change->segment(0)->click();
        QApplication::processEvents();
        change->segment(1)->click();
        QApplication::processEvents();
    }
    state.counters["moves"] = benchmark::Counter(double(state.iterations()) * 2);
}
BENCHMARK(BM_PreviousAndNextInWindow)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
