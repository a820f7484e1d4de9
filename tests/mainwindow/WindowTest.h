#pragma once

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "core/SettingsFile.h"
#include "game/InvadersGame.h"
#include "mainwindow/Diruvuv_Orozezadi.h"
#include "mainwindow/TapeView.h"
#include "numbers/CalcFailure.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
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
        context.arguments = {"\"" + path + "\""};
        open();
    }

    void TearDown() override {
        watchdog.stop();
        if (window) {
            expectViewShowsSession();
            window->close();
        }
    }

    /// Every visible row shows its line as the session holds it: a function line as its
    /// text, a number as a text that reads as it (typed, or in the display format), a zero or
    /// an empty line as nothing; the row's operator and colour follow its line; the total box
    /// shows the session's total while no game holds it. Every window test ends with it.
    void expectViewShowsSession() const {
        const TapeSession& s = window->session();
        const TapeView& v = window->tapeView();
        for (int i = 0; i <= v.LastVisibleLine(); ++i) {
            const int line = v.lineOf(i);
            const Value& value = s.value(line);
            const QString text = row(i)->text();
            const std::string where = "row " + std::to_string(i) + " (line " +
                                      std::to_string(line) + ") shows " + text.toStdString();
            if (value.isExpressionText()) {
                EXPECT_EQ(text.toStdString(), std::string(value.textValue())) << where;
            } else if (text.isEmpty()) {
                EXPECT_TRUE(value.isBlank()) << where;
            } else {
                QString plain = text;
                plain.remove(QString::fromStdString(s.locale().groupSeparator));
                Value shown = plain.toStdString();
                try {
                    shown = textToDecimal(plain.toStdString(), s.locale());
                } catch (const CalcError&) {
                    // beyond the decimal range: the row shows the text the line holds
                }
                const bool same =
                    shown == value || (value.isDouble() && shown.isDecimal() &&
                                       std::abs(shown.decimal().toDouble() - value.number()) <
                                           1e-12 * std::abs(value.number()));
                // A text that is no number (typed, not taken) leaves the line as it was.
                const bool number =
                    shown.isDecimal() || !text.contains(QRegularExpression("[^-0-9.,E+ ]"));
                EXPECT_TRUE(same || !number)
                    << where << ", the line holds " << value.text(s.locale());
            }
            const char op = s.op(line);
            EXPECT_EQ(this->op(i)->Caption(), op == NoOperator ? QString() : QString(QChar(op)))
                << where;
            EXPECT_EQ(textColor(row(i)), s.lineIsNegative(line) ? DarkRed : Black) << where;
        }
        // After a game its end stands on the display until the next total.
        const QString shown = total();
        EXPECT_TRUE(window->game().running() || shown.startsWith("Invaded") ||
                    shown == QString::fromStdString(s.total().text))
            << "the total box shows " << shown.toStdString();
    }

    /// What the window holds and shows, as the tests read it: the session's tape and memory,
    /// the tape view's rows and focus, the game and the settings.
    struct Shown {
        const Tape& tape;
        int LastVisibleLine;
        int LineCount;
        int CaretPos;
        bool TotalFocused;
        Value MemoryValue;
        const InvadersGame& game;
        Settings settings;
        bool Activated;
    };
    Shown state() const {
        const TapeSession& s = window->session();
        const TapeView& v = window->tapeView();
        return {s.tape(),       v.LastVisibleLine(), v.LineCount(),
                v.CaretPos,     v.TotalFocused,      s.memory(),
                window->game(), window->settings(),  window->activated()};
    }
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
