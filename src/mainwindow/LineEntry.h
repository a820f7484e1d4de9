#pragma once

#include <QObject>

#include <functional>

class QEvent;

namespace padrix {

class TapeSession;
class TapeView;

/// Typing into the rows: the key filter, operators from the keyboard, moving between rows, the
/// tape's growth at the last row, storing a row's text into its line, and the total box that
/// takes no typing. It holds no widgets: it handles the events of the tape view's rows.
class LineEntry : public QObject {
    Q_OBJECT

public:
    LineEntry(TapeView& view, TapeSession& session, QObject* parent = nullptr);

    /// A key pressed while the total box has the focus goes here first (the game's shots);
    /// true when it was taken.
    void setTotalKeyHandler(std::function<bool(short keyCode)> handler) {
        m_totalKey = std::move(handler);
    }

    /// The move to the next row after an operator key of the keypad: the row is shown in the
    /// display format, the next line gets `op`, and the last row scrolls or grows the tape.
    void operatorKey(char op);
    /// The row's text shown in the display format once the row is left (empty for a zero).
    void fmNo();

private:
    bool event(int row, QEvent* event);
    bool rowEvent(int Index, QEvent* event);
    bool totalEvent(QEvent* event);
    void CalAmount_GotFocus(int Index);
    void CalAmount_LostFocus(int Index);
    void CalAmount_KeyDown(int Index, short& KeyCode);
    void CalAmount_KeyPress(int Index, short& KeyAscii);
    void CalAmount_KeyUp(int Index, short KeyCode);
    /// The last row moves on: the tape scrolls by one line or, at its end, grows by one line
    /// with the operator `op`. An operator key (`operatorKey`) also gives `op` to a line that
    /// scrolls into view; Enter leaves that line's operator as it is.
    void moveOnFromLastRow(char op, bool operatorKey);
    void growthStep(char op);

    TapeView& m_view;
    TapeSession& m_session;
    std::function<bool(short)> m_totalKey;
};

} // namespace padrix
