#include "session/TapeSession.h"

#include "core/RandomTape.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace padrix {
namespace {

/// A session with what it announced since the last look.
class Session : public ::testing::Test {
protected:
    TapeSession session{NumberLocale::english(), std::size_t(256) << 20};
    std::vector<std::pair<int, int>> lines; // linesChanged
    int resets = 0;
    int totals = 0;
    int memories = 0;
    int undos = 0;

    void SetUp() override {
        QObject::connect(&session, &TapeSession::linesChanged,
                         [this](int first, int last) { lines.emplace_back(first, last); });
        QObject::connect(&session, &TapeSession::tapeReset, [this] { ++resets; });
        QObject::connect(&session, &TapeSession::totalChanged, [this] { ++totals; });
        QObject::connect(&session, &TapeSession::memoryChanged, [this] { ++memories; });
        QObject::connect(&session, &TapeSession::undoChanged, [this] { ++undos; });
        session.clearAll(14); // a fresh window's tape
        session.startRecording();
        forget();
    }
    void forget() {
        lines.clear();
        resets = totals = memories = undos = 0;
    }
    std::string total() const { return session.total().text; }
    /// One user action, as a view makes it.
    template <class Action> void act(Action action, bool typing = false) {
        session.beginAction(0);
        action();
        session.endAction(0, typing);
    }
};

// A row's text becomes the line's value as the row store makes it, and every change is
// announced with the total that follows it.
TEST_F(Session, RowTextsBecomeValues) {
    const struct {
        const char* text;
        const char* stored; // the value's text afterwards
        const char* total;
    } rows[] = {
        {"5", "5", "5"},
        {"1,234.5", "1234.5", "1234.5"},
        {"-2", "-2", "-2"},
        {"", "0", "0"},
        {".", "0", "0"}, // no number yet: the line stays as it was
        {"79228162514264337593543950336", "79228162514264337593543950336", "Overflow"},
    };
    for (const auto& r : rows) {
        forget();
        session.storeRowText(3, r.text);
        EXPECT_EQ(session.value(3).text(session.locale()), r.stored) << r.text;
        EXPECT_EQ(total(), r.total) << r.text;
        if (std::string_view(r.text) != ".") {
            EXPECT_EQ(lines, (std::vector<std::pair<int, int>>{{3, 3}})) << r.text;
        }
        EXPECT_EQ(totals, std::string_view(r.text) == "." ? 0 : 1) << r.text;
    }
    // A function line keeps taking its row's text unconverted.
    session.setText(2, "Sin(0)");
    session.storeRowText(2, "Sin(0");
    EXPECT_EQ(session.value(2), Value("Sin(0"));
    EXPECT_EQ(session.lineText(2), "Sin(0");
    // Rows show their lines in the display format; negative numbers in dark red.
    session.storeRowText(4, "-1234.5");
    session.setDecimalsChoice(2);
    EXPECT_EQ(session.lineText(4), "-1,234.50");
    EXPECT_TRUE(session.lineIsNegative(4));
    EXPECT_FALSE(session.lineIsNegative(2));
    EXPECT_EQ(session.lineText(0), ""); // a zero shows nothing
}

// The tape is as long as its lines: rows past the end show "+" and become lines only when
// something is written there.
TEST_F(Session, LinesPastTheEndComeIntoBeingWhenWritten) {
    ASSERT_EQ(session.lineCount(), 14);
    EXPECT_EQ(session.op(20), '+');
    EXPECT_TRUE(session.value(20).isEmpty());
    session.storeRowText(20, "");
    session.setOperator(20, '+');
    EXPECT_EQ(session.lineCount(), 14);
    EXPECT_EQ(resets, 0);
    session.setOperator(16, '-');
    EXPECT_EQ(session.lineCount(), 17);
    EXPECT_EQ(session.op(15), '+');
    EXPECT_EQ(lines.back(), std::pair(16, 16));
    session.growTo(19, 'x');
    EXPECT_EQ(session.lineCount(), 19);
    EXPECT_EQ(session.op(17), '+');
    EXPECT_EQ(session.op(18), 'x');

    // Clear All keeps the length, and the total shows nothing until the next change.
    session.storeRowText(0, "7");
    EXPECT_EQ(total(), "7");
    session.clearAll(14);
    EXPECT_EQ(session.lineCount(), 19);
    EXPECT_EQ(total(), "");
    EXPECT_EQ(session.op(13), '+');
    EXPECT_EQ(session.op(14), NoOperator);
}

// Each action is one step; typing into one line is one step until the edit moves on; undo
// and redo give back where the tape was shown.
TEST_F(Session, UndoTakesBackOneActionAtATime) {
    EXPECT_FALSE(session.canUndo());
    for (const char* text : {"1", "12", "123"})
        act([&] { session.storeRowText(0, text); }, true);
    session.newEditSession();
    session.beginAction(4);
    session.storeRowText(5, "9");
    session.endAction(6, true);
    act([&] { session.cycleOperator(5); });
    EXPECT_EQ(total(), "114");

    EXPECT_EQ(session.undo(0), 0); // the operator
    EXPECT_EQ(total(), "132");
    EXPECT_EQ(session.undo(0), 4); // the typing in line 5, shown where it began
    EXPECT_EQ(total(), "123");
    EXPECT_EQ(session.undo(0), 0); // all of the typing in line 0
    EXPECT_EQ(total(), "0");
    EXPECT_FALSE(session.canUndo());
    EXPECT_EQ(session.undo(0), std::nullopt);
    EXPECT_EQ(session.redo(0), 0);
    EXPECT_EQ(session.redo(0), 6); // shown where it ended
    EXPECT_EQ(total(), "132");
    EXPECT_TRUE(session.canRedo());
    act([&] { session.storeRowText(2, "1"); }); // a new step drops what could be redone
    EXPECT_FALSE(session.canRedo());
    EXPECT_GT(undos, 0);

    // An action that changes nothing, or only pads the tape, is no step.
    const bool before = session.canUndo();
    act([&] { session.setOperator(40, '+'); });
    EXPECT_EQ(session.undo(0), 0);
    EXPECT_EQ(session.value(2), Value(Decimal(0)));
    EXPECT_EQ(before, true);
}

TEST_F(Session, TheHistoryKeepsToItsStepsAndItsBudget) {
    for (int i = 0; i < TapeSession::MaxUndoSteps + 5; ++i)
        act([&] { session.storeRowText(0, QString::number(i + 1)); });
    int undone = 0;
    while (session.undo(0))
        ++undone;
    EXPECT_EQ(undone, TapeSession::MaxUndoSteps);
    EXPECT_EQ(total(), "5");

    // A whole-tape step of 5,000 lines keeps 85 KB, the Clear All of a two-line paste
    // little: the last two steps fit the budget, the three do not.
    TapeSession small(NumberLocale::english(), 150 * 1024);
    std::string column;
    for (int i = 0; i < 5000; ++i)
        column += std::to_string(5000 - i) + "\n";
    small.paste(column);
    small.startRecording();
    for (int step = 0; step < 3; ++step) {
        small.beginAction(0);
        if (step == 0)
            small.sort();
        else if (step == 1)
            small.paste("1\r\n2");
        else
            small.clearAll(14);
        small.endAction(0);
    }
    EXPECT_LE(small.undoBytes(), std::size_t(150 * 1024));
    EXPECT_TRUE(small.undo(0));
    EXPECT_TRUE(small.undo(0));
    EXPECT_FALSE(small.canUndo()) << "the oldest step was dropped";
    EXPECT_EQ(small.value(0), Value(Decimal(1)));
}

// Random actions of every kind, then everything undone gives the tape at the start, and
// everything redone the tape at the end.
TEST_F(Session, UndoingEverythingGivesTheStartBack) {
    std::mt19937 random(24);
    const Tape start = session.tape();
    for (int round = 0; round < 60; ++round) {
        const int line = test::pick(random, 30);
        act([&] {
            switch (test::pick(random, 9)) {
            case 0:
                session.storeRowText(line, QString::number(test::pick(random, 1000) - 500));
                break;
            case 1:
                session.setText(line, "Sin(" + QString::number(test::pick(random, 9)) + ")");
                break;
            case 2:
                session.setOperator(line, "+-x/^"[test::pick(random, 5)]);
                break;
            case 3:
                session.cycleOperator(line);
                break;
            case 4:
                session.growTo(session.lineCount() + 1 + test::pick(random, 20), '-');
                break;
            case 5:
                session.sort();
                break;
            case 6:
                session.paste(std::to_string(test::pick(random, 99)) + "\n4");
                break;
            case 7:
                session.clearAll(14);
                break;
            default:
                session.memoryRecall(line);
                break;
            }
        });
    }
    const Tape end = session.tape();
    const std::string endTotal = total();
    int undone = 0;
    while (session.undo(0))
        ++undone;
    EXPECT_GT(undone, 40);
    EXPECT_EQ(session.tape(), start);
    EXPECT_EQ(total(), "0");
    while (session.redo(0)) {
    }
    EXPECT_EQ(session.tape(), end);
    EXPECT_EQ(total(), endTotal);
}

// A file read while the window is built opens as the file itself does, and only where it was
// read in the session's locale: a line form's number takes the locale's separator as it loads.
TEST_F(Session, OpensAFileReadAlreadyWhereItWasReadInItsLocale) {
    const QTemporaryDir dir;
    const QString path = dir.filePath("tape.Clc");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Padrix Calculator 6\r\n+Sin(1,5)\r\n+2\r\n");
    file.close();

    CalcFileReading german(path, NumberLocale::german());
    EXPECT_EQ(session.open(german), std::nullopt);
    EXPECT_TRUE(german.pending()); // not taken: read again
    EXPECT_EQ(session.lineText(0).toStdString(), "Sin(1.5)");

    session.clearAll(14);
    CalcFileReading english(path, NumberLocale::english());
    EXPECT_EQ(session.open(english), std::nullopt);
    EXPECT_FALSE(english.pending());
    EXPECT_EQ(session.lineText(0).toStdString(), "Sin(1.5)");
    EXPECT_EQ(session.currentFile(), path);
    EXPECT_EQ(session.lineCount(), 2);
    EXPECT_EQ(total(), "2.997494986604054");

    CalcFileReading missing(dir.filePath("gone.Clc"), NumberLocale::english());
    EXPECT_EQ(session.open(missing), "the file does not exist");
    EXPECT_EQ(session.lineCount(), 2); // the tape stays
}

} // namespace
} // namespace padrix
