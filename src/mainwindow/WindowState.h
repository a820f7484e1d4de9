#pragma once

#include "core/SettingsFile.h"
#include "core/Tape.h"
#include "game/InvadersGame.h"
#include "mainwindow/WindowLook.h"

#include <QString>

#include <vector>

namespace padrix {

/// What the main window's handlers share, under the names the handlers use.
struct WindowState {
    Tape tape;                             // TapeValues and TapeOperators
    std::vector<Value> SortedValues;       // the working copy of the Mean and Mode statistics
    Settings settings;                     // function buttons and high scores: the one definition
    int LineCount = 0;                     // highest index of the created rows
    int LastVisibleLine = 0;               // highest index of the visible rows
    int DecimalsChoice = VariableDecimals; // 0..6 places, or VariableDecimals
    int TotalMode = TotalNumbers;          // one of TotalModes
    QString GroupSeparator;                // the locale's digit-group separator
    QString DecimalSeparator;              // the locale's decimal separator
    bool Activated = false;                // set by the first activation
    int SavedLeft = 0;                     // twips; nonzero while in full-height column mode
    int CurrentRow = 0;                    // the row that last had the focus
    int CaretPos = 0;                      // caret position in the current row's box
    bool TotalFocused = false;             // TotalAmount had the focus after the rows
    int SelLength = 0;    // characters selected from CaretPos when the current row lost the focus
    QString CalcFilePath; // the calculation file to load or save
    Value MemoryValue;    // the memory register: empty, a number or a text
    InvadersGame game{
        nullptr}; // GameMode, GameScore, GameRow, ScoreBase; dealt digits set at start
    bool GameOverPause = false; // the moment after a game when its end stands on the display
    bool inResize = false;      // the layout runs once at a time
};

} // namespace padrix
