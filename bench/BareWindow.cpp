// The yardstick of the window's start: a plain Qt Widgets program of the calculator's size (a
// main window of its pixels with a menu bar, 14 line edits and 20 push buttons), shown
// offscreen until it is active and then drawn into a picture, as `padrix-calculator
// --screenshot` does.
#include <QApplication>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QMainWindow window;
    for (const char* title : {"Options", "Decimals", "Total", "Games"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 0; i < 8; ++i)
            menu->addAction(QStringLiteral("Item %1").arg(i));
    }
    auto* interior = new QWidget(&window);
    auto* grid = new QGridLayout(interior);
    for (int i = 0; i < 14; ++i)
        grid->addWidget(new QLineEdit(interior), i, 0);
    for (int i = 0; i < 20; ++i)
        grid->addWidget(new QPushButton(QString::number(i), interior), i % 10, 1 + i / 10);
    window.setCentralWidget(interior);
    window.resize(671, 466 + window.menuBar()->sizeHint().height()); // the calculator's size
    window.show();
    window.activateWindow();
    const QDeadlineTimer deadline(5000);
    int status = 1;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (!window.isActiveWindow() && !deadline.hasExpired())
            return;
        poll.stop();
        QTimer::singleShot(0, &window, [&] {
            status = window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
            QCoreApplication::quit();
        });
    });
    poll.start();
    QApplication::exec();
    return status;
}
