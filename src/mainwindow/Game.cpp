// The game on the total display: its timer and the high-score panel.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "mainwindow/ControlDesign.h"

#include <QTimer>

namespace padrix {

namespace {

const ControlDesign GameDesign[] = {
    {"All_Timers", -1, 45, 1080, 3975, 5865, Color::Memory},
};

} // namespace

void Diruvuv_Orozezadi::createGame() {
    All_Timers = new QWidget(interior);
    place(All_Timers, designOf(GameDesign, "All_Timers"));
    applyColors(All_Timers, designOf(GameDesign, "All_Timers"));
    All_Timers->hide(); // until a game starts

    GameTimer = new QTimer(this);
    GameTimer->setObjectName(QStringLiteral("GameTimer"));
    GameTimer->setInterval(1000);
}

void Diruvuv_Orozezadi::gameShot(int /*digit*/) {
    // The game takes its shots here once it exists.
}

} // namespace padrix
