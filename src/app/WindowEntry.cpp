// The window's side of the program, in a library of its own so that the command line starts
// without Qt Gui and Widgets: padrix_run_window is what the program calls to show the window.
#include "core/CalcFileReading.h"
#include "mainwindow/Diruvuv_Orozezadi.h"
#include "platform/SystemLocale.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTextStream>
#include <QTimer>

namespace {

/// Shows the window until it is active (or five seconds have passed), then saves a picture
/// of it once what the activation did is drawn.
int saveScreenshot(padrix::Diruvuv_Orozezadi& window, const QString& path) {
    window.show();
    window.activateWindow();
    const QDeadlineTimer deadline(5000);
    int status = 1;
    QTimer poll;
    poll.setInterval(0); // whenever the event loop has nothing else to do
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (!window.isActiveWindow() && !deadline.hasExpired())
            return;
        poll.stop();
        QTimer::singleShot(0, &window, [&] {
            status = window.grab().save(path) ? 0 : 1;
            if (status != 0)
                QTextStream(stderr) << "cannot write " << path << Qt::endl;
            QCoreApplication::quit();
        });
    });
    poll.start();
    QApplication::exec();
    return status;
}

} // namespace

extern "C" Q_DECL_EXPORT int padrix_run_window(int argc, char* argv[]) {
    // A calculation file named on the command line is read while Qt starts and the window is
    // built; the window takes it where it opens that very file.
    std::shared_ptr<padrix::CalcFileReading> reading;
    {
        QStringList raw;
        for (int i = 1; i < argc; ++i)
            raw << QString::fromLocal8Bit(argv[i]);
        if (const QString file = padrix::fileArgument(raw); !file.isEmpty())
            reading = std::make_shared<padrix::CalcFileReading>(
                file, padrix::detectNumberLocale(padrix::LocaleEnvironment::fromProcess()));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("padrix-calculator"));
    QApplication::setApplicationVersion(QStringLiteral(PADRIX_VERSION));
    // Before the window is made: its texts are read in the user's language as it is built.
    padrix::installSystemTranslations(app);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString screenshot;
    if (const auto at = arguments.indexOf(QStringLiteral("--screenshot")); at >= 0) {
        screenshot = arguments.value(at + 1);
        arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    }
    arguments.removeOne(QStringLiteral("--")); // it only marks what follows as a file name
    padrix::WindowContext context = padrix::WindowContext::fromApplication();
    context.arguments = arguments;
    context.fileReading = std::move(reading);
    if (!screenshot.isEmpty())
        context.journalFolder.clear(); // a picture of the window asks nothing and keeps nothing
    padrix::Diruvuv_Orozezadi window(context);
    if (!screenshot.isEmpty())
        return saveScreenshot(window, screenshot);
    window.show();
    return QApplication::exec();
}
