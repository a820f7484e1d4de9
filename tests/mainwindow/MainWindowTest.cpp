#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "core/CalcFile.h"
#include "core/SettingsFile.h"
#include "mainwindow/Diruvuv_Orozezadi.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace padrix {
namespace {

/// A window in its own folder, shown and activated as a user would find it.
class MainWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    WindowContext context;
    std::unique_ptr<Diruvuv_Orozezadi> window;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("program");
        context.executablePath = dir.filePath("program/padrix-calculator");
        context.userConfigFolder = dir.filePath("user");
        context.screenSize = QSize(1920, 1080);
        context.twipsPerPixel = 15;
        context.locale = NumberLocale::english();
        // An unexpected dialog fails the test instead of blocking it.
        watchdog.setInterval(200);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "unexpected dialog: "
                              << modal->findChild<QLabel*>("qt_msgbox_label")->text().toStdString();
                modal->close();
            }
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

    void TearDown() override {
        watchdog.stop();
        if (window)
            window->close();
    }

    QLineEdit* row(int i) const {
        return window->findChild<QLineEdit*>(QStringLiteral("CalAmount_%1").arg(i));
    }
    LumoButton* op(int i) const {
        return window->findChild<LumoButton*>(QStringLiteral("Op_%1").arg(i));
    }
    QString total() const { return window->findChild<QLineEdit*>("TotalAmount")->text(); }
    VantoVerticalScroll* scroll() const {
        return window->findChild<VantoVerticalScroll*>("ScrollNum");
    }

    /// Types keys the way a keyboard does: each press and each release goes to whatever has
    /// the focus at that moment.
    void type(const QString& keys) {
        for (const QChar c : keys) {
            const Qt::Key key =
                c == '\n' ? Qt::Key_Return : static_cast<Qt::Key>(c.toUpper().unicode());
            const QString text = c == '\n' ? QStringLiteral("\r") : QString(c);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(QApplication::focusWidget(), &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(QApplication::focusWidget(), &release);
        }
    }
    void press(Qt::Key key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &up);
    }

    QTimer watchdog;
};

TEST_F(MainWindow, TypingNumbersAndOperatorsFollowsTheTotal) {
    open();
    EXPECT_EQ(window->windowTitle(), "Padrix Calculator 6");
    EXPECT_EQ(QApplication::focusWidget(), row(0));
    window->DecimalsChoice = 2;
    type("5*");
    EXPECT_EQ(row(0)->text(), "5.00");
    EXPECT_EQ(op(1)->Caption(), "x");
    EXPECT_EQ(op(1)->RenderColor(), 65280);
    EXPECT_EQ(window->tape.TapeOperators[1], 'x');
    EXPECT_EQ(QApplication::focusWidget(), row(1));
    EXPECT_EQ(window->tape.TapeValues[1], Value(Decimal(0)));
    EXPECT_EQ(total(), ".00");
    type("3");
    EXPECT_EQ(total(), "15.00");

    // Operators from the main keys and the keypad alike; minus shows red, a negative total
    // dark red.
    type("-20");
    EXPECT_EQ(op(2)->Caption(), "-");
    EXPECT_EQ(op(2)->RenderColor(), 255);
    EXPECT_EQ(total(), "-5.00");
    EXPECT_EQ(window->findChild<QLineEdit*>("TotalAmount")->palette().color(QPalette::Text),
              QColor(192, 0, 0));

    // A second decimal separator is refused; letters are refused; a group separator passes
    // and is dropped when the row is stored.
    window->DecimalsChoice = 25;
    type("+1.5.2x,000");
    EXPECT_EQ(row(3)->text(), "1.52,000");
    EXPECT_EQ(window->tape.TapeValues[3], Value(Decimal::parse("1.52")));
}

TEST_F(MainWindow, EnterAndOperatorsInTheLastRowGrowTheTape) {
    open();
    const int last = window->LastVisibleLine;
    row(last)->setFocus();
    type("7\n");
    // At the bottom, Enter appends one line that takes the operator of the line just left.
    EXPECT_EQ(scroll()->ValueMax(), 1);
    EXPECT_EQ(scroll()->Value(), 1);
    EXPECT_EQ(window->tape.lineCount(), last + 2);
    EXPECT_EQ(window->tape.TapeOperators.back(), '+');
    EXPECT_EQ(QApplication::focusWidget(), row(last));
    // The line typed before now shows one row higher.
    EXPECT_EQ(row(last - 1)->text(), "7");
    type("-");
    EXPECT_EQ(window->tape.lineCount(), last + 3);
    EXPECT_EQ(window->tape.TapeOperators.back(), '-');
    EXPECT_EQ(op(last)->Caption(), "-");
    type("2");
    EXPECT_EQ(total(), "5");
    const int lines = window->tape.lineCount();

    // With lines below, Enter and Down scroll by one; Up walks back up.
    scroll()->setValue(0);
    row(last)->setFocus();
    press(Qt::Key_Down);
    EXPECT_EQ(scroll()->Value(), 1);
    type("\n");
    EXPECT_EQ(scroll()->Value(), 2);
    EXPECT_EQ(window->tape.lineCount(), lines);
    press(Qt::Key_Down); // at the bottom: nothing, and no new line
    EXPECT_EQ(scroll()->Value(), 2);
    EXPECT_EQ(window->tape.lineCount(), lines);
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), row(last - 1));
    row(0)->setFocus();
    press(Qt::Key_Up);
    EXPECT_EQ(scroll()->Value(), 1);
    press(Qt::Key_Up);
    press(Qt::Key_Up); // at the top: nothing
    EXPECT_EQ(scroll()->Value(), 0);
    EXPECT_EQ(QApplication::focusWidget(), row(0));
}

TEST_F(MainWindow, RowsStoreWhatTheyShow) {
    open();
    // A function line keeps taking its box's text as text.
    window->tape.TapeValues[0] = std::string("Sin(30)");
    window->ScrollNum_Change();
    EXPECT_EQ(row(0)->text(), "Sin(30)");
    row(0)->setFocus();
    row(0)->setCursorPosition(6); // before the closing bracket
    type("5");
    EXPECT_EQ(window->tape.TapeValues[0], Value(std::string("Sin(305)")));
    EXPECT_EQ(row(0)->palette().color(QPalette::Text), QColor(0, 0, 0));

    // A rounded display is what a released key stores.
    window->DecimalsChoice = 2;
    window->tape.TapeValues[1] = Decimal::parse("3.14159");
    window->ScrollNum_Change();
    EXPECT_EQ(row(1)->text(), "3.14");
    row(1)->setFocus();
    press(Qt::Key_Right);
    EXPECT_EQ(window->tape.TapeValues[1], Value(Decimal::parse("3.14")));

    // A zero shows as an empty row after an operator key.
    row(2)->setFocus();
    type("0+");
    EXPECT_EQ(row(2)->text(), "");
    EXPECT_EQ(window->tape.TapeValues[2], Value(Decimal(0)));
}

TEST_F(MainWindow, GermanSeparators) {
    context.locale = NumberLocale::german();
    open();
    EXPECT_EQ(window->DecimalSeparator, ",");
    EXPECT_EQ(window->GroupSeparator, ".");
    type("1,5+2.000,25");
    EXPECT_EQ(total(), "2001,75");
    window->DecimalsChoice = 2;
    type("+");
    EXPECT_EQ(row(1)->text(), "2.000,25");
    // A value below 1 is not taken for zero when its row is formatted.
    row(2)->setFocus();
    type("0,5+");
    EXPECT_EQ(row(2)->text(), ",50");
}

/// The rows that show: all inside the window with the bottom margin (half a row and five
/// pixels), and no room for another.
void expectRowsFitTheWindow(Diruvuv_Orozezadi& w) {
    QWidget* interior = w.centralWidget();
    const int s = interior->height();
    auto* first = w.findChild<QLineEdit*>("CalAmount_0");
    const int h = first->height();
    const int last = w.LastVisibleLine;
    for (int i = 0; i <= last; ++i) {
        auto* box = w.findChild<QLineEdit*>(QStringLiteral("CalAmount_%1").arg(i));
        EXPECT_TRUE(box->isVisible()) << i;
        EXPECT_EQ(box->y(), first->y() + i * h) << i;
        EXPECT_LE(box->y() + h + h / 2 + 5, s) << i;
    }
    EXPECT_GT(first->y() + (last + 1) * h + h + h / 2 + 5, s) << "room for one more row";
    auto* next = w.findChild<QLineEdit*>(QStringLiteral("CalAmount_%1").arg(last + 1));
    EXPECT_FALSE(next->isVisible());
    auto* bar = w.findChild<VantoVerticalScroll*>("ScrollNum");
    EXPECT_EQ(bar->y(), 72);
    EXPECT_EQ(bar->y() + bar->height(), first->y() + (last + 1) * h - 1);
    EXPECT_LE(bar->geometry().bottom(), s);
}

TEST_F(MainWindow, LayoutKeepsEveryVisibleRowInsideTheWindow) {
    open();
    EXPECT_EQ(window->LineCount, 73); // rows for a 1920-pixel screen
    EXPECT_EQ(window->centralWidget()->width(), 671);
    EXPECT_GE(window->LastVisibleLine, 13);
    expectRowsFitTheWindow(*window);
    EXPECT_EQ(scroll()->x(), 230);
    EXPECT_EQ(row(0)->width(), 200);
    EXPECT_EQ(window->findChild<QLineEdit*>("TotalAmount")->width(), 671 - 42);
    EXPECT_EQ(window->findChild<QFrame*>("Dzx")->width(), 671 - 12);

    // Taller: more rows, still inside.
    window->resize(671, 700);
    QApplication::processEvents();
    EXPECT_GE(window->LastVisibleLine, 21);
    expectRowsFitTheWindow(*window);

    // Clamps of the outer size: 7740 to 10335 twips wide, at least 7080 twips high.
    window->resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().size(), QSize(516, 472));
    expectRowsFitTheWindow(*window);
    window->resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().width(), 689);
    EXPECT_EQ(window->findChild<QLineEdit*>("TotalAmount")->width(),
              window->centralWidget()->width() - 42);
}

TEST_F(MainWindow, MaximizeTogglesTheColumnAtTheLeftEdge) {
    open();
    window->move(200, 50);
    QApplication::processEvents();
    window->setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(window->frameGeometry().size(), QSize(689, 1037)); // 96 % of 1080 pixels
    EXPECT_GT(window->LastVisibleLine, 30);
    expectRowsFitTheWindow(*window);
    window->setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().x(), 200);
    EXPECT_EQ(window->frameGeometry().size(), QSize(689, 582));
}

TEST_F(MainWindow, TapeViewShowsLinesFromTheScrollPosition) {
    Tape tape;
    for (int i = 0; i < 20; ++i)
        tape.append("+-x/^"[i % 5], i % 4 == 0 ? Value(Decimal(0)) : Value(Decimal(i)));
    tape.TapeValues[9] = std::string("Sin(30)");
    const QString path = dir.filePath("twenty.Clc");
    ASSERT_TRUE(saveCalcFile(path, tape, NumberLocale::english()));
    context.commandLine = "\"" + path + "\"";
    open();
    EXPECT_EQ(window->tape.lineCount(), 20);
    EXPECT_EQ(scroll()->ValueMax(), 20 - 14);
    scroll()->setValue(6);
    for (int i = 0; i <= 13; ++i) {
        const int line = 6 + i;
        const QString expected =
            line == 9 ? "Sin(30)" : (line % 4 == 0 ? "" : QString::number(line));
        EXPECT_EQ(row(i)->text(), expected) << "row " << i;
        EXPECT_EQ(op(i)->Caption(), QString(QChar("+-x/^"[line % 5]))) << "row " << i;
        EXPECT_EQ(op(i)->RenderColor(), operatorColor("+-x/^"[line % 5])) << "row " << i;
    }
    EXPECT_FALSE(total().isEmpty());

    // A short file is padded so that every visible row shows a line.
    const QString shortPath = dir.filePath("short.Clc");
    Tape three;
    three.append('+', Decimal(1));
    three.append('+', Decimal(2));
    ASSERT_TRUE(saveCalcFile(shortPath, three, NumberLocale::english()));
    window->CalcFilePath = shortPath;
    window->LD_Click(5);
    EXPECT_EQ(window->tape.lineCount(), 14);
    EXPECT_EQ(scroll()->ValueMax(), 0);
    EXPECT_EQ(total(), "3");
}

TEST_F(MainWindow, ADamagedCommandLineFileShowsOneMessageAndAnEmptyTape) {
    const QString path = dir.filePath("damaged.Clc");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Padrix Calculator 6\r\n+12\r\n+twelve\r\n");
    file.close();
    context.commandLine = path;
    QStringList messages;
    QTimer closer;
    closer.setInterval(50);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
        }
    });
    closer.start();
    open();
    closer.stop();
    EXPECT_EQ(messages, QStringList({"Cannot write to read only file or drive..."}));
    EXPECT_EQ(window->tape.TapeValues[0], Value(Decimal(0)));
    EXPECT_EQ(total(), "");
    type("4+4");
    EXPECT_EQ(total(), "8");

    // A name without ".Clc", or of no existing file, loads nothing and says nothing.
    context.commandLine = dir.filePath("missing.Clc");
    open();
    EXPECT_EQ(total(), "");
}

TEST_F(MainWindow, SettingsAreReadAtStartAndWrittenWholeAtClose) {
    const QString beside = dir.filePath("program/padrix-calculator.cfg");
    Settings long_;
    long_.buttons[18] = {"Vat", "X*1.19", std::string(3000, 't')};
    long_.HiScoreNames[3] = "Ann";
    long_.HiScores[3] = 990;
    ASSERT_TRUE(saveSettingsFile(beside, long_));
    open();
    EXPECT_EQ(window->functions[18].caption, "Vat");
    window->tape.TapeValues[1] = std::string("Vat(100)");
    window->MailCalc();
    EXPECT_EQ(total(), "119");

    // Shorter texts written over longer ones read back exactly; a read-only file is replaced.
    window->functions[18] = {"V", "X", "short"};
    QFile::setPermissions(beside, QFile::ReadOwner);
    window->close();
    window.reset();
    const auto read = loadSettingsFile(beside);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->buttons[18], (FunctionDefinition{"V", "X", "short"}));
    EXPECT_EQ(read->HiScoreNames[3], std::optional<std::string>("Ann"));
    EXPECT_EQ(read->HiScores[3], 990);
    EXPECT_EQ(QFileInfo(beside).size(), static_cast<qint64>(formatSettings(*read).size()));
}

TEST_F(MainWindow, SettingsGoToTheUserFolderWhenTheProgramFolderIsNotWritable) {
    // The program "lives" in a folder that does not exist, so it cannot be written.
    context.executablePath = dir.filePath("no-such-folder/padrix-calculator");
    open();
    window->functions[0].caption = "e^x";
    window->close();
    window.reset();
    const auto read = loadSettingsFile(dir.filePath("user/padrix-calculator.cfg"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->buttons[0].caption, "e^x");
    // And it is found there at the next start.
    open();
    EXPECT_EQ(window->functions[0].caption, "e^x");
}

TEST_F(MainWindow, ClearAllAndTheTotalBox) {
    open();
    type("9+9");
    EXPECT_EQ(total(), "18");
    window->Clear_Total_Click();
    EXPECT_EQ(total(), "");
    for (int i = 0; i <= window->LineCount; ++i) {
        EXPECT_EQ(window->tape.TapeOperators[i], '+');
        EXPECT_EQ(window->tape.TapeValues[i], Value(Decimal(0)));
    }
    EXPECT_EQ(op(1)->Caption(), "+");
    EXPECT_EQ(row(0)->text(), "");
    EXPECT_EQ(scroll()->Value(), 0);
    EXPECT_EQ(scroll()->ValueMax(), 0);

    // The total takes no typing.
    type("12");
    auto* totalBox = window->findChild<QLineEdit*>("TotalAmount");
    totalBox->setFocus();
    EXPECT_TRUE(window->TotalFocused);
    type("77");
    EXPECT_EQ(total(), "12");
    // A key on the scroll bar sends the typing back to the first row.
    scroll()->setFocus();
    press(Qt::Key_5);
    EXPECT_EQ(QApplication::focusWidget(), row(0));
}

} // namespace
} // namespace padrix
