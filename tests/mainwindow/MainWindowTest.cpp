#include "mainwindow/WindowTest.h"

#include "core/SettingsFile.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QMessageBox>

#include <random>

namespace padrix {
namespace {

using MainWindow = WindowTest;

TEST_F(MainWindow, TypingNumbersAndOperatorsFollowsTheTotal) {
    open();
    EXPECT_EQ(QApplication::focusWidget(), row(0));
    menu("dp1_2");
    type("5*");
    EXPECT_EQ(row(0)->text(), "5.00");
    EXPECT_EQ(op(1)->Caption(), "x");
    EXPECT_EQ(state().tape.op(1), 'x');
    EXPECT_EQ(QApplication::focusWidget(), row(1));
    EXPECT_EQ(state().tape.value(1), Value(Decimal(0)));
    EXPECT_EQ(total(), ".00");
    type("3");
    EXPECT_EQ(total(), "15.00");

    // A negative total shows dark red.
    type("-20");
    EXPECT_EQ(op(2)->Caption(), "-");
    EXPECT_EQ(total(), "-5.00");
    EXPECT_EQ(textColor(totalBox()), DarkRed);

    // The operators of the numeric pad act like the main keys.
    type("/", Qt::KeypadModifier);
    EXPECT_EQ(op(3)->Caption(), "/");
    type("4", Qt::KeypadModifier);
    EXPECT_EQ(total(), "-1.25");
    type("*", Qt::KeypadModifier);
    EXPECT_EQ(op(4)->Caption(), "x");
    EXPECT_EQ(state().tape.op(4), 'x');
}

TEST_F(MainWindow, TheKeyFilterKeepsWhatARowTakes) {
    struct Case {
        const char* keys;
        const char* shows;
        const char* stores; // the line's value after the last release
    };
    const Case cases[] = {
        {"1.5.2", "1.52", "1.52"},       // a second decimal point is refused
        {"12ab3", "123", "123"},         // letters are refused
        {"1,000,5", "1,000,5", "10005"}, // group separators pass and are dropped when stored
        {"12\b", "1", "1"},              // Backspace deletes
        {"7HI", "7HI", "7"},             // H and I pass; a row that is no number keeps its value
        {".", ".", "0"},                 // so does a lone separator
        {"9\b\b", "", "0"},              // an empty row stores zero
    };
    open();
    for (const Case& c : cases) {
        menu("Clear_Total");
        type(c.keys);
        EXPECT_EQ(row(0)->text(), c.shows) << c.keys;
        EXPECT_EQ(state().tape.value(0), Value(Decimal::parse(c.stores))) << c.keys;
    }
}

TEST_F(MainWindow, TheTailAfterAKeyColoursTheRow) {
    openWithTape("+-12\r\n+(5)\r\n+3\r\n");
    EXPECT_EQ(row(0)->text(), "-12");
    EXPECT_EQ(textColor(row(0)), DarkRed);

    // Backspace, H and I end without the tail: the row keeps its colour until the release.
    row(0)->setFocus();
    for (const QChar c : {QChar('\b'), QChar('H'), QChar('I')}) {
        send(QEvent::KeyPress, c);
        EXPECT_EQ(textColor(row(0)), DarkRed) << c.toLatin1();
    }
    // A digit runs the tail, which colours by the text as typed; its release stores the row,
    // whose text is no number now, and the colour follows the line again.
    send(QEvent::KeyPress, '1');
    EXPECT_EQ(textColor(row(0)), Black);
    send(QEvent::KeyRelease, '1');
    EXPECT_EQ(textColor(row(0)), DarkRed);

    // A row that begins with "(" is red between press and release, and stores its text.
    row(1)->setFocus();
    row(1)->end(false);
    send(QEvent::KeyPress, '2');
    EXPECT_EQ(textColor(row(1)), Red);
    send(QEvent::KeyRelease, '2');
    EXPECT_EQ(textColor(row(1)), Black);
    EXPECT_EQ(state().tape.value(1), Value("(5)2"));
}

TEST_F(MainWindow, EnterAndOperatorsInTheLastRowGrowTheTape) {
    open();
    const int last = state().LastVisibleLine;
    row(last)->setFocus();
    type("7\n");
    // At the bottom, Enter appends one line that takes the operator of the line just left.
    EXPECT_EQ(scroll()->ValueMax(), 1);
    EXPECT_EQ(scroll()->Value(), 1);
    EXPECT_EQ(state().tape.lineCount(), last + 2);
    EXPECT_EQ(state().tape.TapeOperators().back(), '+');
    EXPECT_EQ(QApplication::focusWidget(), row(last));
    EXPECT_EQ(row(last - 1)->text(), "7"); // the line typed before, one row higher
    type("-");
    EXPECT_EQ(state().tape.lineCount(), last + 3);
    EXPECT_EQ(state().tape.TapeOperators().back(), '-');
    EXPECT_EQ(op(last)->Caption(), "-");
    type("2");
    EXPECT_EQ(total(), "5");
    const int lines = state().tape.lineCount();

    // With lines below, Enter and Down scroll by one; Up walks back up.
    scroll()->setValue(0);
    row(last)->setFocus();
    press(Qt::Key_Down);
    EXPECT_EQ(scroll()->Value(), 1);
    type("\n");
    EXPECT_EQ(scroll()->Value(), 2);
    EXPECT_EQ(state().tape.lineCount(), lines);
    // The line it brings into view keeps its operator ("-2" stays "-2").
    EXPECT_EQ(state().tape.TapeOperators()[static_cast<std::size_t>(last) + 2], '-');
    EXPECT_EQ(total(), "5");
    press(Qt::Key_Down); // at the bottom: nothing, and no new line
    EXPECT_EQ(scroll()->Value(), 2);
    EXPECT_EQ(state().tape.lineCount(), lines);
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), row(last - 1));
    row(0)->setFocus();
    press(Qt::Key_Up);
    EXPECT_EQ(scroll()->Value(), 1);
    press(Qt::Key_Up);
    press(Qt::Key_Up); // at the top: nothing
    EXPECT_EQ(scroll()->Value(), 0);
    EXPECT_EQ(QApplication::focusWidget(), row(0));

    // The keypad's operators grow the tape in the last row alike.
    scroll()->setValue(2);
    row(last)->setFocus();
    click("CalC_Button_13");
    EXPECT_EQ(state().tape.lineCount(), lines + 1);
    EXPECT_EQ(scroll()->Value(), 3);
    EXPECT_EQ(op(last)->Caption(), "-");
    EXPECT_EQ(QApplication::focusWidget(), row(last));
    click("CalC_Button_1");
    EXPECT_EQ(state().tape.value(lines), Value(Decimal(1)));
    EXPECT_EQ(state().tape.op(lines), '-');
    EXPECT_EQ(state().tape.TapeValues().size(), state().tape.TapeOperators().size());
}

TEST_F(MainWindow, RowsStoreWhatTheyShow) {
    openWithTape("+Sin(30)\r\n+3.14159\r\n");
    // A function line keeps taking its box's text as text.
    EXPECT_EQ(row(0)->text(), "Sin(30)");
    row(0)->setFocus();
    row(0)->setCursorPosition(6); // before the closing bracket
    type("5");
    EXPECT_EQ(state().tape.value(0), Value("Sin(305)"));
    EXPECT_EQ(textColor(row(0)), Black);

    // A rounded display is what a released key stores.
    menu("dp1_2");
    EXPECT_EQ(row(1)->text(), "3.14");
    row(1)->setFocus();
    press(Qt::Key_Right);
    EXPECT_EQ(state().tape.value(1), Value(Decimal::parse("3.14")));

    // A zero shows as an empty row after an operator key.
    row(2)->setFocus();
    type("0+");
    EXPECT_EQ(row(2)->text(), "");
    EXPECT_EQ(state().tape.value(2), Value(Decimal(0)));
}

TEST_F(MainWindow, GermanSeparatorsAndThePadsDecimalKey) {
    context.locale = NumberLocale::german();
    open();
    type("1,5+2.000,25");
    EXPECT_EQ(total(), "2001,75");
    menu("dp1_2");
    type("+");
    EXPECT_EQ(row(1)->text(), "2.000,25");
    // A value below 1 is not taken for zero when its row is formatted.
    type("0,5+");
    EXPECT_EQ(row(2)->text(), ",50");
    // The keypad's decimal key types the locale's separator.
    EXPECT_EQ(button("CalC_Button_10")->Caption(), ",");
    for (const char* key : {"CalC_Button_1", "CalC_Button_10", "CalC_Button_5"})
        click(key);
    EXPECT_EQ(row(3)->text(), "1,5");
    EXPECT_EQ(state().tape.value(3), Value(Decimal::parse("1.5")));
    EXPECT_EQ(total(), "2.003,75");

    // The numeric pad's decimal key is the point, whatever character the keyboard gives it:
    // a German keyboard's "." from the pad does not group.
    type("+1234");
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
        QApplication::sendEvent(QApplication::focusWidget(), &key);
    }
    type("5");
    EXPECT_EQ(row(4)->text(), "1234,5");
    EXPECT_EQ(total(), "3.238,25");
}

TEST_F(MainWindow, DecimalsAndTotalChoicesCarryOneCheckMark) {
    open();
    const auto checked = [this](const QString& prefix) {
        QStringList names;
        for (QAction* action : window->findChildren<QAction*>())
            if (action->objectName().startsWith(prefix) && action->isChecked())
                names << action->objectName();
        return names;
    };
    EXPECT_EQ(checked("dp1_"), QStringList{"dp1_25"});
    EXPECT_EQ(checked("CalcFuntions_"), QStringList{"CalcFuntions_0"});
    type("2+0.5+4.25");
    EXPECT_EQ(total(), "6.75");

    // A Decimals item redraws the rows and the total in its format at once.
    const struct {
        const char* item;
        const char* row; // the row holding 0.5
        const char* total;
    } decimals[] = {
        {"dp1_0", "1", "7"},
        {"dp1_2", ".50", "6.75"},
        {"dp1_6", ".500000", "6.750000"},
        {"dp1_6", ".500000", "6.750000"}, // the checked item again keeps its check mark
        {"dp1_25", "0.5", "6.75"},
    };
    for (const auto& c : decimals) {
        menu(c.item);
        EXPECT_EQ(checked("dp1_"), QStringList{c.item});
        EXPECT_EQ(row(1)->text(), c.row) << c.item;
        EXPECT_EQ(total(), c.total) << c.item;
    }

    // A Total item recalculates at once.
    const struct {
        const char* item;
        const char* total;
    } totals[] = {
        {"CalcFuntions_1", "Average : 2.25"},
        {"CalcFuntions_2", "Mean : 2"},
        {"CalcFuntions_3", "Mode : 0.5"},
        {"CalcFuntions_0", "6.75"},
    };
    for (const auto& c : totals) {
        menu(c.item);
        EXPECT_EQ(checked("CalcFuntions_"), QStringList{c.item});
        EXPECT_EQ(total(), c.total) << c.item;
    }
}

/// The rows that show: all inside the window with the bottom margin (half a row and five
/// pixels), and no room for another.
void expectRowsFitTheWindow(Diruvuv_Orozezadi& w) {
    const int s = w.centralWidget()->height();
    auto* first = w.findChild<QLineEdit*>("CalAmount_0");
    const int h = first->height();
    const int last = w.tapeView().LastVisibleLine();
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
    EXPECT_EQ(state().LineCount, 73); // rows for a 1920-pixel screen
    EXPECT_EQ(window->centralWidget()->size(), QSize(671, 466));
    EXPECT_EQ(state().LastVisibleLine, 13);
    expectRowsFitTheWindow(*window);
    EXPECT_EQ(scroll()->x(), 230);
    EXPECT_EQ(row(0)->width(), 200);
    EXPECT_EQ(totalBox()->width(), 671 - 42);
    EXPECT_EQ(window->findChild<QFrame*>("Dzx")->width(), 671 - 12);

    struct Case {
        QSize asked;
        QSize outer; // after the clamps; empty: as asked
    };
    const Case cases[] = {
        {{671, 700}, {}},         // taller: more rows, still inside
        {{300, 300}, {516, 472}}, // 7740 twips wide and 7080 twips high at the least
        {{900, 500}, {689, 0}},   // 10335 twips wide at the most
    };
    for (const Case& c : cases) {
        window->resize(c.asked);
        QApplication::processEvents();
        if (c.outer.width() > 0) {
            EXPECT_EQ(window->frameGeometry().width(), c.outer.width()) << c.asked.width();
        }
        if (c.outer.height() > 0) {
            EXPECT_EQ(window->frameGeometry().height(), c.outer.height()) << c.asked.height();
        }
        EXPECT_EQ(totalBox()->width(), window->centralWidget()->width() - 42);
        expectRowsFitTheWindow(*window);
    }
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
    EXPECT_GT(state().LastVisibleLine, 30);
    expectRowsFitTheWindow(*window);
    window->setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().x(), 200);
    EXPECT_EQ(window->frameGeometry().size(), QSize(689, 582));
}

TEST_F(MainWindow, TapeViewShowsLinesFromTheScrollPosition) {
    QString lines;
    for (int i = 0; i < 20; ++i)
        lines += QChar("+-x/^"[i % 5]) +
                 (i == 9 ? QStringLiteral("Sin(30)") : QString::number(i % 4 == 0 ? 0 : i)) +
                 "\r\n";
    openWithTape(lines);
    EXPECT_EQ(state().tape.lineCount(), 20);
    EXPECT_EQ(scroll()->ValueMax(), 20 - 14);
    scroll()->setValue(6);
    const int colors[] = {12632256, 255, 65280, 16711680, 0}; // + - x / ^
    for (int i = 0; i <= 13; ++i) {
        const int line = 6 + i;
        const QString expected =
            line == 9 ? "Sin(30)" : (line % 4 == 0 ? "" : QString::number(line));
        EXPECT_EQ(row(i)->text(), expected) << "row " << i;
        EXPECT_EQ(op(i)->Caption(), QString(QChar("+-x/^"[line % 5]))) << "row " << i;
        EXPECT_EQ(op(i)->RenderColor(), colors[line % 5]) << "row " << i;
    }
    EXPECT_FALSE(total().isEmpty());

    // A second activation leaves the tape and the view alone.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(state().tape.lineCount(), 20);
    EXPECT_EQ(row(1)->text(), "7");
}

// A short tape keeps its length: the rows below it show empty "+" lines, which become part of
// the tape only when something is written there.
TEST_F(MainWindow, AShortFileKeepsItsLengthBelowTheVisibleRows) {
    openWithTape("+1\r\n+2\r\n");
    EXPECT_EQ(state().tape.lineCount(), 2);
    EXPECT_EQ(scroll()->ValueMax(), 0);
    EXPECT_EQ(total(), "3");
    EXPECT_EQ(row(13)->text(), "");
    EXPECT_EQ(op(13)->Caption(), "+");

    // Moving through the rows, or a key that is not taken, adds nothing.
    row(1)->setFocus();
    type("\n\nq");
    EXPECT_EQ(state().tape.lineCount(), 2);
    // A number typed in row 4 makes the tape reach there.
    type("5");
    EXPECT_EQ(state().tape.lineCount(), 4);
    EXPECT_EQ(state().tape.op(2), '+');
    EXPECT_EQ(total(), "8");
    // So does an operator label clicked below the end.
    QTest::mouseClick(op(6), Qt::LeftButton);
    EXPECT_EQ(state().tape.lineCount(), 7);
    EXPECT_EQ(state().tape.op(6), '-');
}

TEST_F(MainWindow, SettingsAreReadAtStartAndWrittenWholeAtClose) {
    const QString beside = dir.filePath("program/padrix-calculator.cfg");
    Settings saved;
    saved.buttons[18] = {"Vat", "X*1.19", std::string(3000, 't')};
    saved.HiScoreNames[3] = "Ann";
    saved.HiScores[3] = 990;
    ASSERT_TRUE(saveSettingsFile(beside, saved));
    openWithTape("+Vat(100)\r\n");
    EXPECT_EQ(state().settings.buttons[18].caption, "Vat");
    EXPECT_EQ(total(), "119");

    // A read-only file is replaced with what the window holds, the same bytes here.
    QFile::setPermissions(beside, QFile::ReadOwner);
    window->close();
    window.reset();
    EXPECT_TRUE(QFileInfo(beside).isWritable());
    const auto read = loadSettingsFile(beside);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, saved);
    EXPECT_EQ(QFileInfo(beside).size(), static_cast<qint64>(formatSettings(saved).size()));
}

TEST_F(MainWindow, SettingsGoToTheUserFolderUnlessACopyIsBesideTheProgram) {
    // Without a copy beside it the program's folder is left alone, writable or not (a build
    // folder, or /usr/bin run by the administrator).
    const QString beside = dir.filePath("program/padrix-calculator.cfg");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("program")));
    open();
    window->close();
    window.reset();
    EXPECT_FALSE(QFileInfo::exists(beside));
    const QString user = dir.filePath("user/padrix-calculator.cfg");
    const auto written = loadSettingsFile(user);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, Settings{});

    // And it is read from there at the next start.
    Settings changed;
    changed.buttons[0].caption = "e^x";
    ASSERT_TRUE(saveSettingsFile(user, changed));
    open();
    EXPECT_EQ(state().settings.buttons[0].caption, "e^x");
}

TEST_F(MainWindow, ClearAllAndTheTotalBox) {
    open();
    type("9+9");
    EXPECT_EQ(total(), "18");
    menu("Clear_Total");
    EXPECT_EQ(total(), "");
    for (int i = 0; i <= state().LineCount; ++i) {
        EXPECT_EQ(state().tape.op(i), '+') << i;
        EXPECT_EQ(state().tape.value(i), Value(Decimal(0))) << i;
    }
    EXPECT_EQ(op(1)->Caption(), "+");
    EXPECT_EQ(op(1)->RenderColor(), 12632256);
    EXPECT_EQ(row(0)->text(), "");
    EXPECT_EQ(row(1)->text(), "");
    EXPECT_EQ(scroll()->Value(), 0);
    EXPECT_EQ(scroll()->ValueMax(), 0);
    EXPECT_EQ(QApplication::focusWidget(), row(0));

    // The total takes no typing.
    type("12");
    totalBox()->setFocus();
    EXPECT_TRUE(state().TotalFocused);
    type("77");
    EXPECT_EQ(total(), "12");
    // A key on the scroll bar sends the typing back to the first row.
    scroll()->setFocus();
    press(Qt::Key_5);
    EXPECT_EQ(QApplication::focusWidget(), row(0));
    EXPECT_FALSE(state().TotalFocused);
}

// Every row box stands in front of its operator label, the first one too.
TEST_F(MainWindow, EveryRowStandsInFrontOfItsLabel) {
    open();
    const QObjectList children = window->centralWidget()->children();
    for (int i = 0; i <= 3; ++i)
        EXPECT_GT(children.indexOf(row(i)), children.indexOf(op(i))) << "row " << i;
}

// Random actions of the user through the window, and the same actions on a session of its
// own: after each, both hold the same tape and the same total, and the rows show the tape.
TEST_F(MainWindow, TheWindowDoesWhatItsSessionDoes) {
    open();
    TapeSession alone(context.locale, context.undoBudget);
    alone.clearAll(state().LineCount + 1);
    alone.startRecording();
    const auto act = [&alone](auto action, bool typing = false) {
        alone.beginAction(0);
        action();
        alone.endAction(0, typing);
    };
    std::mt19937 random(24);
    const auto pick = [&random](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    const int rows = state().LastVisibleLine; // the last row would scroll the tape
    for (int round = 0; round < 120; ++round) {
        const int r = pick(rows);
        std::string action;
        switch (pick(9)) {
        case 0: {
            totalBox()->setFocus(); // the next row's typing is an edit of its own
            row(r)->setFocus();
            row(r)->clear();
            const QString digits = QString::number(1 + pick(999));
            type(digits);
            alone.newEditSession();
            for (int n = 1; n <= digits.size(); ++n)
                act([&] { alone.storeRowText(r, digits.left(n)); }, true);
            action = "type " + digits.toStdString();
            break;
        }
        case 1:
            QTest::mouseClick(op(r), Qt::LeftButton);
            act([&] { alone.cycleOperator(r); });
            action = "operator label";
            break;
        case 2: {
            row(r)->setFocus();
            QString digits;
            for (const QChar c : row(r)->text())
                if (c.isDigit() || c == '.')
                    digits += c;
            click("Stific_3");
            act([&] { alone.setText(r, "Sin(" + digits + ")"); });
            action = "Sin";
            break;
        }
        case 3:
            menu("SortNm");
            act([&] { alone.sort(); });
            action = "sort";
            break;
        case 4:
            menu("Clear_Total");
            act([&] { alone.clearAll(state().LineCount + 1); });
            action = "clear all";
            break;
        case 5: {
            const std::string column =
                std::to_string(pick(50) - 25) + "\r\n" + std::to_string(pick(9)) + ".5";
            QGuiApplication::clipboard()->setText(QString::fromStdString(column));
            menu("P_m");
            act([&] { alone.paste(column); });
            action = "paste";
            break;
        }
        case 6:
            menu(pick(2) == 0 ? "dp1_2" : "dp1_25");
            alone.setDecimalsChoice(window->session().decimalsChoice());
            action = "decimals";
            break;
        case 7:
            menu("UndoStep");
            alone.undo(0);
            action = "undo";
            break;
        default:
            menu("RedoStep");
            alone.redo(0);
            action = "redo";
            break;
        }
        const std::string where = "round " + std::to_string(round) + ": " + action;
        ASSERT_EQ(window->session().tape(), alone.tape()) << where;
        EXPECT_EQ(total().toStdString(), alone.total().text) << where;
        expectViewShowsSession();
    }
}

} // namespace
} // namespace padrix
