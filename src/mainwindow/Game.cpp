// The invaders game on the total display: started from the Games menu, ticked by GameTimer,
// shot at with the numeric pad and the keypad's digits; the top 20 of each variant stand in
// the panel All_Timers while a game runs.
#include "mainwindow/Game.h"

#include "dialogs/DialogDesign.h"
#include "mainwindow/TapeView.h"
#include "mainwindow/WindowLook.h"
#include "platform/KeyCodes.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace padrix {

namespace {

constexpr int TableBackground = 12632319; // #FFC0C0
constexpr int GameOverPauseMs = 2000;
constexpr int TitleBarButtons = 140; // pixels a title bar keeps for its icon and buttons

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

Game::Game(QWidget* interior, const DesignScale& scale, TapeView& view, Settings& tables,
           InvadersGame game)
    : QObject(interior), m_view(view), m_tables(tables), m_game(std::move(game)) {
    All_Timers = new QWidget(interior);
    scale.place(All_Timers, designOf(GameDesign, "All_Timers"));
    applyColors(All_Timers, designOf(GameDesign, "All_Timers"));
    All_Timers->hide(); // until a game starts

    auto* best = new QLabel(tr("Top 20 Scores"), All_Timers);
    scale.place(best, designOf(GameDesign, "Best"));
    applyColors(best, designOf(GameDesign, "Best"));
    best->setAlignment(Qt::AlignCenter);
    best->setFont(designFont(11.25, true));
    for (int k = 0; k < 20; ++k) {
        for (const char* name : {"HiNames", "ScoreTitle"}) {
            auto* label = new QLabel(All_Timers);
            scale.place(label, placeDesign(name, k));
            applyColors(label, placeDesign(name, k));
            (name[0] == 'H' ? HiNames : ScoreTitle).append(label);
        }
        ScoreTitle[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    GameTimer = new QTimer(this);
    GameTimer->setObjectName(QStringLiteral("GameTimer"));
    GameTimer->setInterval(1000);
    connect(GameTimer, &QTimer::timeout, this, &Game::GameTimer_Timer);
}

void Game::Zorb_Invaders_Go_Click(int Index) {
    if (m_overPause)
        return;          // the last game's end stands for a moment
    m_game.start(Index); // a game running goes on with its row
    m_view.holdTotal(true);
    GameTimer->setInterval(m_game.interval);
    GameTimer->start();
    m_view.focusTotal();
    for (int k = 0; k < 20; ++k) {
        const int entry = m_game.ScoreBase + k;
        HiNames[k]->setText(QString::fromStdString(m_tables.HiScoreNames[entry].value_or("")));
        ScoreTitle[k]->setText(QString::number(m_tables.HiScores[entry]));
    }
    All_Timers->show();
    All_Timers->raise();
}

void Game::GameTimer_Timer() {
    if (!m_game.running()) {
        GameTimer->stop();
        return;
    }
    if (!m_game.tick()) {
        gameOver();
        return;
    }
    GameTimer->setInterval(m_game.interval);
    m_view.showOnTotal(QString::fromStdString(m_game.GameRow));
}

void Game::gameShot(int digit) {
    if (!m_game.running())
        return;
    m_game.shot(digit);
    m_view.showOnTotal(QString::fromStdString(m_game.GameRow));
}

void Game::totalKeyDown(short keyCode) {
    // Only the numeric pad shoots; the digit row of the keyboard does not.
    constexpr short Pad0 = padrix::KeyCode::Pad0;
    if (m_game.running() && keyCode >= Pad0 && keyCode <= Pad0 + 9)
        gameShot(keyCode - Pad0);
}

void Game::gameOver() {
    const int score = m_game.GameScore;
    const int base = m_game.ScoreBase;
    m_game.end();
    GameTimer->stop();
    m_view.showOnTotal(tr("Invaded / Score : %1").arg(score), true);
    // The end stands on the display until the tape's next total.
    m_view.holdTotal(false);
    const int slot = placeScore(m_tables, base, score);
    if (slot != InvadersGame::NoPlace) {
        QInputDialog prompt(All_Timers->window());
        const QString title = tr("You have Scored a Top Position...");
        prompt.setWindowTitle(title);
        prompt.setLabelText(tr("Enter your Name..."));
        // Wide enough for its title beside the title bar's own buttons.
        prompt.setMinimumWidth(prompt.fontMetrics().horizontalAdvance(title) + TitleBarButtons);
        prompt.adjustSize();
        centreOver(&prompt, All_Timers->window());
        const QString name = prompt.exec() == QDialog::Accepted ? prompt.textValue() : QString();
        fillPlace(m_tables, slot, name.toStdString(), score); // Cancel gives an empty name
    }
    All_Timers->hide();
    // The game-over text stands for a moment; the window stays responsive meanwhile, but
    // ignores what would start or play a game.
    m_overPause = true;
    QTimer::singleShot(GameOverPauseMs, this, [this] { m_overPause = false; });
}

} // namespace padrix
