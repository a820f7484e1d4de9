#pragma once

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "core/SettingsFile.h"
#include "mainwindow/Diruvuv_Orozezadi.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

/// Texts in test messages as they read.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace padrix {

inline const QColor Black(0, 0, 0);
inline const QColor DarkRed(192, 0, 0);
inline const QColor Red(255, 0, 0);
inline const QColor White(255, 255, 255);
inline const QColor MemoryHighlight(255, 224, 192);

/// A window in its own folder, shown and activated as a user finds it.
class WindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    WindowContext context;
    std::unique_ptr<Diruvuv_Orozezadi> window;
    QTimer watchdog;
    /// Answers the dialogs a test expects; true when it took the one shown.
    std::function<bool(QWidget*)> answerDialog;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("program");
        context.executablePath = dir.filePath("program/padrix-calculator");
        context.userConfigFolder = dir.filePath("user");
        context.screenSize = QSize(1920, 1080);
        context.twipsPerPixel = 15;
        context.locale = NumberLocale::english();
        // An unexpected dialog fails the test instead of blocking it.
        watchdog.setInterval(50);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || (answerDialog && answerDialog(modal)))
                return;
            const auto* label = modal->findChild<QLabel*>("qt_msgbox_label");
            ADD_FAILURE()
                << "unexpected dialog: "
                << (label != nullptr ? label->text() : modal->windowTitle()).toStdString();
            modal->close();
        });
    }

    void open() {
        window = std::make_unique<Diruvuv_Orozezadi>(context);
        window->show();
        window->activateWindow();
        // A message shown during the first activation takes the activation away; the
        // window gets it back as the user would by clicking it.
        if (!QTest::qWaitForWindowActive(window.get(), 1000))
            window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        watchdog.start();
    }

    /// Writes a file of these bytes in the test's folder and gives its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
        return path;
    }

    /// Opens the window with a calculation file of these lines on the command line.
    void openWithTape(const QString& lines) {
        const QString path = writeFile("tape.Clc", ("Padrix Calculator 6\r\n" + lines).toUtf8());
        context.commandLine = "\"" + path + "\"";
        open();
    }

    void TearDown() override {
        watchdog.stop();
        if (window)
            window->close();
    }

    const WindowState& state() const { return window->state(); }
    QLineEdit* row(int i) const {
        return window->findChild<QLineEdit*>(QStringLiteral("CalAmount_%1").arg(i));
    }
    LumoButton* op(int i) const {
        return window->findChild<LumoButton*>(QStringLiteral("Op_%1").arg(i));
    }
    QLineEdit* totalBox() const { return window->findChild<QLineEdit*>("TotalAmount"); }
    QString total() const { return totalBox()->text(); }
    VantoVerticalScroll* scroll() const {
        return window->findChild<VantoVerticalScroll*>("ScrollNum");
    }
    void menu(const char* item) const {
        QAction* action = window->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
    QString memory() const { return window->findChild<QLabel*>("M_Buff")->text(); }
    QColor textColor(QLineEdit* box) const { return box->palette().color(QPalette::Text); }
    QColor background(QWidget* box) const { return box->palette().color(QPalette::Base); }
    LumoButton* button(const QString& name) const { return window->findChild<LumoButton*>(name); }
    /// Clicks a key of the window with the mouse.
    void click(const QString& name) const {
        LumoButton* key = button(name);
        ASSERT_NE(key, nullptr) << name.toStdString();
        QTest::mouseClick(key, Qt::LeftButton);
    }

    /// Sends one key event to whatever has the focus, as a keyboard does.
    static void send(QEvent::Type type, QChar c, Qt::KeyboardModifiers modifiers = {}) {
        const Qt::Key key = c == '\n'   ? Qt::Key_Return
                            : c == '\b' ? Qt::Key_Backspace
                                        : static_cast<Qt::Key>(c.toUpper().unicode());
        const QString text = c == '\n' ? QStringLiteral("\r") : QString(c);
        QKeyEvent event(type, key, modifiers, text);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    }
    /// Types keys: each press and each release goes to what has the focus at that moment.
    static void type(const QString& keys, Qt::KeyboardModifiers modifiers = {}) {
        for (const QChar c : keys) {
            send(QEvent::KeyPress, c, modifiers);
            send(QEvent::KeyRelease, c, modifiers);
        }
    }
    /// Presses and releases a key that types nothing, such as an arrow.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(QApplication::focusWidget(), &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(QApplication::focusWidget(), &up);
    }
};

} // namespace padrix
