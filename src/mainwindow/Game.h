#pragma once

// moc reads headers as C++17 and stumbles over the C++20 library headers these include.
#ifndef Q_MOC_RUN
#include "core/SettingsFile.h"
#include "game/InvadersGame.h"
#endif
#include "mainwindow/ControlDesign.h"

#include <QObject>
#include <QVector>

class QLabel;
class QTimer;
class QWidget;

namespace padrix {

class TapeView;

/// The invaders game on the total display: started from the Games menu, ticked by GameTimer,
/// shot at with the numeric pad and the keypad's digits; the top 20 of each variant stand in
/// the panel All_Timers while a game runs. The tables live in the window's settings.
class Game : public QObject {
    Q_OBJECT

public:
    Game(QWidget* interior, const DesignScale& scale, TapeView& view, Settings& tables,
         InvadersGame game);

    /// Starts variant `Index` (0 Invaders, 1 Blaster).
    void Zorb_Invaders_Go_Click(int Index);
    /// One tick of the game (GameTimer's, or a test's).
    void GameTimer_Timer();
    /// A shot at the invaders with a digit, from the keypad or the numeric pad.
    void gameShot(int digit);
    /// A key pressed on the total box: the numeric pad's digits shoot.
    void totalKeyDown(short keyCode);
    /// True while a game runs or its end stands on the display: the digits are the game's.
    bool holdsKeys() const { return m_game.running() || m_overPause; }
    const InvadersGame& state() const { return m_game; }

    QWidget* All_Timers = nullptr;
    QTimer* GameTimer = nullptr;

private:
    /// The row is full: the end, the place in the table, the name.
    void gameOver();

    TapeView& m_view;
    Settings& m_tables;
    InvadersGame m_game;
    bool m_overPause = false;    // the moment after a game when its end stands on the display
    QVector<QLabel*> HiNames;    // the table's names, place 1 to 20
    QVector<QLabel*> ScoreTitle; // and their scores
};

} // namespace padrix
