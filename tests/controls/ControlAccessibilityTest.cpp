#include "controls/ControlAccessibility.h"
#include "controls/DriveControl.h"
#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

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

TEST(ControlAccessibility, TheBrowserIsAListOfItsEntriesWithTheirKinds) {
    QTemporaryDir tree;
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir(tree.path()).mkdir("Invoices"));
    QFile file(tree.filePath("week.Clc"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    DriveControl list(
        nullptr,
        [] {
            return std::vector<Drive>{{"/", 3, QStringLiteral("disk")}};
        },
        [] { return QString(); });
    list.resize(200, 300);
    list.FileExtention(QStringLiteral(".Clc"));
    list.GetDir(tree.path());
    QDir::setCurrent(saved);

    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&list);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::List);
    ASSERT_EQ(face->childCount(), list.entries().size());
    QStringList items;
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* item = face->child(i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item, face->child(i)) << "the same item every time";
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(face->indexOfChild(item), i);
        items << item->text(QAccessible::Name) + " " + item->text(QAccessible::Description);
    }
    EXPECT_TRUE(items.contains("Invoices folder")) << items.join(", ").toStdString();
    EXPECT_TRUE(items.contains("week.Clc file")) << items.join(", ").toStdString();
    EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const QString& s) {
        return s.endsWith(" drive");
    })) << items.join(", ").toStdString();
    EXPECT_EQ(face->child(face->childCount()), nullptr);
}

} // namespace
} // namespace padrix
