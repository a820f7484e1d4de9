#pragma once

// moc reads headers as C++17 and stumbles over the C++20 library headers these include.
#ifndef Q_MOC_RUN
#include "mainwindow/WindowContext.h"
#include "mainwindow/WindowState.h"
#endif

#include <QMainWindow>
#include <QVector>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QTimer;

namespace padrix {

class LumoButton;
class VantoVerticalScroll;

/// The main window: the tape column of rows (CalAmount text boxes with their Op operator
/// labels), the scroll bar ScrollNum, the grand total TotalAmount, the memory display and the
/// menus. EventRouting.cpp turns widget events into the handlers below; each group of
/// handlers lives in the file named beside it.
class Diruvuv_Orozezadi : public QMainWindow {
    Q_OBJECT

public:
    explicit Diruvuv_Orozezadi(const WindowContext& context, QWidget* parent = nullptr);
    ~Diruvuv_Orozezadi() override;

    /// The handlers' shared state, to read.
    const WindowState& state() const { return m; }

protected:
    // EventRouting.cpp: Qt's events and signals to the handlers.
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void routeEvents();
    bool routeRowEvent(int Index, QEvent* event);
    bool routeTotalEvent(QEvent* event);
    void routeMenuItem(const struct ControlName& item);

    // StartupAndSettings.cpp: start-up, the settings file, Clear All and shutdown.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void Clear_Total_Click();
    void createRows();
    void restoreSettings();

    // LayoutAndTapeView.cpp: the layout, the rows refilled from the tape, the total.
    void createTapeView();
    void Form_Resize();
    /// Shows as many rows as fit, spans the scroll bar over them and returns to the first line.
    void showVisibleRows();
    void ScrollNum_Change();
    void ScrollNum_KeyDown(short& KeyCode, short& Shift);
    void MailCalc();
    void setRowText(int row, const QString& text);
    void setRowTextColor(int row, int bgrColor);
    void setRowBackground(int row, int bgrColor);
    void setOperatorCaption(int row, const QString& caption);

    // LineEntry.cpp: typing into the rows, the tape's growth, the total box.
    void CalAmount_GotFocus(int Index);
    void CalAmount_MouseDown(int Index);
    void CalAmount_KeyDown(int Index, short& KeyCode, short& Shift);
    void CalAmount_KeyPress(int Index, short& KeyAscii);
    void CalAmount_KeyUp(int Index, short& KeyCode, short& Shift);
    void TotalAmount_GotFocus();
    void TotalAmount_KeyPress(short& KeyAscii);
    void fmNo();
    void growthStep(char op);
    void storeRow(int row);
    /// The tape line that row `row` shows.
    int lineOf(int row) const;

    // Keypad.cpp: the keypad (CalC_Button) and the Pi key.
    void createKeypad();

    // FunctionButtons.cpp: the function buttons (Stific) and the operator labels.
    void createFunctionButtons();

    // Memory.cpp: the memory keys (MemoryRc) and their display M_Buff.
    void createMemory();

    // Menus.cpp: the menu bar, the Decimals and Total choices.
    void createMenus();
    void dp1_Click(int Index);
    void CalcFuntions_Click(int Index);

    // CalculationFiles.cpp: loading and saving calculation files.
    /// Index 5 loads CalcFilePath without a dialog; a file that fails shows one message and
    /// leaves an empty tape.
    void LD_Click(int Index);

    // Game.cpp: the game's timer and high-score panel.
    void createGame();

    /// Pixels for a length in twips, at the screen's resolution.
    int pixels(double twips) const;
    /// Twips for a length in pixels.
    int twips(int pixels) const;
    /// Gives `widget` its design name, position and size.
    void place(QWidget* widget, const struct ControlDesign& design) const;

    WindowState m;
    WindowContext m_context;

    // Controls, by their design names.
    QWidget* interior = nullptr;
    QFrame* Dzx = nullptr;
    QLabel* Op11 = nullptr;
    QLineEdit* TotalAmount = nullptr;
    QVector<QLineEdit*> CalAmount;
    QVector<LumoButton*> Op;
    VantoVerticalScroll* ScrollNum = nullptr;
    QFrame* MemBorder = nullptr;
    QLabel* M_Buff = nullptr;
    QWidget* All_Timers = nullptr;
    QTimer* GameTimer = nullptr;
    QVector<QAction*> dp1;          // the Decimals items, by their choice (0..6, 25)
    QVector<QAction*> CalcFuntions; // the Total items, by their mode
    QAction* Clear_Total = nullptr;
};

} // namespace padrix
