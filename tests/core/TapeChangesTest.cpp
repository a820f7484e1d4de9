#include "core/Tape.h"

#include "core/RandomTape.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace padrix {
namespace {

TEST(TapeChanges, TakingBackAndMakingAgainGiveTheTapesExactly) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        Tape tape;
        for (int i = std::uniform_int_distribution<int>(0, 6)(random); i > 0; --i)
            test::randomChange(tape, random);
        const Tape before = tape;
        TapeChanges first;
        tape.recordChangesIn(&first);
        const int count = std::uniform_int_distribution<int>(0, 5)(random);
        for (int i = 0; i < count; ++i)
            test::randomChange(tape, random);
        // A second step, merged into the first as one typing step would be.
        const Tape middle = tape;
        TapeChanges second;
        tape.recordChangesIn(&second);
        for (int i = std::uniform_int_distribution<int>(0, 2)(random); i > 0; --i)
            test::randomChange(tape, random);
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
