#include "game/InvadersGame.h"

#include <gtest/gtest.h>

#include <deque>

namespace padrix {
namespace {

/// A game whose digits are dealt from a script, then 0s.
struct ScriptedGame {
    std::deque<int> digits;
    InvadersGame game{[this] {
        if (digits.empty())
            return 0;
        const int d = digits.front();
        digits.pop_front();
        return d;
    }};
};

TEST(InvadersGame, InvadersShootTheNewestDigit) {
    ScriptedGame s{{5, 3, 7}};
    s.game.start(0);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.game.tick());
    EXPECT_EQ(s.game.GameRow, "735"); // the newest at the left
    EXPECT_FALSE(s.game.shot(5));     // a wrong digit changes nothing
    EXPECT_EQ(s.game.GameRow, "735");
    EXPECT_TRUE(s.game.shot(7));
    EXPECT_EQ(s.game.GameRow, "35");
    EXPECT_TRUE(s.game.shot(3));
    EXPECT_TRUE(s.game.shot(5));
    EXPECT_FALSE(s.game.shot(0)); // nothing left to hit
    EXPECT_EQ(s.game.GameScore, 3);
}

TEST(InvadersGame, BlasterShootsEveryDigitLikeTheNewest) {
    ScriptedGame s{{3, 3, 1, 3}};
    s.game.start(1);
    for (int i = 0; i < 4; ++i)
        s.game.tick();
    EXPECT_EQ(s.game.GameRow, "3133");
    EXPECT_TRUE(s.game.shot(3));
    EXPECT_EQ(s.game.GameRow, "1");
    EXPECT_EQ(s.game.GameScore, 1); // one point, however many digits went
}

TEST(InvadersGame, TicksSpeedUpUntilTheRowIsFull) {
    for (const auto& [index, intervals] : {std::pair{0, std::vector<int>{999, 998, 997}},
                                           std::pair{1, std::vector<int>{996, 992}}}) {
        ScriptedGame s;
        s.game.start(index);
        for (const int expected : intervals) {
            s.game.tick();
            EXPECT_EQ(s.game.interval, expected) << index;
        }
    }
    // Down to 10 and 8, never further.
    for (const auto& [index, slowest] : {std::pair{0, 10}, std::pair{1, 8}}) {
        ScriptedGame s;
        s.game.start(index);
        int ticks = 0;
        while (s.game.tick()) {
            s.game.GameRow.clear(); // a good player: the row never fills
            if (++ticks > 2000)
                break;
        }
        EXPECT_EQ(s.game.interval, slowest) << index;
    }

    // 35 digits, then the next tick ends the game; a restart keeps the row.
    ScriptedGame s{{8}};
    s.game.start(0);
    for (int i = 0; i < 35; ++i)
        ASSERT_TRUE(s.game.tick()) << i;
    EXPECT_EQ(s.game.GameRow.size(), 35U);
    EXPECT_EQ(s.game.GameRow.back(), '8'); // digits are 0 to 8
    s.game.shot(0);
    s.game.start(0);
    EXPECT_EQ(s.game.GameRow.size(), 34U);
    EXPECT_EQ(s.game.GameScore, 0);
    EXPECT_TRUE(s.game.tick());
    EXPECT_FALSE(s.game.tick());
    s.game.GameScore = 12;
    s.game.end();
    EXPECT_EQ(s.game.gameOverText(), "Invaded / Score : 12");
    EXPECT_FALSE(s.game.running());
    EXPECT_EQ(s.game.GameRow, "");
}

TEST(InvadersGame, TopTwentyPlacement) {
    Settings tables;
    // An empty table: even 0 takes the first place.
    int slot = placeScore(tables, 0, 0);
    EXPECT_EQ(slot, 0);
    fillPlace(tables, slot, "Ann", 0);
    // The later of equal scores stands above.
    slot = placeScore(tables, 0, 0);
    EXPECT_EQ(slot, 0);
    fillPlace(tables, slot, "Bob", 0);
    EXPECT_EQ(tables.HiScoreNames[0], std::optional<std::string>("Bob"));
    EXPECT_EQ(tables.HiScoreNames[1], std::optional<std::string>("Ann"));

    // Fill Blaster's table 100, 99, ... 81; a score below the 19th place does not enter,
    // even when it beats the 20th.
    Settings full;
    for (int k = 0; k < 20; ++k) {
        full.HiScoreNames[20 + k] = std::string("p").append(std::to_string(k));
        full.HiScores[20 + k] = static_cast<std::int16_t>(100 - k);
    }
    Settings before = full;
    EXPECT_EQ(placeScore(full, 20, 81), InvadersGame::NoPlace);
    EXPECT_EQ(full, before);
    slot = placeScore(full, 20, 82); // equal to the 19th: enters above it
    EXPECT_EQ(slot, 38);
    fillPlace(full, slot, "new", 82);
    EXPECT_EQ(full.HiScores[39], 82);
    EXPECT_EQ(full.HiScoreNames[39], std::optional<std::string>("p18"));
    EXPECT_EQ(full.HiScores[0], 0); // the other table is untouched

    slot = placeScore(full, 20, 40000);
    EXPECT_EQ(slot, 20);
    fillPlace(full, slot, "max", 40000);
    EXPECT_EQ(full.HiScores[20], 32767);
    EXPECT_EQ(full.HiScores[21], 100);
}

} // namespace
} // namespace padrix
