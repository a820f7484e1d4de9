#include "mainwindow/WindowTest.h"

#include "dialogs/LoadSave.h"
#include "platform/Translations.h"

#include <QAccessible>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTranslator>

#include <map>

namespace padrix {
namespace {

class Accessibility : public WindowTest {
protected:
    static QString nameOf(QObject* object) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
        return face != nullptr ? face->text(QAccessible::Name) : QStringLiteral("(none)");
    }
};

TEST_F(Accessibility, EveryKeyHasANameOfItsOwn) {
    openWithTape("+1\r\n-2\r\n");
    // A screen reader finds a key by its name: no two shown keys may share one (the rows'
    // operator labels were all "Addition", the empty function buttons all alike).
    std::map<QString, QString> keys; // name -> objectName
    for (LumoButton* key : window->findChildren<LumoButton*>()) {
        if (!key->isVisible())
            continue;
        const QString name = nameOf(key);
        EXPECT_FALSE(name.isEmpty()) << key->objectName().toStdString();
        const auto [first, fresh] = keys.emplace(name, key->objectName());
        EXPECT_TRUE(fresh) << key->objectName().toStdString() << " and "
                           << first->second.toStdString() << " are both " << name.toStdString();
    }
    EXPECT_EQ(nameOf(op(1)), "Operator of line 2: subtraction; press to change");
    EXPECT_EQ(nameOf(button("Stific_18")), "Empty function button 19");
    EXPECT_EQ(nameOf(totalBox()), "Grand total");
    EXPECT_EQ(nameOf(window->findChild<QLabel*>("M_Buff")), "Memory");
    EXPECT_EQ(nameOf(row(0)), "Line 1");
    EXPECT_EQ(nameOf(row(2)), "Line 3");
    scroll()->setValueMax(20);
    scroll()->setValue(10);
    EXPECT_EQ(nameOf(row(0)), "Line 11") << "a row is named by the line it shows";
    EXPECT_EQ(nameOf(op(0)), "Operator of line 11: addition; press to change");

    // 7, "Addition" and 5 pressed by name, as a screen reader presses them.
    scroll()->setValue(0);
    row(2)->setFocus();
    for (const char* name : {"7", "Addition", "5"}) {
        const auto key = keys.find(name);
        ASSERT_NE(key, keys.end()) << name;
        QAccessible::queryAccessibleInterface(button(key->second))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    }
    EXPECT_EQ(row(2)->text(), "7");
    EXPECT_EQ(row(3)->text(), "5");
    EXPECT_EQ(total(), "11") << "1 - 2 + 7 + 5";
}

TEST_F(Accessibility, GermanReadsGermanAndQtsOwnWordsToo) {
    const QList<QTranslator*> german = installTranslations(*QCoreApplication::instance(), {"de"});
    open();
    const auto word = [this](const char* name) {
        const auto* action = window->findChild<QAction*>(name);
        return action != nullptr ? action->text() : QStringLiteral("(none)");
    };
    EXPECT_EQ(window->findChild<QMenu*>("E_m")->title(), "Optionen");
    EXPECT_EQ(word("LD_0"), "Rechnung öffnen...");
    EXPECT_EQ(word("CalcFuntions_1"), "Mittelwert...");
    EXPECT_EQ(button("CalC_Button_16")->toolTip(), "Aktuelle Zahl löschen...");
    EXPECT_EQ(nameOf(button("CalC_Button_13")), "Subtraktion");
    EXPECT_EQ(nameOf(op(0)), "Operator der Zeile 1: Addition; drücken zum Wechseln");
    EXPECT_EQ(nameOf(totalBox()), "Endsumme");
    // The function buttons' names and tips are the user's own and stay as they are.
    EXPECT_EQ(button("Stific_0")->Caption(), "Exp");
    EXPECT_EQ(button("Stific_18")->toolTip(), "Custom function button...");
    // A message box of Qt's own: its buttons in German too.
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");
    EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Nein");
    for (QTranslator* translator : german) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
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
