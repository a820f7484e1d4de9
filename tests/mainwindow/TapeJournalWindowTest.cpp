#include "mainwindow/WindowTest.h"

#include "platform/SettingsLocation.h"

#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>

namespace padrix {
namespace {

/// A window that keeps a journal of its tape in the test's folder.
class JournalWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        context.journalFolder = dir.filePath("state");
    }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    bool holdsValues() const { return window->session().tape().linesWithValues() > 0; }
    /// Answers the restore question with Yes or No, keeping what it asked.
    void answerRestore(bool yes) {
        answerDialog = [this, yes](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (box == nullptr)
                return false;
            questions << box->text();
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            return true;
        };
    }
    /// Lets the window ask what it asks after its first activation.
    void waitForQuestion() {
        const QDeadlineTimer deadline(5000);
        while (questions.isEmpty() && !deadline.hasExpired())
            QTest::qWait(10);
    }
    QStringList questions;
};

// A normal close keeps the tape as the last tape: the next start begins empty without a
// question, and "Restore Last Tape" brings the tape back as one step. "Keep Tape Journal"
// turned off is kept in the settings: the next start keeps no journal.
TEST_F(JournalWindow, NormalCloseThenRestoreLastTape) {
    open();
    EXPECT_FALSE(action("RestoreLast")->isEnabled());
    EXPECT_TRUE(action("KeepJournal")->isChecked());
    ASSERT_NE(window->journal(), nullptr);
    type("12+30-2\n");
    EXPECT_EQ(total(), "40");
    window->close();

    open();
    EXPECT_EQ(total(), "");
    EXPECT_FALSE(holdsValues());
    ASSERT_TRUE(action("RestoreLast")->isEnabled());
    menu("RestoreLast");
    EXPECT_EQ(total(), "40");
    EXPECT_EQ(row(1)->text(), "30");
    EXPECT_EQ(op(2)->Caption(), "-");
    menu("UndoStep");
    EXPECT_FALSE(holdsValues());

    menu("KeepJournal");
    EXPECT_FALSE(action("KeepJournal")->isChecked());
    EXPECT_EQ(window->journal(), nullptr);
    window->close();
    open();
    EXPECT_EQ(window->journal(), nullptr);
    EXPECT_FALSE(action("KeepJournal")->isChecked());
    EXPECT_TRUE(action("RestoreLast")->isEnabled());
}

// After a window ended without closing, the next start begins with the empty tape and asks
// once: Yes brings the lines, operators and total back as one undoable step, No keeps the
// tape as the last tape.
TEST_F(JournalWindow, AfterAnUncleanEndAsksOnce) {
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        open();
        type("7-8\n");
        window.reset(); // no close: as after a crash or a kill
        questions.clear();
        answerRestore(yes);
        open();
        waitForQuestion();
        ASSERT_EQ(questions.size(), 1);
        EXPECT_TRUE(questions[0].startsWith(
            "The calculator did not close normally. Restore the tape from "))
            << questions[0].toStdString();
        EXPECT_TRUE(questions[0].endsWith(" (2 lines, total -1)?")) << questions[0].toStdString();
        if (yes) {
            EXPECT_EQ(total(), "-1");
            EXPECT_EQ(op(1)->Caption(), "-");
            EXPECT_FALSE(action("RestoreLast")->isEnabled());
            menu("UndoStep");
            EXPECT_FALSE(holdsValues());
        } else {
            EXPECT_EQ(total(), "");
            ASSERT_TRUE(action("RestoreLast")->isEnabled());
            menu("RestoreLast");
            EXPECT_EQ(total(), "-1");
        }
        answerDialog = nullptr; // a normal close asks nothing at the next start
        window->close();
    }
}

// The journal lives in $XDG_STATE_HOME/padrix-calculator (~/.local/state without it), or
// beside a portable copy's settings file.
TEST(JournalFolder, StateFolderOrBesideAPortableCopy) {
    QTemporaryDir dir;
    const QByteArray stateHome = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", dir.filePath("state").toLocal8Bit());
    EXPECT_EQ(userStateFolder(), dir.filePath("state/padrix-calculator"));
    qputenv("XDG_STATE_HOME", "relative/ignored");
    EXPECT_EQ(userStateFolder(), QDir::homePath() + "/.local/state/padrix-calculator");
    qputenv("XDG_STATE_HOME", stateHome);

    const SettingsLocation location(dir.filePath("program/padrix-calculator"),
                                    dir.filePath("user"));
    EXPECT_EQ(location.journalFolder("/state"), "/state");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("program")));
    QFile portable(dir.filePath("program/padrix-calculator.cfg"));
    ASSERT_TRUE(portable.open(QIODevice::WriteOnly));
    portable.close();
    EXPECT_EQ(location.journalFolder("/state"), dir.filePath("program/padrix-calculator-journal"));
}

} // namespace
} // namespace padrix
