#include "mainwindow/WindowTest.h"

#include "dialogs/EFbutton.h"

#include <QComboBox>

namespace padrix {
namespace {

using FunctionButtons = WindowTest;
using Memory = WindowTest;

TEST_F(FunctionButtons, WrapTheCurrentNumber) {
    struct Case {
        const char* typed;
        std::vector<const char*> buttons; // clicked in turn
        const char* shows;
        const char* total;
    };
    const Case cases[] = {
        {"30", {"Stific_3"}, "Sin(30)", "-0.988031624092862"},
        {"30", {"Stific_3", "Stific_4"}, "Cos(30)", "0.154251449887584"},
        {"30", {"CalC_Button_19", "Stific_3"}, "Sin(-30)", "0.988031624092862"},
        {"30", {"CalC_Button_19", "Stific_3", "Stific_3"}, "Sin(30)", "-0.988031624092862"},
        {"5", {"Stific_18"}, "(5)", "Error"}, // an empty caption: the number in brackets
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.shows));
        open();
        type(c.typed);
        for (const char* name : c.buttons)
            click(name);
        EXPECT_EQ(row(0)->text(), c.shows);
        EXPECT_EQ(state().tape.value(0), Value(c.shows));
        EXPECT_EQ(total(), c.total);
        EXPECT_EQ(QApplication::focusWidget(), row(0));
        EXPECT_EQ(row(0)->cursorPosition(), static_cast<int>(std::strlen(c.shows)) - 1);
        window->close();
    }
}

TEST_F(FunctionButtons, TheEditorChangesButtonsForGood) {
    Settings saved;
    saved.buttons[19] = {"Tri", "x*3", "Three times"}; // a formula typed before in lower case
    ASSERT_TRUE(saveSettingsFile(dir.filePath("program/padrix-calculator.cfg"), saved));
    openWithTape("+Vat(100)\r\n+Tri(2)\r\n");
    EXPECT_EQ(total(), "Error"); // no button is called Vat yet
    const auto editor = [this] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto open = window->findChildren<EFbutton*>();
        return open.size() == 1 ? open.front() : nullptr;
    };

    // Cancel and the close box drop what was typed; the Edit key leaves the row alone.
    for (const bool closeBox : {false, true}) {
        click("Stific_23");
        ASSERT_NE(editor(), nullptr);
        EXPECT_EQ(row(0)->text(), "Vat(100)");
        QTest::keyClicks(editor()->F_But_name->lineEdit(), "Zzz");
        closeBox ? void(editor()->close()) : QTest::mouseClick(editor()->OK[1], Qt::LeftButton);
        EXPECT_EQ(editor(), nullptr);
        EXPECT_EQ(button("Stific_0")->Caption(), "Exp");
        EXPECT_EQ(state().settings.buttons, saved.buttons);
    }

    // A second "Edit" brings the open editor to the front instead of a second one.
    click("Stific_23");
    click("Stific_23");
    ASSERT_NE(editor(), nullptr);
    EFbutton* e = editor();
    QTest::mouseClick(e->Stific[18], Qt::LeftButton);
    QTest::keyClicks(e->F_But_name->lineEdit(), "Vat");
    QTest::keyClicks(e->F_But_Formula, "x*1.19");
    e->F_Tip_Text->selectAll();
    QTest::keyClicks(e->F_Tip_Text, "Value added tax");
    QTest::mouseClick(e->OK[0], Qt::LeftButton);
    EXPECT_EQ(editor(), nullptr);

    // The window's button shows it, the line already on the tape uses it, formulas are
    // stored in upper case, and a new start finds it all again.
    EXPECT_EQ(button("Stific_18")->Caption(), "Vat");
    EXPECT_EQ(button("Stific_18")->toolTip(), "Value added tax");
    EXPECT_EQ(total(), "125");
    EXPECT_EQ(state().settings.buttons[18],
              (FunctionDefinition{"Vat", "X*1.19", "Value added tax"}));
    EXPECT_EQ(state().settings.buttons[19].formula, "X*3");
    window->close();
    window.reset();
    open(); // with the same file on the command line
    EXPECT_EQ(button("Stific_18")->Caption(), "Vat");
    EXPECT_EQ(button("Stific_18")->toolTip(), "Value added tax");
    EXPECT_EQ(total(), "125");
}

TEST_F(FunctionButtons, OperatorLabelsCycle) {
    open();
    type("6+2");
    EXPECT_EQ(total(), "8");
    const struct {
        int row;
        const char* captions; // after each click
        const char* totals;   // after each click, separated by blanks
    } cases[] = {
        {0, "-x+-", "-4 2 8 -4"}, // line 0: never "/" or "^"
        {1, "-x/^+", "-8 -12 -3 36 -4"},
    };
    const QMap<char, int> colors{
        {'+', 12632256}, {'-', 255}, {'x', 65280}, {'/', 16711680}, {'^', 0}};
    for (const auto& c : cases) {
        const QStringList totals = QString(c.totals).split(' ');
        for (int i = 0; c.captions[i] != '\0'; ++i) {
            QTest::mouseClick(op(c.row), Qt::LeftButton);
            EXPECT_EQ(op(c.row)->Caption(), QString(QChar(c.captions[i]))) << c.row << " " << i;
            EXPECT_EQ(op(c.row)->RenderColor(), colors.value(c.captions[i])) << c.row << " " << i;
            EXPECT_EQ(state().tape.op(c.row), c.captions[i]) << c.row << " " << i;
            EXPECT_EQ(total(), totals[i]) << c.row << " " << i;
        }
    }
}

TEST_F(Memory, StoresAndRecallsRowsAndTheTotal) {
    open();
    menu("dp1_2");
    type("12.5+");
    row(0)->setFocus();
    click("MemoryRc_0"); // M+ on a row
    EXPECT_EQ(memory(), "12.50");
    EXPECT_EQ(state().MemoryValue, Value(Decimal::parse("12.5")));
    EXPECT_EQ(background(row(0)), MemoryHighlight);
    row(1)->setFocus();
    EXPECT_EQ(background(row(0)), White); // a row's focus ends the highlight
    click("MemoryRc_1");                  // MR into another row
    EXPECT_EQ(row(1)->text(), "12.50");
    EXPECT_EQ(state().tape.value(1), Value(Decimal::parse("12.5")));
    EXPECT_EQ(total(), "25.00");

    // M+ on the total, which the total's focus chose; leaving the key ends the highlight.
    totalBox()->setFocus();
    click("MemoryRc_0");
    EXPECT_EQ(state().MemoryValue, Value(Decimal(25)));
    EXPECT_EQ(memory(), "25.00");
    EXPECT_EQ(background(totalBox()), MemoryHighlight);
    row(2)->setFocus();
    EXPECT_EQ(background(totalBox()), White);

    // A function line is kept as its text and recalled as such, fixed decimals or not.
    click("Stific_3");
    click("MemoryRc_0");
    EXPECT_EQ(memory(), "Sin()");
    row(3)->setFocus();
    click("MemoryRc_1");
    EXPECT_EQ(row(3)->text(), "Sin()");
}

TEST_F(Memory, EqualsTakesOnlyAPositiveTotal) {
    struct Case {
        const char* typed;
        const char* total;
        const char* memory; // shown after M=, unformatted
    };
    const Case cases[] = {
        {"4-8", "-4.00", "7"},
        {"100000000000000000000000000000000000", "Overflow", "7"},
        {"0", ".00", "7"},
        {"1234.5", "1,234.50", "1234.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed));
        open();
        type("7");
        click("MemoryRc_2");
        EXPECT_EQ(memory(), "7");
        menu("Clear_Total");
        menu("dp1_2");
        type(c.typed);
        EXPECT_EQ(total(), c.total);
        click("MemoryRc_2");
        EXPECT_EQ(memory(), c.memory);
        window->close();
    }
}

TEST_F(Memory, PlusOnAnErrorWordKeepsTheMemory) {
    open();
    type("3");
    click("MemoryRc_0");
    row(0)->setFocus();
    type("+" + QString(35, '1'));
    EXPECT_EQ(total(), "Overflow");
    totalBox()->setFocus();
    click("MemoryRc_0");
    EXPECT_EQ(state().MemoryValue, Value(Decimal(3)));
    EXPECT_EQ(memory(), "3");
}

} // namespace
} // namespace padrix
