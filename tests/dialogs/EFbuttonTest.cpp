#include "dialogs/EFbutton.h"
#include "controls/LumoButton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace padrix {

void PrintTo(const FunctionDefinition& d, std::ostream* out) {
    *out << '{' << d.caption << ", " << d.formula << ", " << d.toolTip << '}';
}

namespace {

/// The editor over the shipped definitions, with "Use" recorded.
class FunctionEditor : public ::testing::Test {
protected:
    EFbutton editor{defaultFunctionButtons(), 15};
    std::optional<FunctionButtons> used;

    void SetUp() override {
        QObject::connect(&editor, &EFbutton::used,
                         [this](const FunctionButtons& definitions) { used = definitions; });
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }
    void click(LumoButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QLineEdit* nameBox() const { return editor.F_But_name->lineEdit(); }
    bool formulaShown() const {
        return editor.F_But_Formula->isVisible() && editor.L[1]->isVisible();
    }
};

TEST_F(FunctionEditor, EditsAButtonAndUsesItInUpperCase) {
    EXPECT_EQ(nameBox()->text(), "Exp"); // button 0 at the start
    EXPECT_FALSE(formulaShown());

    click(editor.Stific[18]);
    EXPECT_TRUE(editor.F_But_name->hasFocus());
    EXPECT_TRUE(formulaShown());
    QTest::keyClicks(nameBox(), "V%a(t)");
    EXPECT_EQ(nameBox()->text(), "Vat"); // "%" and brackets are not taken
    EXPECT_EQ(editor.Stific[18]->Caption(), "Vat");
    QTest::keyClicks(editor.F_But_Formula, "x*1.19+t/100");
    editor.F_Tip_Text->selectAll(); // typed over the old tip
    QTest::keyClicks(editor.F_Tip_Text, "Value added tax");
    EXPECT_EQ(editor.Stific[18]->toolTip(), "Value added tax");

    // Another button and back: each keeps what was typed for it.
    click(editor.Stific[16]);
    EXPECT_EQ(editor.F_But_Formula->text(), "X/2.2");
    click(editor.Stific[18]);
    EXPECT_EQ(editor.F_But_Formula->text(), "x*1.19+t/100");

    click(editor.OK[0]);
    ASSERT_TRUE(used);
    FunctionButtons expected = defaultFunctionButtons();
    expected[18] = {"Vat", "X*1.19+T/100", "Value added tax"};
    EXPECT_EQ(*used, expected);
    EXPECT_FALSE(editor.isVisible());
}

TEST_F(FunctionEditor, ABuiltInNameHidesTheFormula) {
    QStringList listed;
    for (int i = 0; i < editor.F_But_name->count(); ++i)
        listed << editor.F_But_name->itemText(i);
    EXPECT_EQ(listed, QStringList({"Exp", "Log", "Sqr", "Sin", "Cos", "Tan", "Cot", "Csc", "Sec",
                                   "Asin", "Acos", "Atan", "Fix", "Int", "Roun"}));
    click(editor.Stific[19]);
    EXPECT_TRUE(formulaShown());
    editor.F_But_name->setCurrentIndex(3); // chosen from the list
    EXPECT_EQ(editor.Stific[19]->Caption(), "Sin");
    EXPECT_FALSE(formulaShown());
    QTest::keyClicks(nameBox(), "e");
    EXPECT_EQ(editor.Stific[19]->Caption(), "Sine");
    EXPECT_TRUE(formulaShown());

    // Cancel drops everything.
    click(editor.OK[1]);
    EXPECT_FALSE(used);
    EXPECT_FALSE(editor.isVisible());
}

} // namespace
} // namespace padrix
