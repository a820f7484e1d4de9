// The window's side of the program, in a library of its own so that the command line starts
// without Qt Gui and Widgets: padrix_run_window is what the program calls to show the window.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTextStream>

namespace {

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

extern "C" Q_DECL_EXPORT int padrix_run_window(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("padrix-calculator"));
    QApplication::setApplicationVersion(QStringLiteral(PADRIX_VERSION));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString screenshot;
    if (const auto at = arguments.indexOf(QStringLiteral("--screenshot")); at >= 0) {
        screenshot = arguments.value(at + 1);
        arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    }
    arguments.removeOne(QStringLiteral("--")); // it only marks what follows as a file name
    padrix::WindowContext context = padrix::WindowContext::fromApplication();
    context.commandLine = arguments.join(QLatin1Char(' '));
    padrix::Diruvuv_Orozezadi window(context);
    if (!screenshot.isEmpty())
        return saveScreenshot(window, screenshot);
    window.show();
    return QApplication::exec();
}
