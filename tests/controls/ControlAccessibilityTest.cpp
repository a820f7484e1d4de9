#include "controls/ControlAccessibility.h"
#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"

#include <QAccessible>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace padrix {
namespace {

TEST(ControlAccessibility, ButtonsAreNamedButtonsThatPress) {
    struct Case {
        const char* caption;
        const char* toolTip;
        const char* name;
    };
    const Case cases[] = {
        {"+", "Addition...", "Addition"},
        {"C", "Clear current number...", "Clear current number"},
        {"%", "", "Percent"},
        {"7", "", "7"},
        {"Sin", "Specifying the sine of an angle", "Sin"},
        {"CA", "Clear All...", "CA"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spokenButtonName(c.caption, c.toolTip), c.name) << c.caption;

    LumoButton button;
    button.setCaption(QStringLiteral("+"));
    button.setToolTip(QStringLiteral("Addition..."));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), "Addition");
    EXPECT_EQ(face->text(QAccessible::Description), "Addition...");
    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QSignalSpy clicks(&button, &LumoButton::Click);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);
    button.setEnabled(false);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1) << "a disabled button does not press";
}

TEST(ControlAccessibility, TheScrollBarTellsItsValueAndSteps) {
    VantoVerticalScroll bar;
    bar.resize(17, 200);
    bar.setValueMax(50);
    bar.setValueSmallChange(1);
    bar.setValue(20);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::ScrollBar);
    QAccessibleValueInterface* value = face->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 20);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 50);
    value->setCurrentValue(30);
    EXPECT_EQ(bar.Value(), 30);
    face->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(bar.Value(), 31);
    bar.setValue(50);
    face->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(bar.Value(), 50);
}

} // namespace
} // namespace padrix
