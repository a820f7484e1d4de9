// The program: the command line answers with Qt Core alone; the window lives in a library of
// its own (padrix-window), loaded only when a window is to be shown.
#include "app/CommandLine.h"
#include "platform/Display.h"
#include "platform/ProgramLocation.h"
#include "platform/SystemLocale.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

/// True when the command line answers: an option before "--", or more than one file name,
/// which the command line refuses; false for the window with at most one file.
bool wantsCommandLine(int argc, char* argv[]) {
    int files = 0;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        if (!optionsEnded && std::strcmp(argv[i], "--screenshot") == 0) {
            ++i; // its file name follows
            continue;
        }
        if (!optionsEnded && std::strcmp(argv[i], "--") == 0) {
            optionsEnded = true; // what follows is a file name
            continue;
        }
        if (!optionsEnded && argv[i][0] == '-' && argv[i][1] != '\0')
            return true;
        ++files;
    }
    return files > 1;
}

int runCommandLineOnly(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("padrix-calculator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PADRIX_VERSION));
    padrix::installSystemTranslations(app);
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
        err << "padrix-calculator: "
            << QCoreApplication::translate("padrix::CommandLine", "not enough memory") << Qt::endl;
        status = 1;
    }
    // What was not delivered (a full disk, a closed standard output) is no success.
    out.flush();
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (out.status() != QTextStream::Ok || !flushed) {
        const QString cause = out.device() != nullptr ? out.device()->errorString() : QString();
        err << "padrix-calculator: "
            << QCoreApplication::translate("padrix::CommandLine",
                                           "cannot write to standard output: %1")
                   .arg(cause.isEmpty()
                            ? QCoreApplication::translate("padrix::CommandLine", "the write failed")
                            : cause)
            << Qt::endl;
        return 1;
    }
    return status;
}

/// Loads the window's library, beside the program (a build) or in the program's library
/// folder (an installation), and runs the window.
int runWindow(int argc, char* argv[]) {
    // Said before Qt starts: without a display its platform plugin aborts with a page of text.
    if (!padrix::hasDisplay(padrix::DisplayEnvironment::fromProcess())) {
        std::fputs("padrix-calculator: cannot open the window: no display; --total and --eval "
                   "work without one\n",
                   stderr);
        return 1;
    }
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
