#pragma once

#include "core/SettingsFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace padrix {

/// The reaction game played on the total display: a row of digits grows at its left end on
/// every tick, and a key with the row's leftmost digit shoots it away. "Zorb Invaders"
/// removes that one digit, "Zorb Blaster" every digit like it; the ticks get faster, and at
/// 35 digits the calculator is invaded. A model only: ticks, shots and the digits dealt come
/// from outside.
class InvadersGame {
public:
    /// Deals the next digit, 0 to 8.
    using DigitSource = std::function<int()>;

    static constexpr int InvadedLength = 35;
    static constexpr int NoPlace = 40; // the placement's answer for a score that does not enter

    explicit InvadersGame(DigitSource deal);

    /// Starts variant 0 (Invaders) or 1 (Blaster); a game running goes on with its row.
    void start(int index);
    /// One tick: faster, and a digit more; false when the row was full, which ends the game.
    bool tick();
    /// A shot with a digit; true when it hit.
    bool shot(int digit);
    /// Ends the game: no row, no game; the score stays to be shown and placed.
    void end();

    bool running() const { return GameMode != 0; }
    /// "Invaded / Score : " and the score.
    std::string gameOverText() const;

    int GameMode = 0;    // 0 no game, 1 Invaders, 4 Blaster; also the tick's speed-up in ms
    int GameScore = 0;   // shots that hit in this game
    std::string GameRow; // the invaders, digits "0".."8", the newest at the left
    int ScoreBase = 0;   // the variant's first entry in the score tables: 0 or 20
    int interval = 1000; // ms between ticks

private:
    DigitSource m_deal;
};

/// Finds the place of `score` in the variant's top 20 starting at `scoreBase`, moving the
/// entries below it down by one (a later equal score goes above an earlier one); a score
/// below the 19th place does not enter. Returns the entry to fill, or NoPlace.
int placeScore(Settings& tables, int scoreBase, int score);

/// Writes a placed score with its name; scores beyond 16 bits are kept as 32767.
void fillPlace(Settings& tables, int slot, const std::string& name, int score);

} // namespace padrix
