// Typing into the rows: the key filter, operators from the keyboard, moving between rows, the
// growth of the tape, storing a row and the total box that takes no typing.
#include "mainwindow/LineEntry.h"

#include "mainwindow/TapeView.h"
#include "mainwindow/UserAction.h"
#include "mainwindow/WindowLook.h"
#include "platform/KeyCodes.h"
#include "session/TapeSession.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace padrix {

namespace {

/// How a typed key ends: what the tail after the character table does.
enum class KeyKind { Other, Enter, Operator };

bool isUndoKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           key.keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
           key.keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
}

/// The numeric pad's decimal key, whatever character the keyboard gives it.
bool isPadDecimal(const QKeyEvent& key) {
    return key.modifiers().testFlag(Qt::KeypadModifier) &&
           (key.key() == Qt::Key_Period || key.key() == Qt::Key_Comma);
}

/// A text that reads as zero, or a value that is zero: its row shows empty after an operator.
bool readsAsZero(const Value& v) {
    if (v.isText())
        return leadingNumber(v.textValue()) == 0.0;
    if (v.isDecimal())
        return v.decimal().isZero();
    if (v.isDouble())
        return v.number() == 0.0;
    return true;
}

} // namespace

LineEntry::LineEntry(TapeView& view, TapeSession& session, QObject* parent)
    : QObject(parent), m_view(view), m_session(session) {
    m_view.setEventHandler([this](int row, QEvent* e) { return event(row, e); });
}

bool LineEntry::event(int row, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The rows' own undo would take Ctrl+Z; the tape's undo has it in the whole window.
        return isUndoKey(*static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        break;
    default:
        return false;
    }
    const UserAction action(m_session, m_view, row >= 0);
    return row < 0 ? totalEvent(event) : rowEvent(row, event);
}

bool LineEntry::totalEvent(QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        m_view.TotalFocused = true;
    } else if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (m_totalKey)
            m_totalKey(KeyArgs(key).KeyCode);
        return keyAsciiOf(key) != 0; // the total cannot be typed into
    }
    return false;
}

bool LineEntry::rowEvent(int Index, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        m_session.newEditSession();
        CalAmount_GotFocus(Index);
        break;
    case QEvent::FocusOut:
        CalAmount_LostFocus(Index);
        break;
    case QEvent::MouseButtonPress:
        m_view.CaretPos = m_view.row(Index)->cursorPosition();
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false; // moves the focus, as everywhere
        KeyArgs a(*key);
        const short pressed = a.KeyCode;
        CalAmount_KeyDown(Index, a.KeyCode);
        if (pressed != 0 && a.KeyCode == 0)
            return true; // handled: the box never sees it
        if (isPadDecimal(*key)) {
            // The numeric pad's decimal key is the decimal point in every locale.
            const QString point = QString::fromStdString(m_session.locale().decimalSeparator);
            if (!m_view.draft(Index).contains(point))
                m_view.row(Index)->insert(point);
            return true;
        }
        short ascii = keyAsciiOf(*key);
        if (ascii == 0)
            return false; // an editing key (Delete, Home, ...) goes to the box
        CalAmount_KeyPress(Index, ascii);
        return ascii == 0;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() || isUndoKey(*key))
            return false; // the press was the window's undo or redo, not the row's
        // Qt hands the release to the row that has the focus by now, as it should.
        CalAmount_KeyUp(Index, KeyArgs(*key).KeyCode);
        break;
    }
    default:
        break;
    }
    return false;
}

void LineEntry::CalAmount_GotFocus(int Index) {
    m_view.TotalFocused = false;
    for (int i = 0; i <= m_view.LineCount(); ++i)
        m_view.highlightRow(i, i == Index ? Color::FocusedRow : Color::White);
    m_view.CurrentRow = Index;
    m_view.CaretPos = m_view.row(Index)->cursorPosition();
    m_view.SelLength = 0;
}

void LineEntry::CalAmount_LostFocus(int Index) {
    // The keys of the keypad take the focus from the row; they insert where the row's caret
    // and selection were at that moment.
    QLineEdit* box = m_view.row(Index);
    m_view.CaretPos = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    m_view.SelLength = box->hasSelectedText() ? static_cast<int>(box->selectedText().size()) : 0;
}

void LineEntry::CalAmount_KeyDown(int Index, short& KeyCode) {
    const int value = m_view.position();
    const int last = m_view.LastVisibleLine();
    if (KeyCode == KeyCode::Down) {
        if (Index == last && value < m_view.ValueMax())
            m_view.scrollBy(1);
        else if (Index < last)
            m_view.focusRow(Index + 1);
        KeyCode = 0;
    } else if (KeyCode == KeyCode::Up) {
        if (Index == 0 && value >= 1)
            m_view.scrollBy(-1);
        else if (Index > 0)
            m_view.focusRow(Index - 1);
        KeyCode = 0;
    }
}

void LineEntry::CalAmount_KeyPress(int Index, short& KeyAscii) {
    const QChar c(static_cast<char16_t>(KeyAscii));
    const QString decimal = QString::fromStdString(m_session.locale().decimalSeparator);
    const QString group = QString::fromStdString(m_session.locale().groupSeparator);
    const int last = m_view.LastVisibleLine();
    KeyKind kind = KeyKind::Other;
    char typed = NoOperator;
    switch (KeyAscii) {
    case 3:  // Ctrl+C: the box copies
    case 22: // Ctrl+V: the box pastes
        break;
    case 8: // Backspace
    case 'H':
    case 'I':
        return; // passed, no tail
    case 13:
        KeyAscii = 0;
        if (Index < last)
            m_view.focusRow(Index + 1);
        kind = KeyKind::Enter;
        break;
    case '*':
    case '+':
    case '-':
    case '/':
        typed = KeyAscii == '*' ? 'x' : static_cast<char>(KeyAscii);
        KeyAscii = 0;
        fmNo();
        if (Index < last) {
            m_view.showOperator(Index + 1, typed);
            m_session.setOperator(m_view.lineOf(Index + 1), typed);
            m_view.focusRow(Index + 1);
        } else {
            m_view.showOperator(Index, typed); // until the tape moves on below
        }
        kind = KeyKind::Operator;
        break;
    default:
        if (c.isDigit() && KeyAscii < 128) {
            // passed
        } else if (QString(c) == group) {
            // passed
        } else if (QString(c) == decimal) {
            if (m_view.draft(Index).contains(decimal))
                KeyAscii = 0;
        } else {
            KeyAscii = 0;
        }
        break;
    }

    // The tail.
    m_view.setRowTextColor(Index, m_view.draft(Index).startsWith(QLatin1Char('(')) ? Color::Red
                                                                                   : Color::Black);
    if (kind != KeyKind::Other && Index == last)
        moveOnFromLastRow(kind == KeyKind::Operator ? typed : m_session.op(m_view.lineOf(Index)),
                          kind == KeyKind::Operator);
}

void LineEntry::moveOnFromLastRow(char op, bool operatorKey) {
    const int value = m_view.position();
    if (value == m_view.ValueMax()) {
        growthStep(op);
        return;
    }
    // An operator key gives the line that comes into view its operator; Enter leaves it.
    if (operatorKey)
        m_session.setOperator(value + m_view.LastVisibleLine() + 1, op);
    m_view.scrollBy(1);
}

void LineEntry::growthStep(char op) {
    const int n = m_view.ValueMax() + 1;
    m_session.growTo(n + m_view.LastVisibleLine() + 1, op);
    m_view.growByOne();
}

void LineEntry::operatorKey(char op) {
    const int r = m_view.CurrentRow;
    const int last = m_view.LastVisibleLine();
    if (r >= last) {
        if (r == last)
            moveOnFromLastRow(op, true);
        m_view.focusRow(r);
        return; // the total follows at the next entry
    }
    fmNo();
    m_view.CurrentRow = r + 1;
    m_view.showOperator(r + 1, op);
    m_session.setOperator(m_view.lineOf(r + 1), op);
    m_view.focusCurrentRow(static_cast<int>(m_view.draft(r + 1).size()));
}

void LineEntry::CalAmount_KeyUp(int Index, short KeyCode) {
    m_view.CaretPos = m_view.row(Index)->cursorPosition();
    if (KeyCode > 0) {
        m_session.storeRowText(m_view.lineOf(Index), m_view.draft(Index));
        m_view.colorRowFromLine(Index);
    }
}

void LineEntry::fmNo() {
    const int row = m_view.CurrentRow;
    if (m_view.draft(row).isEmpty())
        return;
    const int line = m_view.lineOf(row);
    const Value& v = m_session.value(line);
    if (v.isExpressionText())
        return; // a function line keeps showing what it holds
    if (readsAsZero(v)) {
        m_view.setDraft(row, QString());
        return;
    }
    m_view.setDraft(row, QString::fromStdString(
                             displayText(v, m_session.decimalsChoice(), m_session.locale())));
}

} // namespace padrix
