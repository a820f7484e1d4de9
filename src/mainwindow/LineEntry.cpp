// Typing into the rows: the key filter, operators from the keyboard, moving between rows, the
// growth of the tape, storing a row and the total box that takes no typing.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "numbers/CalcFailure.h"
#include "platform/KeyCodes.h"

#include <QLineEdit>

namespace padrix {

namespace {

/// How a typed key ends: what the tail after the character table does.
enum class KeyKind { Other, Enter, Operator };

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

int Diruvuv_Orozezadi::lineOf(int row) const {
    return ScrollNum->Value() + row;
}

void Diruvuv_Orozezadi::setLineOperator(int line, char op) {
    if (line >= m.tape.lineCount() && op == '+')
        return;
    m.tape.setOperator(line, op);
}

void Diruvuv_Orozezadi::CalAmount_GotFocus(int Index) {
    m.TotalFocused = false;
    for (int i = 0; i <= m.LineCount; ++i)
        setRowBackground(i, i == Index ? Color::FocusedRow : Color::White);
    m.CurrentRow = Index;
    m.CaretPos = CalAmount[Index]->cursorPosition();
    m.SelLength = 0;
}

void Diruvuv_Orozezadi::CalAmount_MouseDown(int Index) {
    m.CaretPos = CalAmount[Index]->cursorPosition();
}

void Diruvuv_Orozezadi::CalAmount_LostFocus(int Index) {
    // The keys of the keypad take the focus from the row; they insert where the row's caret
    // and selection were at that moment.
    QLineEdit* box = CalAmount[Index];
    m.CaretPos = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    m.SelLength = box->hasSelectedText() ? static_cast<int>(box->selectedText().size()) : 0;
}

void Diruvuv_Orozezadi::CalAmount_KeyDown(int Index, short& KeyCode, short& /*Shift*/) {
    const int value = ScrollNum->Value();
    if (KeyCode == KeyCode::Down) {
        if (Index == m.LastVisibleLine && value < ScrollNum->ValueMax())
            ScrollNum->setValue(value + 1);
        else if (Index < m.LastVisibleLine)
            CalAmount[Index + 1]->setFocus();
        KeyCode = 0;
    } else if (KeyCode == KeyCode::Up) {
        if (Index == 0 && value >= 1)
            ScrollNum->setValue(value - 1);
        else if (Index > 0)
            CalAmount[Index - 1]->setFocus();
        KeyCode = 0;
    }
}

void Diruvuv_Orozezadi::CalAmount_KeyPress(int Index, short& KeyAscii) {
    const QChar c(static_cast<char16_t>(KeyAscii));
    KeyKind kind = KeyKind::Other;
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
        if (Index < m.LastVisibleLine)
            CalAmount[Index + 1]->setFocus();
        kind = KeyKind::Enter;
        break;
    case '*':
    case '+':
    case '-':
    case '/': {
        const char op = KeyAscii == '*' ? 'x' : static_cast<char>(KeyAscii);
        KeyAscii = 0;
        fmNo();
        if (Index < m.LastVisibleLine) {
            setOperatorCaption(Index + 1, QString(QLatin1Char(op)));
            setLineOperator(lineOf(Index + 1), op);
            CalAmount[Index + 1]->setFocus();
        } else {
            Op[Index]->setCaption(QString(QLatin1Char(op)));
        }
        kind = KeyKind::Operator;
        break;
    }
    default:
        if (c.isDigit() && KeyAscii < 128) {
            // passed
        } else if (QString(c) == m.GroupSeparator) {
            // passed
        } else if (QString(c) == m.DecimalSeparator) {
            if (CalAmount[Index]->text().contains(m.DecimalSeparator))
                KeyAscii = 0;
        } else {
            KeyAscii = 0;
        }
        break;
    }

    // The tail.
    const int value = ScrollNum->Value();
    const QString caption = Op[Index]->Caption();
    const char op = caption.size() == 1 ? caption.front().toLatin1() : NoOperator;
    if (Index < m.LastVisibleLine)
        setLineOperator(value + Index, op);
    else if (kind == KeyKind::Operator && value < ScrollNum->ValueMax())
        setLineOperator(value + Index + 1, op);
    setRowTextColor(Index, CalAmount[Index]->text().startsWith(QLatin1Char('(')) ? Color::Red
                                                                                 : Color::Black);
    if (kind != KeyKind::Other && Index == m.LastVisibleLine) {
        if (value == ScrollNum->ValueMax())
            growthStep(op);
        else
            ScrollNum->setValue(value + 1);
    }
}

void Diruvuv_Orozezadi::growthStep(char op) {
    const int n = ScrollNum->ValueMax() + 1;
    ScrollNum->setValueMax(n);
    m.tape.ensureLines(n + m.LastVisibleLine); // the "+" rows of a short tape become lines
    m.tape.resize(n + m.LastVisibleLine + 1);
    m.tape.setOperator(n + m.LastVisibleLine, op);
    ScrollNum->setValue(n);
}

void Diruvuv_Orozezadi::CalAmount_KeyUp(int Index, short& KeyCode, short& /*Shift*/) {
    m.CaretPos = CalAmount[Index]->cursorPosition();
    if (KeyCode > 0) {
        storeRow(Index);
        const std::string form = m.tape.value(lineOf(Index)).text(m_context.locale);
        setRowTextColor(Index,
                        !form.empty() && form.front() == '-' ? Color::DarkRed : Color::Black);
        MailCalc();
    }
}

void Diruvuv_Orozezadi::storeRow(int row) {
    const int line = lineOf(row);
    const QString text = CalAmount[row]->text();
    if (line >= m.tape.lineCount() && text.isEmpty())
        return; // an empty row below the end of a short tape is no line yet
    m.tape.ensureLines(line + 1);
    if (m.tape.value(line).isExpressionText()) {
        m.tape.setValue(line, text.toStdString()); // a function or percentage keeps its text
        return;
    }
    if (text.isEmpty()) {
        m.tape.setValue(line, Decimal{});
        return;
    }
    storeNumber(line, text);
}

void Diruvuv_Orozezadi::storeNumber(int line, const QString& text) {
    QString plain = text;
    if (!m.GroupSeparator.isEmpty())
        plain.remove(m.GroupSeparator);
    try {
        m.tape.setValue(line, textToDecimal(plain.toStdString(), m_context.locale));
    } catch (const CalcError& e) {
        // A number beyond the decimal range stays what the row shows, so the total says
        // "Overflow" as it does for such a line loaded from a file; a text that is no number
        // (a lone separator while typing) leaves the line as it was.
        if (e.kind() == CalcFailure::Overflow)
            m.tape.setValue(line, plain.toStdString());
    }
}

void Diruvuv_Orozezadi::fmNo() {
    QLineEdit* box = CalAmount[m.CurrentRow];
    if (box->text().isEmpty())
        return;
    const int line = lineOf(m.CurrentRow);
    m.tape.ensureLines(line + 1);
    const Value& v = m.tape.value(line);
    if (v.isExpressionText())
        return; // a function line keeps showing what it holds
    if (readsAsZero(v)) {
        box->setText(QString());
        return;
    }
    box->setText(QString::fromStdString(displayText(v, m.DecimalsChoice, m_context.locale)));
}

void Diruvuv_Orozezadi::TotalAmount_GotFocus() {
    m.TotalFocused = true;
}

void Diruvuv_Orozezadi::TotalAmount_KeyPress(short& KeyAscii) {
    KeyAscii = 0; // the total cannot be typed into
}

} // namespace padrix
