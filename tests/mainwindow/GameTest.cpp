#include "mainwindow/WindowTest.h"

#include <QInputDialog>

namespace padrix {
namespace {

/// The game in the window, its digits from a fixed seed and its ticks driven by the test.
class Game : public WindowTest {
protected:
    QStringList prompts;
    QString answer = "Ann";

    void SetUp() override {
        WindowTest::SetUp();
        context.gameSeed = 7;
        answerDialog = [this](QWidget* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            if (input == nullptr)
                return false;
            prompts << input->windowTitle() + " / " + input->labelText();
            // Centred over the calculator, and wide enough for its whole title.
            EXPECT_LE((input->frameGeometry().center() - window->frameGeometry().center())
                          .manhattanLength(),
                      4);
            EXPECT_GT(input->width(), input->fontMetrics().horizontalAdvance(input->windowTitle()));
            input->setTextValue(answer);
            input->accept();
            return true;
        };
    }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i)
            window->GameTimer_Timer();
    }
    /// A numeric-pad key on the total, as the keyboard sends it.
    void pad(int digit, Qt::KeyboardModifiers modifiers = Qt::KeypadModifier) {
        QTest::keyClick(totalBox(), static_cast<Qt::Key>(Qt::Key_0 + digit), modifiers);
    }
    int newest() const { return total().front().digitValue(); }
    QWidget* panel() const { return window->findChild<QWidget*>("All_Timers"); }
    /// Plays to the invasion, hitting `hits` times on the way.
    void playToTheEnd(int hits) {
        for (int i = 0; i < hits; ++i) {
            tick();
            pad(newest());
        }
        while (state().game.running())
            tick();
    }
};

TEST_F(Game, ShotsFromTheNumericPadAndTheKeypad) {
    open();
    type("5+5");
    menu("Zorb_Invaders_Go_0");
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), totalBox());
    tick(4);
    EXPECT_EQ(total().size(), 4);
    EXPECT_TRUE(totalBox()->alignment() & Qt::AlignRight);
    const QString dealt = total();

    pad(newest(), Qt::NoModifier); // the keyboard's digit row does not shoot
    pad((newest() + 1) % 9);       // a wrong digit changes nothing
    EXPECT_EQ(total(), dealt);
    pad(newest());
    EXPECT_EQ(total(), dealt.mid(1));
    click(QStringLiteral("CalC_Button_%1").arg(newest()));
    EXPECT_EQ(total(), dealt.mid(2));
    EXPECT_EQ(state().game.GameScore, 2);

    // Other keys of the keypad do nothing; typing into the tape leaves the game's display.
    click("CalC_Button_11");
    click("CalC_Button_12");
    EXPECT_EQ(state().tape.value(0), Value(Decimal(5)));
    row(1)->setFocus();
    type("0");
    EXPECT_EQ(total(), dealt.mid(2));
    EXPECT_EQ(state().tape.value(1), Value(Decimal(50)));
}

TEST_F(Game, TheInvasionEndsTheGameAndFillsTheTable) {
    open();
    menu("Zorb_Invaders_Go_1"); // Blaster
    playToTheEnd(3);
    EXPECT_FALSE(state().game.running());
    EXPECT_EQ(total(), QString("Invaded / Score : %1").arg(state().game.GameScore));
    EXPECT_TRUE(totalBox()->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(prompts, QStringList{"You have Scored a Top Position... / Enter your Name..."});
    EXPECT_EQ(state().settings.HiScoreNames[20], std::optional<std::string>("Ann"));
    EXPECT_EQ(state().settings.HiScores[20], state().game.GameScore);

    // For a moment the end stands: the window goes on working, but neither a new game nor
    // the keypad's digits act.
    bool ran = false;
    QTimer::singleShot(100, [&] { ran = true; });
    QTest::qWait(300);
    EXPECT_TRUE(ran);
    menu("Zorb_Invaders_Go_0");
    click("CalC_Button_4");
    EXPECT_FALSE(state().game.running());
    EXPECT_EQ(row(0)->text(), "");
    QTest::qWait(2000);
    menu("Zorb_Invaders_Go_0");
    EXPECT_TRUE(state().game.running());
}

TEST_F(Game, TheTablesSurviveARestart) {
    // A name longer than the file holds, with characters beyond one byte, reads back cut.
    answer = QString::fromUtf8("Zo\u00eb \U0001F680") + QString(70000, 'x');
    open();
    menu("Zorb_Invaders_Go_0");
    playToTheEnd(2);
    const int score = state().game.GameScore;
    window->close();
    window.reset();
    open();
    menu("Zorb_Invaders_Go_0");
    const QString first = window->findChild<QLabel*>("HiNames_0")->text();
    EXPECT_TRUE(first.startsWith(QString::fromUtf8("Zo\u00eb \U0001F680xxx")));
    EXPECT_LE(first.toUtf8().size(), 65535);
    EXPECT_EQ(window->findChild<QLabel*>("ScoreTitle_0")->text(), QString::number(score));
    EXPECT_EQ(window->findChild<QLabel*>("ScoreTitle_1")->text(), "0");

    // A cancelled prompt gives an empty name in the place; the older entry moves down.
    answerDialog = [](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        if (input != nullptr)
            input->reject();
        return input != nullptr;
    };
    playToTheEnd(score);
    EXPECT_EQ(state().settings.HiScoreNames[0], std::optional<std::string>(""));
    EXPECT_TRUE(state().settings.HiScoreNames[1]->starts_with("Zo"));
}

TEST_F(Game, EveryRunDealsItsOwnDigitsAndClosingKeepsTheTables) {
    context.gameSeed.reset();
    QStringList rows;
    for (int run = 0; run < 2; ++run) {
        open();
        menu("Zorb_Invaders_Go_0");
        tick(20);
        rows << total();
        window->close(); // during the game: the tables are written as they were
        window.reset();
    }
    EXPECT_NE(rows[0], rows[1]);
    const auto saved = loadSettingsFile(dir.filePath("user/padrix-calculator.cfg"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, Settings{});
}

} // namespace
} // namespace padrix
