// The menu commands inside the window, as a user runs them: the redraw, the recalculation and
// the clipboard included.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using namespace padrix;

/// A window as the program opens it, its settings in a folder of its own.
struct BenchWindow {
    QTemporaryDir dir;
    std::unique_ptr<Diruvuv_Orozezadi> window;

    BenchWindow() {
        WindowContext context;
        context.executablePath = dir.filePath("padrix-calculator");
        context.userConfigFolder = dir.filePath("user");
        context.screenSize = QSize(1920, 1080);
        context.twipsPerPixel = 15;
        window = std::make_unique<Diruvuv_Orozezadi>(context);
        window->show();
        QApplication::processEvents();
    }
    ~BenchWindow() { window->close(); }

    void run(const char* item) { window->findChild<QAction*>(item)->trigger(); }
    /// Pastes a column of `lines` random amounts.
    void paste(int lines) {
        QString column;
        std::mt19937 random(5);
        std::uniform_int_distribution<int> cents(1, 9999999);
        for (int i = 0; i < lines; ++i)
            column += QString::number(cents(random) / 100.0, 'f', 2) + "\r\n";
        QGuiApplication::clipboard()->setText(column);
        run("P_m");
    }
};

void BM_WindowPasteColumn(benchmark::State& state) {
    BenchWindow w;
    w.paste(static_cast<int>(state.range(0))); // the clipboard now holds the column
    for (auto _ : state)
        w.run("P_m");
}
BENCHMARK(BM_WindowPasteColumn)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WindowCopyTape(benchmark::State& state) {
    BenchWindow w;
    w.paste(static_cast<int>(state.range(0)));
    for (auto _ : state)
        w.run("C_m");
}
BENCHMARK(BM_WindowCopyTape)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WindowSortTape(benchmark::State& state) {
    BenchWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.paste(static_cast<int>(state.range(0))); // unsorted again
        state.ResumeTiming();
        w.run("SortNm");
    }
}
BENCHMARK(BM_WindowSortTape)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Clear All on a tape of a million lines and its undo: the earlier tape is moved into the
// history and back, never copied.
void BM_WindowClearAllAndUndo(benchmark::State& state) {
    BenchWindow w;
    w.paste(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w.run("Clear_Total");
        w.run("UndoStep");
    }
    state.counters["history MB"] = static_cast<double>(w.window->undoHistoryBytes()) / (1 << 20);
    state.counters["lines"] = w.window->state().tape.lineCount();
}
BENCHMARK(BM_WindowClearAllAndUndo)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
