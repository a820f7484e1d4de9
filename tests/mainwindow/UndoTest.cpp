#include "mainwindow/WindowTest.h"

#include "controls/DriveControl.h"
#include "dialogs/LoadSave.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace padrix {
namespace {

/// What a user sees of the tape: its lines, the scroll position, the rows and the total.
struct TapeView {
    Tape tape;
    int scroll = 0;
    QStringList rows;
    QString total;
    bool operator==(const TapeView&) const = default;
};

void PrintTo(const TapeView& view, std::ostream* out) {
    *out << view.tape.lineCount() << " lines, scroll " << view.scroll << ", total "
         << view.total.toStdString() << ", rows " << view.rows.join('|').toStdString();
}

class Undo : public WindowTest {
protected:
    TapeView view() const {
        TapeView v{state().tape, scroll()->Value(), {}, total()};
        for (int i = 0; i <= state().LastVisibleLine; ++i)
            v.rows << row(i)->text();
        return v;
    }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    /// A key chord as the keyboard sends it, shortcuts included, to what has the focus.
    void chord(Qt::Key key, Qt::KeyboardModifiers modifiers) const {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : window.get(), key, modifiers);
    }
    void undo() const { chord(Qt::Key_Z, Qt::ControlModifier); }
    void redo(bool withY = false) const {
        if (withY)
            chord(Qt::Key_Y, Qt::ControlModifier);
        else
            chord(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    /// A tape of 40 lines scrolled to line 10, where a function line stands.
    void openLongTape() {
        QString lines;
        for (int i = 0; i < 40; ++i)
            lines += i == 10 ? QStringLiteral("+Sin(30)\r\n") : QStringLiteral("+%1\r\n").arg(i);
        openWithTape(lines);
        scroll()->setValue(10);
        row(0)->setFocus();
    }
    void answerOpenWith(const QString& path) {
        answerDialog = [=](QWidget* dialog) {
            auto* files = qobject_cast<LoadSave*>(dialog);
            if (files == nullptr)
                return false;
            files->DriveList->GetDir(QFileInfo(path).absolutePath());
            files->txtSearchSpec->clear();
            QTest::keyClicks(files->txtSearchSpec, QFileInfo(path).fileName());
            QTest::mouseClick(files->Command1[1], Qt::LeftButton);
            return true;
        };
    }
};

TEST_F(Undo, EveryKindOfChangeComesBackAndGoesAgain) {
    const QString other = writeFile("other.Clc", "Padrix Calculator 6\r\n+7\r\nx6\r\n");
    struct Change {
        const char* name;
        std::function<void()> make;
        // Clear All leaves the total box blank until the next key; made again, the tape
        // shows its total at once.
        const char* totalMadeAgain = nullptr;
    };
    const Change changes[] = {
        {"typing in a row", [&] { type("123"); }},
        {"a keypad digit", [&] { click("CalC_Button_7"); }},
        {"C", [&] { click("CalC_Button_16"); }},
        {"Del on a function line", [&] { click("CalC_Button_17"); }},
        {"a function button",
         [&] {
             row(1)->setFocus();
             click("Stific_3");
         }},
        {"an operator label", [&] { QTest::mouseClick(op(2), Qt::LeftButton); }},
        {"MR",
         [&] {
             row(1)->setFocus();
             click("MemoryRc_0"); // M+ keeps line 11 in the memory, no change of the tape
             row(3)->setFocus();
             click("MemoryRc_1");
         }},
        {"Pi",
         [&] {
             row(2)->setFocus();
             click("PieValue");
         }},
        {"Clear All", [&] { menu("Clear_Total"); }, "0"},
        {"Paste",
         [&] {
             QGuiApplication::clipboard()->setText("1\r\n2\r\n3");
             menu("P_m");
         }},
        {"Sort", [&] { menu("SortNm"); }},
        {"Open",
         [&] {
             answerOpenWith(other);
             menu("LD_0");
             answerDialog = nullptr;
             window->activateWindow(); // back from the dialog, as the user is
             ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
         }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        openLongTape();
        EXPECT_FALSE(action("UndoStep")->isEnabled());
        const TapeView before = view();
        change.make();
        TapeView after = view();
        ASSERT_NE(after.tape, before.tape);
        if (change.totalMadeAgain != nullptr)
            after.total = change.totalMadeAgain;
        EXPECT_TRUE(action("UndoStep")->isEnabled());

        undo();
        EXPECT_EQ(view(), before);
        EXPECT_FALSE(action("UndoStep")->isEnabled()) << "one step, not several";
        EXPECT_TRUE(action("RedoStep")->isEnabled());
        redo();
        EXPECT_EQ(view(), after);
        undo();
        redo(true);
        EXPECT_EQ(view(), after);
        window->close();
    }
}

} // namespace
} // namespace padrix
