#pragma once

#include "core/FunctionButtons.h"
#include "core/SettingsFile.h"
#include "core/Tape.h"
#include "mainwindow/WindowContext.h"

#include <QMainWindow>
#include <QVector>

class QFrame;
class QLabel;
class QLineEdit;
class QTimer;

namespace padrix {

class LumoButton;
class VantoVerticalScroll;

/// The main window: the tape column of rows (CalAmount text boxes with their Op operator
/// buttons), the scroll bar ScrollNum, the grand total TotalAmount, and the state that the
/// handlers share. The handlers live in files by concern: start-up and settings, layout and
/// tape view, line entry.
class Diruvuv_Orozezadi : public QMainWindow {
    Q_OBJECT

public:
    explicit Diruvuv_Orozezadi(const WindowContext& context, QWidget* parent = nullptr);
    ~Diruvuv_Orozezadi() override;

    // Start-up, settings and shutdown.
    void Clear_Total_Click();
    void Form_Activate();
    void Form_Unload();
    /// Loads the calculation file CalcFilePath without a dialog (index 5 of the file
    /// commands); a file that fails shows one message and leaves an empty tape.
    void LD_Click(int Index);

    // Layout and tape view.
    void Form_Resize();
    void ScrollNum_Change();
    void ScrollNum_KeyDown(short& KeyCode, short& Shift);

    // Line entry.
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

    /// Recalculates the tape into TotalAmount.
    void MailCalc();

    // State shared by the handlers.
    Tape tape;                                            // TapeValues and TapeOperators
    std::vector<Value> SortedValues;                      // working copy of the statistics
    FunctionButtons functions = defaultFunctionButtons(); // the 23 function buttons
    Settings settings;                                    // high-score tables as read at start-up
    int LineCount = 0;                                    // highest index of the created rows
    int LastVisibleLine = 0;                              // highest index of the visible rows
    int DecimalsChoice = 25;                              // 0..6 places, 25 "Variable"
    int TotalMode = 0;                                    // 0 numbers, 1 average, 2 mean, 3 mode
    QString GroupSeparator;                               // the locale's digit-group separator
    QString DecimalSeparator;                             // the locale's decimal separator
    bool Activated = false;                               // set by the first activation
    int SavedLeft = 0;         // twips; nonzero while in full-height column mode
    int CurrentRow = 0;        // the row that last had the focus
    int CaretPos = 0;          // caret position in the current row's box
    bool TotalFocused = false; // TotalAmount had the focus after the rows
    QString CalcFilePath;      // the calculation file to load

    // Controls, by their names.
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

    /// Pixels for a length in twips, at the screen's resolution.
    int pixels(double twips) const;
    /// Twips for a length in pixels.
    int twips(int pixels) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Start-up.
    void createControls();
    void createRows();
    void restoreSettings();
    void applyNumberLocale();

    // Tape view helpers.
    void padTapeToVisibleRows();
    void setRowText(int row, const QString& text);
    void setRowTextColor(int row, int bgrColor);
    void setRowBackground(int row, int bgrColor);
    void setOperatorCaption(int row, const QString& caption);
    int rowIndexOf(QObject* object) const;
    Value& lineValue(int row);

    WindowContext m_context;
    bool m_inResize = false; // the layout runs once at a time
};

} // namespace padrix
