// The invaders game on the total display: started from the Games menu, ticked by GameTimer,
// shot at with the numeric pad and the keypad's digits; the top 20 of each variant stand in
// the panel All_Timers while a game runs.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "mainwindow/ControlDesign.h"
#include "platform/KeyCodes.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace padrix {

namespace {

constexpr int TableBackground = 12632319; // #FFC0C0
constexpr int GameOverPauseMs = 2000;

const ControlDesign GameDesign[] = {
    {"All_Timers", -1, 45, 1080, 3975, 5865, Color::Memory},
    {"Best", -1, 45, 45, 3885, 285, TableBackground, Color::Red},
};

ControlDesign placeDesign(const char* name, int k) {
    const bool score = name[0] == 'S'; // ScoreTitle: the scores beside the names
    return {
        name,        k, score ? 2925 : 45, 405 + 270 * k, score ? 1005 : 2800, 285, TableBackground,
        Color::Black};
}

} // namespace

void Diruvuv_Orozezadi::createGame() {
    All_Timers = new QWidget(interior);
    place(All_Timers, designOf(GameDesign, "All_Timers"));
    applyColors(All_Timers, designOf(GameDesign, "All_Timers"));
    All_Timers->hide(); // until a game starts

    auto* best = new QLabel(QStringLiteral("Top 20 Scores"), All_Timers);
    place(best, designOf(GameDesign, "Best"));
    applyColors(best, designOf(GameDesign, "Best"));
    best->setAlignment(Qt::AlignCenter);
    best->setFont(designFont(11.25, true));
    for (int k = 0; k < 20; ++k) {
        for (const char* name : {"HiNames", "ScoreTitle"}) {
            auto* label = new QLabel(All_Timers);
            place(label, placeDesign(name, k));
            applyColors(label, placeDesign(name, k));
            (name[0] == 'H' ? HiNames : ScoreTitle).append(label);
        }
        ScoreTitle[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    GameTimer = new QTimer(this);
    GameTimer->setObjectName(QStringLiteral("GameTimer"));
    GameTimer->setInterval(1000);
}

void Diruvuv_Orozezadi::Zorb_Invaders_Go_Click(int Index) {
    if (m.GameOverPause)
        return;          // the last game's end stands for a moment
    m.game.start(Index); // a game running goes on with its row
    TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    GameTimer->setInterval(m.game.interval);
    GameTimer->start();
    TotalAmount->setFocus();
    for (int k = 0; k < 20; ++k) {
        const int entry = m.game.ScoreBase + k;
        HiNames[k]->setText(QString::fromStdString(m.settings.HiScoreNames[entry].value_or("")));
        ScoreTitle[k]->setText(QString::number(m.settings.HiScores[entry]));
    }
    All_Timers->show();
    All_Timers->raise();
}

void Diruvuv_Orozezadi::GameTimer_Timer() {
    if (!m.game.running()) {
        GameTimer->stop();
        return;
    }
    if (!m.game.tick()) {
        gameOver();
        return;
    }
    GameTimer->setInterval(m.game.interval);
    TotalAmount->setText(QString::fromStdString(m.game.GameRow));
}

void Diruvuv_Orozezadi::gameShot(int digit) {
    if (!m.game.running())
        return;
    m.game.shot(digit);
    TotalAmount->setText(QString::fromStdString(m.game.GameRow));
}

void Diruvuv_Orozezadi::TotalAmount_KeyDown(short& KeyCode, short& /*Shift*/) {
    // Only the numeric pad shoots; the digit row of the keyboard does not.
    constexpr short Pad0 = padrix::KeyCode::Pad0;
    if (m.game.running() && KeyCode >= Pad0 && KeyCode <= Pad0 + 9)
        gameShot(KeyCode - Pad0);
}

void Diruvuv_Orozezadi::gameOver() {
    const int score = m.game.GameScore;
    const int base = m.game.ScoreBase;
    m.game.end();
    GameTimer->stop();
    TotalAmount->setAlignment(Qt::AlignCenter);
    TotalAmount->setText(QString::fromStdString(m.game.gameOverText()));
    const int slot = placeScore(m.settings, base, score);
    if (slot != InvadersGame::NoPlace) {
        const QString name = QInputDialog::getText(
            this, QStringLiteral("You have Scored a Top Position..."),
            QStringLiteral("Enter your Name..."), QLineEdit::Normal, QString());
        fillPlace(m.settings, slot, name.toStdString(), score); // Cancel gives an empty name
    }
    All_Timers->hide();
    // The game-over text stands for a moment; the window stays responsive meanwhile, but
    // ignores what would start or play a game.
    m.GameOverPause = true;
    QTimer::singleShot(GameOverPauseMs, this, [this] { m.GameOverPause = false; });
}

} // namespace padrix
