#include "mainwindow/WindowTest.h"

namespace padrix {
namespace {

using Keypad = WindowTest;

/// A key of the keyboard that places the caret.
struct Move {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

TEST_F(Keypad, KeysEditTheCurrentRow) {
    struct Case {
        int row;           // rows 0 and 1 come from the file, the others are typed
        const char* typed; // into the row first
        std::vector<Move> moves;
        std::vector<int> keys; // CalC_Button indices, clicked in turn
        const char* shows;
        Value holds;
        int caret;
    };
    const Move left{Qt::Key_Left}, home{Qt::Key_Home}, end{Qt::Key_End};
    const Move selectRight{Qt::Key_Right, Qt::ShiftModifier};
    const Case cases[] = {
        // Digits go in at the caret, over a selection, and the caret follows them.
        {2, "12", {left}, {5}, "152", Decimal(152), 2},
        {2,
         "12345",
         {home, {Qt::Key_Right}, selectRight, selectRight, selectRight},
         {9},
         "195",
         Decimal(195),
         2},
        {2, "1", {}, {10, 10, 5}, "1.5", Decimal::parse("1.5"), 3}, // one decimal point only
        // +/- on a number, twice, and on a function line.
        {2, "5", {}, {19}, "-5", Decimal(-5), 2},
        {2, "5", {}, {19, 19}, "5", Decimal(5), 1},
        {0, "", {}, {19}, "Sin(-30)", Value("Sin(-30)"), 7},
        // % makes a percentage text, and again the number.
        {2, "50", {}, {20}, "50%", Value("50%"), 3},
        {2, "50", {}, {20, 20}, "50", Decimal(50), 2},
        // Del removes the character before the caret, the first one at the start, and the
        // function, name and sign of a function line.
        {2, "123.4", {end}, {17}, "123.", Decimal(123), 4},
        {2, "123", {home}, {17}, "23", Decimal(23), 0},
        {1, "", {end}, {17}, "30.5", Decimal::parse("30.5"), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.shows));
        openWithTape("+Sin(30)\r\n+Sin(-30.5)\r\n");
        row(c.row)->setFocus();
        type(c.typed);
        for (const Move& move : c.moves)
            press(move.key, move.modifiers);
        for (const int key : c.keys)
            click(QStringLiteral("CalC_Button_%1").arg(key));
        EXPECT_EQ(row(c.row)->text(), c.shows);
        EXPECT_EQ(state().tape.value(c.row), c.holds);
        EXPECT_EQ(QApplication::focusWidget(), row(c.row));
        EXPECT_EQ(row(c.row)->cursorPosition(), c.caret);
        window->close();
    }
}

TEST_F(Keypad, SignColoursAndTheTotalFollowTheKeys) {
    open();
    type("8+5");
    click("CalC_Button_19");
    EXPECT_EQ(textColor(row(1)), DarkRed);
    EXPECT_EQ(total(), "3");
    click("CalC_Button_19");
    EXPECT_EQ(textColor(row(1)), Black);
    EXPECT_EQ(total(), "13");
    click("CalC_Button_20");
    EXPECT_EQ(total(), "8.4"); // 8 + 5 % of 8

    // C empties the row and its line at once: the total no longer counts it.
    click("CalC_Button_16");
    EXPECT_EQ(row(1)->text(), "");
    EXPECT_EQ(state().tape.value(1), Value(Decimal(0)));
    EXPECT_EQ(total(), "8");
    EXPECT_EQ(QApplication::focusWidget(), row(1));

    // CA is Clear All (whose effects MainWindow.ClearAllAndTheTotalBox checks).
    click("CalC_Button_11");
    EXPECT_EQ(total(), "");
    EXPECT_EQ(row(0)->text(), "");
}

// In the last visible row they grow the tape, as Enter does (MainWindow's test of the last row).
TEST_F(Keypad, OperatorKeysMoveOnToTheNextRow) {
    open();
    menu("dp1_2");
    click("CalC_Button_7");
    EXPECT_EQ(total(), "7.00");
    // In a middle row: the row is formatted, the next label shows the operator in its colour,
    // the focus moves on, and the total waits for the next entry.
    click("CalC_Button_14");
    EXPECT_EQ(row(0)->text(), "7.00");
    EXPECT_EQ(op(1)->Caption(), "x");
    EXPECT_EQ(state().tape.op(1), 'x');
    EXPECT_EQ(QApplication::focusWidget(), row(1));
    EXPECT_EQ(total(), "7.00");
    click("CalC_Button_3");
    EXPECT_EQ(total(), "21.00");
    click("CalC_Button_18");
    EXPECT_EQ(op(2)->Caption(), "^");
    click("CalC_Button_2");
    EXPECT_EQ(total(), "441.00");
}

TEST_F(Keypad, TheMouseAloneComputes) {
    open();
    for (const char* key :
         {"CalC_Button_1", "CalC_Button_2", "CalC_Button_10", "CalC_Button_5", "CalC_Button_12",
          "CalC_Button_2", "Stific_15", "CalC_Button_14", "CalC_Button_3"})
        click(key);
    EXPECT_EQ(total(), "138.0309649148733"); // (12.5 + 4/3 pi 2^3) x 3

    // A quick second click on a key is a second press, not a lost one.
    click("CalC_Button_13");
    click("CalC_Button_5");
    LumoButton* zero = button("CalC_Button_0");
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       zero->mapTo(window.get(), zero->rect().center()));
    EXPECT_EQ(row(3)->text(), "500");
}

TEST_F(Keypad, PiStoresTheDoubleAndLeavesTheCaret) {
    open();
    type("12");
    press(Qt::Key_Left);
    row(0)->setFocus();
    click("PieValue");
    EXPECT_EQ(row(0)->text(), "3.14159265358979");
    EXPECT_EQ(state().tape.value(0), Value(4 * std::atan(1.0)));
    EXPECT_EQ(total(), "3.14159265358979");
    EXPECT_EQ(state().CaretPos, 1);
    // A key released in the row stores what it shows, as a decimal.
    row(0)->setFocus();
    press(Qt::Key_End);
    EXPECT_EQ(state().tape.value(0), Value(Decimal::parse("3.14159265358979")));
}

// A row's colour follows its line's sign, whatever the keys did to it before: with the mouse
// alone, CA, 2, +/-, C, 4, + leave a 4 in black.
TEST_F(Keypad, ARowsColourFollowsItsValue) {
    open();
    for (const int key : {11, 2, 19})
        click(QStringLiteral("CalC_Button_%1").arg(key));
    EXPECT_EQ(textColor(row(0)), DarkRed);
    for (const int key : {16, 4, 12})
        click(QStringLiteral("CalC_Button_%1").arg(key));
    EXPECT_EQ(row(0)->text(), "4");
    EXPECT_EQ(textColor(row(0)), Black);
}

} // namespace
} // namespace padrix
