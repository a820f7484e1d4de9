#include "core/CalcFile.h"
#include "core/Recalculation.h"
#include "core/Statistics.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>

#include <optional>

#include <benchmark/benchmark.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <random>

namespace {

using namespace padrix;

/// Plain number lines as people type them: cents, mostly added, some taken off.
Tape plainTape(int lines) {
    Tape tape;
    tape.reserve(lines);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> cents(1, 999999);
    for (int i = 0; i < lines; ++i)
        tape.append(i % 5 == 4 ? '-' : '+',
                    Decimal::fromParts(static_cast<std::uint64_t>(cents(random)), 0, 2, false));
    return tape;
}

/// A quarter each: function lines, percentages, formula-button calls, plain numbers.
Tape mixedTape(int lines) {
    Tape tape;
    for (int i = 0; i < lines; ++i) {
        switch (i % 4) {
        case 0:
            tape.append('+', "Sin(" + std::to_string(i % 90) + ")");
            break;
        case 1:
            tape.append(i % 8 == 1 ? '+' : '-', std::string("2%"));
            break;
        case 2:
            tape.append('+', i % 8 == 2 ? "Svol(" + std::to_string(i % 7) + ")"
                                        : "Kilo(" + std::to_string(i % 50) + ")");
            break;
        default:
            tape.append('+',
                        Decimal::fromParts(static_cast<std::uint64_t>(i % 10007), 0, 2, false));
            break;
        }
    }
    return tape;
}

void BM_MailCalcPlainNumbers(benchmark::State& state) {
    const Tape tape = plainTape(static_cast<int>(state.range(0)));
    const RecalcSettings settings;
    for (auto _ : state) {
        GrandTotal total = MailCalc(tape, settings);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_MailCalcPlainNumbers)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_MailCalcMixedLines(benchmark::State& state) {
    const Tape tape = mixedTape(static_cast<int>(state.range(0)));
    const RecalcSettings settings;
    for (auto _ : state) {
        GrandTotal total = MailCalc(tape, settings);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_MailCalcMixedLines)->Arg(100000)->Unit(benchmark::kMillisecond);

// The total after a change of the last line of a long mixed tape, worked from the last
// checkpoint (range(1) = 1) or by the whole walk (0).
void BM_TotalAfterLastLineChanged(benchmark::State& state) {
    Tape tape = mixedTape(static_cast<int>(state.range(0)));
    const RecalcSettings settings;
    RunningTotal running;
    running.total(tape, settings, tape.takeFirstChanged());
    const int last = tape.lineCount() - 1;
    int digit = 0;
    for (auto _ : state) {
        tape.setValue(last, Decimal(++digit % 10));
        const int first = tape.takeFirstChanged();
        GrandTotal total =
            state.range(1) != 0 ? running.total(tape, settings, first) : MailCalc(tape, settings);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_TotalAfterLastLineChanged)
    ->Args({1000000, 1})
    ->Args({1000000, 0})
    ->Unit(benchmark::kMillisecond);

/// One tape line of `length` characters in one of several shapes that stress the reading of
/// a line: long figures, long formula arguments, deep and long rows of bracket groups.
std::string longLine(int shape, std::size_t length) {
    const auto fill = [length](std::string head, std::string_view unit, std::string tail) {
        while (head.size() + unit.size() + tail.size() <= length)
            head += unit;
        return head + tail;
    };
    switch (shape) {
    case 0: // one number of a million figures
        return fill("", "1234567890", "");
    case 1: // the running total, over and over, as a button's argument
        return fill("Svol(", "T", ")");
    case 2: // a million-figure argument of a function
        return fill("Sin(0.", "0", "1)");
    case 3: // a row of bracket groups as a button's argument
        return fill("Kilo(", "(1)+", "1)");
    case 4: // signs and figures in turn
        return fill("Kilo(1", "-+-1", ")");
    case 5: // a row of powers
        return fill("Svol(1", "^1", ")");
    default: // a percentage of many figures
        return fill("", "9", "%");
    }
}

void BM_MailCalcLongLine(benchmark::State& state) {
    Tape tape;
    tape.append('+', Decimal(2));
    tape.append('+', longLine(static_cast<int>(state.range(0)), 1000000));
    const RecalcSettings settings;
    for (auto _ : state) {
        GrandTotal total = MailCalc(tape, settings);
        benchmark::DoNotOptimize(total);
    }
    state.SetLabel(MailCalc(tape, settings).text.substr(0, 20));
}
BENCHMARK(BM_MailCalcLongLine)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_SortValues(benchmark::State& state) {
    const Tape tape = plainTape(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Value> values = tape.TapeValues();
        state.ResumeTiming();
        benchmark::DoNotOptimize(Selectionsort(values));
    }
}
BENCHMARK(BM_SortValues)->Arg(1000000)->Unit(benchmark::kMillisecond);

/// A calculation file of `lines` plain number lines in a fresh temporary folder.
struct BenchFile {
    QTemporaryDir dir;
    QString path;
    explicit BenchFile(int lines) : path(dir.filePath(QStringLiteral("bench.Clc"))) {
        saveCalcFile(path, plainTape(lines), NumberLocale::english());
    }
};

void BM_LoadCalcFile(benchmark::State& state) {
    const BenchFile file(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto tape = loadCalcFile(file.path, NumberLocale::english());
        benchmark::DoNotOptimize(tape);
    }
#ifdef __GLIBC__
    // Heap bytes that one loaded line keeps, measured on one extra load.
    auto heapInUse = [] {
        const struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd; // small blocks and mapped large ones
    };
    const std::size_t before = heapInUse();
    const auto tape = loadCalcFile(file.path, NumberLocale::english());
    const std::size_t after = heapInUse();
    state.counters["bytes_per_line"] =
        static_cast<double>(after - before) / static_cast<double>(tape->lineCount());
#endif
}
BENCHMARK(BM_LoadCalcFile)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SaveCalcFile(benchmark::State& state) {
    const Tape tape = plainTape(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("save.Clc"));
    for (auto _ : state)
        benchmark::DoNotOptimize(saveCalcFile(path, tape, NumberLocale::english()));
}
BENCHMARK(BM_SaveCalcFile)->Arg(1000000)->Unit(benchmark::kMillisecond);

/// The whole program: start, load the file, recalculate, print, exit.
void BM_TotalCommandProcess(benchmark::State& state) {
    const BenchFile file(static_cast<int>(state.range(0)));
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/padrix-calculator");
    for (auto _ : state) {
        QProcess process;
        process.start(program, {QStringLiteral("--total"), file.path});
        process.waitForFinished(-1);
        if (process.exitCode() != 0)
            state.SkipWithError("padrix-calculator --total failed");
    }
}
BENCHMARK(BM_TotalCommandProcess)
    ->Arg(3)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

/// Starts `program` offscreen with `arguments` until it exits, in every iteration.
void startUntilDrawn(benchmark::State& state, const QString& program,
                     const QStringList& arguments) {
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        process.waitForFinished(-1);
        if (process.exitCode() != 0)
            state.SkipWithError("the program failed");
    }
}

/// The program starting its window, offscreen, until it has drawn it: empty (0), or with a
/// calculation file of that many lines.
void BM_WindowStartProcess(benchmark::State& state) {
    const QTemporaryDir dir;
    QStringList arguments = {QStringLiteral("--screenshot"), dir.filePath("window.png")};
    std::optional<BenchFile> file;
    if (state.range(0) > 0) {
        file.emplace(static_cast<int>(state.range(0)));
        arguments << file->path;
    }
    startUntilDrawn(state,
                    QCoreApplication::applicationDirPath() +
                        QStringLiteral("/../src/app/padrix-calculator"),
                    arguments);
}
BENCHMARK(BM_WindowStartProcess)
    ->Arg(0)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

/// What the start pays for the texts' language: reading the environment's choice and, for
/// German (1), loading the program's and Qt's translations; English (0) loads nothing.
void BM_InstallTranslations(benchmark::State& state) {
    const QStringList languages = state.range(0) == 0 ? QStringList{QStringLiteral("en_US")}
                                                      : QStringList{QStringLiteral("de_DE")};
    auto& application = *QCoreApplication::instance();
    for (auto _ : state) {
        // The environment is read as at a start; the language is the benchmark's own.
        benchmark::DoNotOptimize(
            padrix::messageLanguages(padrix::MessageEnvironment::fromProcess()));
        const QList<QTranslator*> installed = padrix::installTranslations(application, languages);
        state.PauseTiming();
        for (QTranslator* translator : installed) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InstallTranslations)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

/// The yardstick: a plain Qt Widgets program of the window's size, until it has drawn it.
void BM_BareWidgetsStartProcess(benchmark::State& state) {
    const QTemporaryDir dir;
    startUntilDrawn(state,
                    QCoreApplication::applicationDirPath() + QStringLiteral("/padrix-bare-window"),
                    {dir.filePath("window.png")});
}
BENCHMARK(BM_BareWidgetsStartProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
