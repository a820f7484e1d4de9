#include "core/Tape.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace padrix {
namespace {

/// One random change of any kind the window makes to its tape.
void randomChange(Tape& tape, std::mt19937& random) {
    const int lines = tape.lineCount();
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const int line = pick(lines + 3);
    switch (pick(9)) {
    case 0:
        tape.setValue(line, Decimal(pick(1000)));
        break;
    case 1:
        tape.setValue(line, std::string(pick(2) == 0 ? "Sin(30)" : "10%"));
        break;
    case 2:
        tape.setOperator(line, "+-x/^"[pick(5)]);
        break;
    case 3:
        tape.ensureLines(lines + pick(4));
        break;
    case 4:
        tape.resize(std::max(0, lines + pick(5) - 2));
        break;
    case 5:
        tape.clear(pick(6));
        break;
    case 6:
        tape.rearrangeValues(
            [](std::vector<Value>& values) { std::reverse(values.begin(), values.end()); });
        break;
    case 7: {
        Tape other;
        for (int i = pick(5); i > 0; --i)
            other.append('+', Decimal(i));
        tape = pick(2) == 0 ? std::move(other) : Tape(other);
        break;
    }
    default:
        tape.append('-', 2.5);
        break;
    }
}

TEST(TapeChanges, TakingBackAndMakingAgainGiveTheTapesExactly) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        Tape tape;
        for (int i = std::uniform_int_distribution<int>(0, 6)(random); i > 0; --i)
            randomChange(tape, random);
        const Tape before = tape;
        TapeChanges first;
        tape.recordChangesIn(&first);
        const int count = std::uniform_int_distribution<int>(0, 5)(random);
        for (int i = 0; i < count; ++i)
            randomChange(tape, random);
        // A second step, merged into the first as one typing step would be.
        const Tape middle = tape;
        TapeChanges second;
        tape.recordChangesIn(&second);
        for (int i = std::uniform_int_distribution<int>(0, 2)(random); i > 0; --i)
            randomChange(tape, random);
        tape.recordChangesIn(nullptr);
        const Tape after = tape;

        TapeChanges merged = first;
        TapeChanges secondCopy = second;
        TapeChanges again = second.revert(tape);
        ASSERT_EQ(tape, middle) << "round " << round;
        again.revert(tape);
        ASSERT_EQ(tape, after) << "round " << round;

        merged.absorb(std::move(secondCopy));
        const bool recorded = !merged.empty();
        TapeChanges redo = merged.revert(tape);
        ASSERT_EQ(tape, before) << "round " << round;
        EXPECT_EQ(redo.empty(), !recorded) << "round " << round;
        redo.revert(tape);
        ASSERT_EQ(tape, after) << "round " << round;
    }
}

TEST(TapeChanges, AReplacedTapeIsKeptByMovingIt) {
    Tape big;
    big.ensureLines(1000);
    TapeChanges load;
    big.recordChangesIn(&load);
    const Value* earlierLines = big.TapeValues().data();
    Tape loaded;
    loaded.append('+', Decimal(5));
    big = std::move(loaded);
    big.recordChangesIn(nullptr);
    load.revert(big);
    EXPECT_EQ(big.TapeValues().data(), earlierLines) << "moved back, never copied";
    EXPECT_EQ(big.lineCount(), 1000);
}

} // namespace
} // namespace padrix
