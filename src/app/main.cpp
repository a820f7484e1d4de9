// The program: the command line answers with Qt Core alone; the window lives in a library of
// its own (padrix-window), loaded only when a window is to be shown.
#include "app/CommandLine.h"
#include "platform/ProgramLocation.h"
#include "platform/SystemLocale.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

/// The options that the command line answers without a window.
bool wantsCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0) {
            ++i; // its file name follows
            continue;
        }
        if (argv[i][0] == '-' && argv[i][1] != '\0')
            return true;
    }
    return false;
}

int runCommandLineOnly(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("padrix-calculator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PADRIX_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QFile standardInput;
    standardInput.open(stdin, QIODevice::ReadOnly);
    const padrix::CommandLineContext context{
        padrix::detectNumberLocale(padrix::LocaleEnvironment::fromProcess()), &standardInput};
    int status = 0;
    try {
        status =
            padrix::runCommandLine(QCoreApplication::arguments(), out, err, context).value_or(0);
    } catch (const std::bad_alloc&) {
        err << "padrix-calculator: not enough memory" << Qt::endl;
        status = 1;
    }
    // What was not delivered (a full disk, a closed standard output) is no success.
    out.flush();
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (out.status() != QTextStream::Ok || !flushed) {
        const QString cause = out.device() != nullptr ? out.device()->errorString() : QString();
        err << "padrix-calculator: cannot write to standard output: "
            << (cause.isEmpty() ? QStringLiteral("the write failed") : cause) << Qt::endl;
        return 1;
    }
    return status;
}

/// Loads the window's library, beside the program (a build) or in the program's library
/// folder (an installation), and runs the window.
int runWindow(int argc, char* argv[]) {
    const QString beside = QString::fromStdString(padrix::programFolder(argv[0]));
    const QStringList places = {beside + QStringLiteral("/padrix-window"),
                                beside +
                                    QStringLiteral("/" PADRIX_WINDOW_LIBRARY_DIR "/padrix-window")};
    QString reasons;
    for (const QString& place : places) {
        QLibrary library(place);
        if (!library.load()) {
            reasons += QStringLiteral("; ") + library.errorString();
            continue;
        }
        using RunWindow = int (*)(int, char**);
        if (auto run = reinterpret_cast<RunWindow>(library.resolve("padrix_run_window")))
            return run(argc, argv);
        reasons += QStringLiteral("; ") + library.errorString();
    }
    std::fprintf(stderr, "padrix-calculator: cannot load the window's library%s\n",
                 reasons.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (wantsCommandLine(argc, argv))
        return runCommandLineOnly(argc, argv);
    return runWindow(argc, argv);
}
