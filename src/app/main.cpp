#include "app/CommandLine.h"
#include "mainwindow/Diruvuv_Orozezadi.h"
#include "platform/SystemLocale.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTextStream>

#include <cstring>
#include <memory>
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
    try {
        return padrix::runCommandLine(QCoreApplication::arguments(), out, err, context).value_or(0);
    } catch (const std::bad_alloc&) {
        err << "padrix-calculator: not enough memory" << Qt::endl;
        return 1;
    }
}

/// Shows the window until it is active, then saves a picture of it.
int saveScreenshot(padrix::Diruvuv_Orozezadi& window, const QString& path) {
    window.show();
    window.activateWindow();
    const QDeadlineTimer deadline(5000);
    while (!window.isActiveWindow() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    if (!window.grab().save(path)) {
        QTextStream(stderr) << "cannot write " << path << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (wantsCommandLine(argc, argv))
        return runCommandLineOnly(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("padrix-calculator"));
    QApplication::setApplicationVersion(QStringLiteral(PADRIX_VERSION));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString screenshot;
    if (const auto at = arguments.indexOf(QStringLiteral("--screenshot")); at >= 0) {
        screenshot = arguments.value(at + 1);
        arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    }
    padrix::WindowContext context = padrix::WindowContext::fromApplication();
    context.commandLine = arguments.join(QLatin1Char(' '));
    padrix::Diruvuv_Orozezadi window(context);
    if (!screenshot.isEmpty())
        return saveScreenshot(window, screenshot);
    window.show();
    return QApplication::exec();
}
