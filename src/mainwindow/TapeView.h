#pragma once

#include "mainwindow/ControlDesign.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

class QEvent;
class QFrame;
class QLabel;
class QLineEdit;

namespace padrix {

class LumoButton;
class TapeSession;
class VantoVerticalScroll;

/// The tape's column on the screen: the rows CalAmount with their operator labels Op, the
/// scroll bar ScrollNum and the grand total TotalAmount in its frame. Each row shows the tape
/// line at the scroll position plus its index, as the session holds it; the view redraws what
/// the session announces. It also keeps which row the user works in, and where its caret was.
class TapeView : public QObject {
    Q_OBJECT

public:
    /// Events of a row (its index) or of the total box (-1), for the line entry to handle;
    /// true when the event is taken.
    using EventHandler = std::function<bool(int row, QEvent* event)>;

    TapeView(QWidget* interior, TapeSession& session, const DesignScale& scale);

    /// Rows to fill the larger side of a screen of `screenPixels`; the layout shows as many as
    /// fit.
    void createRows(int screenPixels);
    /// The rows' and the total's events go to `handler`.
    void setEventHandler(EventHandler handler) { m_handler = std::move(handler); }
    /// Follows the interior's width and height: the total's width, the visible rows, the
    /// scroll bar over them; the view returns to the first line.
    void layOut(int interiorWidth, int interiorHeight);
    void raiseAboveRows();
    /// Redraws the scroll bar, as every activation of the window does.
    void refreshScroll();

    // What the view shows.
    int LineCount() const { return m_lineCount; }
    int LastVisibleLine() const { return m_lastVisibleLine; }
    /// The tape line that row `row` shows.
    int lineOf(int row) const;
    /// The first line shown, the scroll position.
    int position() const;
    /// Shows the tape from line `first` on, within the scroll range.
    void showFrom(int first);
    /// The scroll range follows the tape's length.
    void updateRange();
    /// The scroll bar goes one line further on, or back.
    void scrollBy(int lines);
    int ValueMax() const;
    /// The growth step: the range grows by one line, shown at once.
    void growByOne();
    /// Every visible row again from the session.
    void ScrollNum_Change();
    /// Clear All's part of the view: every row empty with "+", the first line shown.
    void clearRows();

    // The row the user works in.
    QLineEdit* row(int row) const { return CalAmount[row]; }
    /// The text being typed in a row: what the user edits, not yet the line's value.
    QString draft(int row) const;
    /// The figures and decimal separators of a row's text, in their order: what is left of a
    /// function line when its function goes.
    QString digitsOf(const QString& text) const;
    void setDraft(int row, const QString& text);
    int CurrentRow = 0;        // the row that last had the focus
    int CaretPos = 0;          // caret position in the current row's box
    int SelLength = 0;         // characters selected from CaretPos when the row lost the focus
    bool TotalFocused = false; // TotalAmount had the focus after the rows
    /// Gives the current row the focus with its caret at `position`.
    void focusCurrentRow(int position);
    void focusRow(int row);
    /// The colours of a row: black, dark red for a negative number, red while a row starting
    /// with "(" is typed.
    void colorRowFromLine(int row);
    void setRowTextColor(int row, int bgrColor);
    void highlightRow(int row, int bgrColor);
    /// Shows `op` on row `row`'s label before the line has it (typing an operator).
    void showOperator(int row, char op);

    // The grand total.
    /// While the game holds the total box (its text at the right), the session's totals wait;
    /// once it lets go, the next total shows.
    void holdTotal(bool held);
    void showTotal();
    /// A text of the game's on the total box, at the right or centred.
    void showOnTotal(const QString& text, bool centred = false);
    void focusTotal();
    /// The total box's background: the memory's colour after M+ took the total, else white.
    void highlightTotal(int bgrColor);

private:
    void createControls();
    void setOperatorCaption(int row, char op);
    /// What a screen reader says of the operator label of a line (counted from 0).
    QString operatorLabelName(int line, char op) const;
    bool rowEvent(int row, QEvent* event);

    TapeSession& m_session;
    const DesignScale& m_scale;
    QWidget* m_interior;
    EventHandler m_handler;
    int m_lineCount = 0;       // highest index of the created rows
    int m_lastVisibleLine = 0; // highest index of the visible rows
    bool m_totalHeld = false;
    // What a screen reader hears of the rows, translated once: the rows are named on every
    // redraw.
    QString m_rowName;           // "Line %1"
    QString m_operatorName;      // "Operator of line %1: %2; press to change"
    QStringList m_operatorWords; // for + - x / ^, then any other

    QFrame* Dzx = nullptr;
    QLabel* Op11 = nullptr;
    QLineEdit* TotalAmount = nullptr;
    QVector<QLineEdit*> CalAmount;
    QVector<LumoButton*> Op;
    VantoVerticalScroll* ScrollNum = nullptr;
};

} // namespace padrix
