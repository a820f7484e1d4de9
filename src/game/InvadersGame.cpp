#include "game/InvadersGame.h"

#include <algorithm>
#include <limits>

namespace padrix {

InvadersGame::InvadersGame(DigitSource deal) : m_deal(std::move(deal)) {}

void InvadersGame::start(int index) {
    GameMode = 3 * index + 1;
    interval = 1000;
    GameScore = 0;
    ScoreBase = index == 1 ? 20 : 0;
}

bool InvadersGame::tick() {
    if (interval >= 11)
        interval -= GameMode; // Invaders 1000, 999, ... 10; Blaster 1000, 996, ... 12, 8
    if (GameRow.size() >= InvadedLength)
        return false;
    const int digit = std::clamp(m_deal(), 0, 8);
    GameRow.insert(GameRow.begin(), static_cast<char>('0' + digit));
    return true;
}

bool InvadersGame::shot(int digit) {
    const int leftmost = GameRow.empty() ? 0 : GameRow.front() - '0';
    if (digit != leftmost || GameRow.empty())
        return false;
    const char hit = GameRow.front(); // a copy: erasing changes the front
    if (GameMode == 1)
        GameRow.erase(GameRow.begin());
    else
        std::erase(GameRow, hit);
    ++GameScore;
    return true;
}

void InvadersGame::end() {
    GameRow.clear();
    GameMode = 0;
}

std::string InvadersGame::gameOverText() const {
    return "Invaded / Score : " + std::to_string(GameScore);
}

int placeScore(Settings& tables, int scoreBase, int score) {
    int slot = InvadersGame::NoPlace;
    for (int i = scoreBase + 19; i >= scoreBase + 1; --i) {
        if (score < tables.HiScores[i - 1])
            break;
        tables.HiScoreNames[i] = tables.HiScoreNames[i - 1];
        tables.HiScores[i] = tables.HiScores[i - 1];
        slot = i - 1;
    }
    return slot;
}

void fillPlace(Settings& tables, int slot, const std::string& name, int score) {
    if (slot < 0 || slot >= InvadersGame::NoPlace)
        return;
    tables.HiScoreNames[slot] = name;
    tables.HiScores[slot] = static_cast<std::int16_t>(
        std::clamp(score, 0, static_cast<int>(std::numeric_limits<std::int16_t>::max())));
}

} // namespace padrix
