#pragma once

// moc reads headers as C++17 and stumbles over the C++20 library headers these include.
#ifndef Q_MOC_RUN
#include "core/Recalculation.h"
#include "mainwindow/WindowContext.h"
#include "mainwindow/WindowState.h"
#endif

#include <QMainWindow>
#include <QPointer>
#include <QVector>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPrinter;
class QTimer;
class QUndoStack;

namespace padrix {

class EFbutton;
class LoadSave;
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
    /// The memory the undo history holds, in bytes.
    std::size_t undoHistoryBytes() const;

    /// Steps the undo history keeps at most.
    static constexpr int MaxUndoSteps = 100;

public slots:
    /// One tick of the game (GameTimer's, or a test's).
    void GameTimer_Timer();

protected:
    // EventRouting.cpp: Qt's events and signals to the handlers.
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void routeEvents();
    bool routeRowEvent(int Index, QEvent* event);
    bool routeTotalEvent(QEvent* event);
    void routeMenuItem(const struct ControlName& item);
    void routeClick(const struct ControlName& button);

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
    void CalAmount_LostFocus(int Index);
    void CalAmount_KeyDown(int Index, short& KeyCode, short& Shift);
    void CalAmount_KeyPress(int Index, short& KeyAscii);
    void CalAmount_KeyUp(int Index, short& KeyCode, short& Shift);
    void TotalAmount_GotFocus();
    void TotalAmount_KeyPress(short& KeyAscii);
    void fmNo();
    void growthStep(char op);
    void storeRow(int row);
    /// Stores a row's text as the number it reads as, without group separators: a text beyond
    /// the decimal range stays text (the total then says "Overflow"), a text that is no number
    /// leaves the line as it was.
    void storeNumber(int line, const QString& text);
    /// The tape line that row `row` shows.
    int lineOf(int row) const;
    /// Gives a line its operator. A row below the end of a short tape already shows "+":
    /// that "+" adds no line, any other operator makes the tape reach that far.
    void setLineOperator(int line, char op);

    // Keypad.cpp: the keypad (CalC_Button) and the Pi key.
    void createKeypad();
    void CalC_Button_Click(int Index);
    void PieValue_Click();
    void keypadDigit(int Index);
    void keypadOperator(char op);
    void keypadPercent();
    void keypadSign();
    void keypadDelete();
    void keypadClear();
    /// The figures and decimal separators of a text, in their order.
    QString digitFilter(const QString& text) const;
    /// Gives the current row the focus with its caret at `position`.
    void focusCurrentRow(int position);

    // FunctionButtons.cpp: the function buttons (Stific) and the operator labels (Op).
    void createFunctionButtons();
    /// Shows the function buttons' definitions (captions and tool tips) on the buttons.
    void showFunctionButtons();
    void Stific_Click(int Index);
    void Op_Click(int Index);
    /// Opens the editor of the function buttons, or brings the open one to the front.
    void openFunctionEditor();
    /// The editor's "Use": its definitions become the buttons'.
    void useFunctionButtons(const FunctionButtons& definitions);

    // Memory.cpp: the memory keys (MemoryRc) and their display M_Buff.
    void createMemory();
    void MemoryRc_Click(int Index);
    void MemoryRc_LostFocus(int Index);
    /// A value as the memory shows it: the text form with "Variable" decimals, else the
    /// display format.
    QString memoryText(const Value& value) const;

    // Menus.cpp: the menu bar, the Decimals and Total choices.
    void createMenus();
    void dp1_Click(int Index);
    void CalcFuntions_Click(int Index);

    // Clipboard.cpp: the number column to and from the clipboard.
    void C_m_Click();
    void P_m_Click();

    // Sort.cpp: sorting the tape's values.
    void SortNm_Click();

    // Printing.cpp: the tape on paper or in a PDF file.
    void PrintCalc_Click();
    /// Lets the user choose where the printout goes; false when the user cancels.
    bool choosePrinter(QPrinter& printer);
    /// Prints the tape and the total, page after page.
    void printTape(QPrinter& printer);

    // CalculationFiles.cpp: loading and saving calculation files.
    /// Index 0 opens, 1 saves a file chosen in the dialog; 5 opens CalcFilePath without it.
    void LD_Click(int Index);
    /// Replaces the tape by the calculation file's; a file that cannot be read says so and
    /// leaves the tape as it was.
    void loadCalculation(const QString& path);

    // Undo.cpp: undo and redo of every change of the tape.
    friend class TapeStepCommand;
    /// One user action: the changes to the tape from its start to its end are one step.
    struct TapeStepScope {
        TapeStepScope(Diruvuv_Orozezadi& window, bool typing) : w(window), typing(typing) {
            w.beginTapeStep();
        }
        ~TapeStepScope() { w.endTapeStep(typing); }
        TapeStepScope(const TapeStepScope&) = delete;
        TapeStepScope& operator=(const TapeStepScope&) = delete;
        Diruvuv_Orozezadi& w;
        bool typing; // typing into one row: its steps merge while the row is edited
    };
    void createUndo();
    /// From here on the tape's changes are recorded (after the start-up's own).
    void startRecordingTape();
    void beginTapeStep();
    void endTapeStep(bool typing);
    /// Makes the changes recorded since the last step one step of the history.
    void commitTapeStep(bool typing);
    /// Typing from here on is a step of its own (the focus moved to a row).
    void newEditSession() { ++editSession; }
    /// Drops the oldest steps until the history fits the undo budget.
    void keepUndoBudget();
    /// Takes `changes` back (they become the changes to make again), scrolls to `scroll` and
    /// shows the total.
    void applyTapeStep(TapeChanges& changes, int scroll);
    void UndoStep_Click();
    void RedoStep_Click();
    void updateUndoActions();

    // Game.cpp: the invaders game on the total display.
    void createGame();
    void Zorb_Invaders_Go_Click(int Index);
    void TotalAmount_KeyDown(short& KeyCode, short& Shift);
    /// A shot at the invaders with a digit, from the keypad or the numeric pad.
    void gameShot(int digit);
    /// The row is full: the end, the place in the table, the name.
    void gameOver();

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
    QVector<QAction*> dp1;             // the Decimals items, by their choice (0..6, 25)
    QVector<QAction*> CalcFuntions;    // the Total items, by their mode
    QVector<QAction*> LD;              // Open and Save Calculation
    LoadSave* loadSave = nullptr;      // made at its first use
    QPointer<EFbutton> functionEditor; // while the editor is open
    QVector<LumoButton*> CalC_Button;
    LumoButton* PieValue = nullptr;
    QVector<LumoButton*> Stific;
    QVector<LumoButton*> MemoryRc;
    QVector<QLabel*> HiNames;    // the table's names, place 1 to 20
    QVector<QLabel*> ScoreTitle; // and their scores
    QAction* UndoStep = nullptr;
    QAction* RedoStep = nullptr;

    QUndoStack* undoStack = nullptr;
#ifndef Q_MOC_RUN
    TapeChanges pendingChanges; // recorded since the last step
    RunningTotal runningTotal;  // MailCalc's walk, kept between calls
#endif
    int stepDepth = 0;        // user actions in progress, nested
    int scrollBeforeStep = 0; // the scroll position when the outermost action began
    int editSession = 0;      // counts the moves between rows and other steps
};

} // namespace padrix
