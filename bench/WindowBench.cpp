// The menu commands inside the window, as a user runs them: the redraw, the recalculation and
// the clipboard included.
#include "mainwindow/Diruvuv_Orozezadi.h"
#include "mainwindow/TapeView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>

namespace {

using namespace padrix;

/// A window as the program opens it, its settings (and its journal, when it keeps one) in a
/// folder of its own. The folder is on the disk of the build, as a user's state folder is,
/// not in a memory file system, so that making the journal durable costs what it costs.
struct BenchWindow {
    QTemporaryDir dir{QDir::currentPath() + "/padrix-bench-XXXXXX"};
    std::unique_ptr<Diruvuv_Orozezadi> window;
    std::chrono::steady_clock::time_point journalBegins;
    double journalMs = 0; // the journal's own time on the window's thread, summed

    explicit BenchWindow(bool journal = false) {
        WindowContext context;
        context.executablePath = dir.filePath("padrix-calculator");
        context.userConfigFolder = dir.filePath("user");
        context.screenSize = QSize(1920, 1080);
        context.twipsPerPixel = 15;
        if (journal)
            context.journalFolder = dir.filePath("state");
        window = std::make_unique<Diruvuv_Orozezadi>(context);
        // The journal's handler runs between these two: its time is theirs apart.
        QObject::connect(&window->session(), &TapeSession::tapeReset,
                         [this] { journalBegins = std::chrono::steady_clock::now(); });
        window->show();
        QApplication::processEvents();
        QObject::connect(&window->session(), &TapeSession::tapeReset, [this] {
            journalMs += std::chrono::duration<double, std::milli>(
                             std::chrono::steady_clock::now() - journalBegins)
                             .count();
        });
    }
    bool journalOn() const { return window->journal() != nullptr; }
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

// Pasting a column, without and with the journal (second argument 1): the whole menu command,
// and the journal's own part of it on the window's thread ("journal ms", per paste).
void BM_WindowPasteColumn(benchmark::State& state) {
    BenchWindow w(state.range(1) != 0);
    if (state.range(1) != 0 && !w.journalOn()) {
        state.SkipWithError("the journal did not start");
        return;
    }
    w.paste(static_cast<int>(state.range(0))); // the clipboard now holds the column
    w.journalMs = 0;
    for (auto _ : state)
        w.run("P_m");
    state.counters["journal ms"] = w.journalMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WindowPasteColumn)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

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

// A digit typed into the last row of a million-line mixed tape, until the total shows it;
// without and with the journal (second argument 1).
void BM_WindowKeyToTotal(benchmark::State& state) {
    QTemporaryDir dir(QDir::currentPath() + "/padrix-bench-XXXXXX");
    const QString path = dir.filePath("mixed.Clc");
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        QByteArray text = "Padrix Calculator 6\r\n";
        for (int i = 0; i < state.range(0); ++i) {
            switch (i % 4) {
            case 0:
                text += "+Sin(" + QByteArray::number(i % 90) + ")\r\n";
                break;
            case 1: // adds and takes off 2% in turn, as the core benchmark's tape does
                text += i % 8 == 1 ? "+2%\r\n" : "-2%\r\n";
                break;
            case 2:
                text += "+Svol(" + QByteArray::number(i % 7) + ")\r\n";
                break;
            default:
                text += "+" + QByteArray::number(i % 10007) + ".25\r\n";
                break;
            }
        }
        file.write(text);
    }
    WindowContext context;
    context.executablePath = dir.filePath("padrix-calculator");
    context.userConfigFolder = dir.filePath("user");
    context.screenSize = QSize(1920, 1080);
    context.twipsPerPixel = 15;
    context.arguments = {path};
    if (state.range(1) != 0)
        context.journalFolder = dir.filePath("state");
    Diruvuv_Orozezadi window(context);
    window.show();
    QApplication::processEvents();
    if ((window.journal() != nullptr) != (state.range(1) != 0)) {
        state.SkipWithError("the journal is not as asked");
        return;
    }
    if (window.journal() != nullptr)
        window.journal()->flush(true); // the opened file's snapshot is on the disk
    auto* scroll = window.findChild<QWidget*>("ScrollNum");
    scroll->setProperty("Value", scroll->property("ValueMax"));
    const int lastRow = window.tapeView().LastVisibleLine();
    auto* row = window.findChild<QLineEdit*>(QStringLiteral("CalAmount_%1").arg(lastRow));
    auto* total = window.findChild<QLineEdit*>("TotalAmount");
    row->setFocus();
    int n = 0;
    for (auto _ : state) {
        const QString before = total->text();
        const Qt::Key key = ++n % 2 == 1 ? Qt::Key_5 : Qt::Key_Backspace;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                        key == Qt::Key_5 ? QStringLiteral("5") : QStringLiteral("\b"));
        QApplication::sendEvent(row, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(row, &release);
        if (total->text() == before) {
            state.SkipWithError(("the total did not change: " + before.toStdString() + " " +
                                 std::to_string(window.session().lineCount()))
                                    .c_str());
            break;
        }
    }
    window.close();
}
BENCHMARK(BM_WindowKeyToTotal)
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);

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
    state.counters["lines"] = w.window->session().lineCount();
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
