#include "mainwindow/WindowTest.h"

#include "dialogs/LoadSave.h"

#include <QAccessible>
#include <QPrintDialog>

namespace padrix {
namespace {

class Accessibility : public WindowTest {
protected:
    static QString nameOf(QObject* object) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
        return face != nullptr ? face->text(QAccessible::Name) : QStringLiteral("(none)");
    }
};

TEST_F(Accessibility, EveryControlHasAName) {
    openWithTape("+1\r\n+2\r\n");
    for (LumoButton* key : window->findChildren<LumoButton*>()) {
        if (key->isVisible() && !key->objectName().startsWith("Op_")) {
            EXPECT_FALSE(nameOf(key).isEmpty()) << key->objectName().toStdString();
        }
    }
    EXPECT_EQ(nameOf(totalBox()), "Grand total");
    EXPECT_EQ(nameOf(window->findChild<QLabel*>("M_Buff")), "Memory");
    EXPECT_EQ(nameOf(row(0)), "Line 1");
    EXPECT_EQ(nameOf(row(2)), "Line 3");
    scroll()->setValueMax(20);
    scroll()->setValue(10);
    EXPECT_EQ(nameOf(row(0)), "Line 11") << "a row is named by the line it shows";

    // The press action clicks the key: 7 in the current row.
    row(2)->setFocus();
    QAccessible::queryAccessibleInterface(button("CalC_Button_7"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(row(2)->text(), "7");
}

TEST_F(Accessibility, TabReachesTheKeysAndSpacePressesThem) {
    open();
    row(0)->setFocus();
    QStringList reached;
    for (int i = 0; i < 200; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    for (const char* key : {"CalC_Button_0", "CalC_Button_12", "CalC_Button_17", "PieValue",
                            "Stific_0", "Stific_22", "MemoryRc_2"})
        EXPECT_TRUE(reached.contains(key)) << key;
    row(1)->setFocus();
    button("CalC_Button_4")->setFocus();
    QTest::keyClick(button("CalC_Button_4"), Qt::Key_Space);
    EXPECT_EQ(row(1)->text(), "4");
    EXPECT_EQ(total(), "4");
}

TEST_F(Accessibility, StandardShortcutsOpenSaveAndPrint) {
    context.printerAvailable = [] { return true; };
    open();
    QStringList shown;
    answerDialog = [&](QWidget* dialog) {
        if (auto* files = qobject_cast<LoadSave*>(dialog)) {
            shown << files->windowTitle().section(QStringLiteral(" \u2013 "), 0, 0);
            files->close();
            return true;
        }
        if (auto* print = qobject_cast<QPrintDialog*>(dialog)) {
            shown << "print";
            print->reject();
            return true;
        }
        return false;
    };
    row(0)->setFocus();
    for (Qt::Key key : {Qt::Key_O, Qt::Key_S, Qt::Key_P}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    }
    EXPECT_EQ(shown, (QStringList{"Open Calculation", "Save Calculation", "print"}));
}

} // namespace
} // namespace padrix
