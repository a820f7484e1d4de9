// Typing into the rows: the key filter, operators from the keyboard, moving between rows, the
// growth of the tape, storing a row and the total box that takes no typing.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/PixelDrawing.h"
#include "controls/VantoVerticalScroll.h"
#include "core/Recalculation.h"
#include "numbers/CalcFailure.h"
#include "platform/KeyCodes.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace padrix {

namespace {

constexpr int FocusedRow = 16382457; // #F9F9F9
constexpr int PlainRow = 16777215;   // #FFFFFF
constexpr int OpenBracketText = 255; // #FF0000
constexpr int NegativeText = 192;    // #C00000

/// How a typed key ends: what the tail after the character table does.
enum class KeyKind { Other, Enter, Operator };

/// A text that reads as zero, or a value that is zero: its row shows empty after an operator.
bool readsAsZero(const Value& v) {
    if (v.isText())
        return leadingNumber(v.textValue()) == 0.0; // Sin(30) too: the line keeps its text
    if (v.isDecimal())
        return v.decimal().isZero();
    if (v.isDouble())
        return v.number() == 0.0;
    return true;
}

} // namespace

Value& Diruvuv_Orozezadi::lineValue(int row) {
    const int line = ScrollNum->Value() + row;
    while (tape.lineCount() <= line)
        tape.append('+', Value()); // never past the end, whatever the view shows
    return tape.TapeValues[line];
}

int Diruvuv_Orozezadi::rowIndexOf(QObject* object) const {
    auto* box = qobject_cast<QLineEdit*>(object);
    return box != nullptr ? static_cast<int>(CalAmount.indexOf(box)) : -1;
}

bool Diruvuv_Orozezadi::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TotalAmount) {
        if (event->type() == QEvent::FocusIn) {
            TotalAmount_GotFocus();
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            short ascii = keyAsciiOf(*key);
            if (ascii != 0) {
                TotalAmount_KeyPress(ascii);
                return ascii == 0;
            }
        }
        return false;
    }
    const int row = rowIndexOf(watched);
    if (row < 0)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        CalAmount_GotFocus(row);
        break;
    case QEvent::MouseButtonPress:
        CalAmount_MouseDown(row);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false; // moves the focus, as everywhere
        KeyArgs a(*key);
        const short pressed = a.KeyCode;
        CalAmount_KeyDown(row, a.KeyCode, a.Shift);
        if (pressed != 0 && a.KeyCode == 0)
            return true; // handled: the box never sees it
        short ascii = keyAsciiOf(*key);
        if (ascii == 0)
            return false; // an editing key (Delete, Home, ...) goes to the box
        CalAmount_KeyPress(row, ascii);
        return ascii == 0;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            return false;
        KeyArgs a(*key);
        // Qt hands the release to the row that has the focus by now, as it should.
        CalAmount_KeyUp(row, a.KeyCode, a.Shift);
        break;
    }
    default:
        break;
    }
    return false;
}

void Diruvuv_Orozezadi::CalAmount_GotFocus(int Index) {
    TotalFocused = false;
    for (int i = 0; i <= LineCount; ++i)
        setRowBackground(i, i == Index ? FocusedRow : PlainRow);
    CurrentRow = Index;
    CaretPos = CalAmount[Index]->cursorPosition();
}

void Diruvuv_Orozezadi::CalAmount_MouseDown(int Index) {
    CaretPos = CalAmount[Index]->cursorPosition();
}

void Diruvuv_Orozezadi::CalAmount_KeyDown(int Index, short& KeyCode, short& /*Shift*/) {
    const int value = ScrollNum->Value();
    if (KeyCode == KeyCode::Down) {
        if (Index == LastVisibleLine && value < ScrollNum->ValueMax())
            ScrollNum->setValue(value + 1);
        else if (Index < LastVisibleLine)
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
        if (Index < LastVisibleLine)
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
        if (Index < LastVisibleLine) {
            setOperatorCaption(Index + 1, QString(QLatin1Char(op)));
            lineValue(Index + 1); // the line exists
            tape.TapeOperators[ScrollNum->Value() + Index + 1] = op;
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
        } else if (QString(c) == GroupSeparator) {
            // passed
        } else if (QString(c) == DecimalSeparator) {
            if (CalAmount[Index]->text().contains(DecimalSeparator))
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
    if (Index < LastVisibleLine) {
        lineValue(Index);
        tape.TapeOperators[value + Index] = op;
    } else if (kind == KeyKind::Operator && value < ScrollNum->ValueMax()) {
        lineValue(Index + 1);
        tape.TapeOperators[value + Index + 1] = op;
    }
    setRowTextColor(Index,
                    CalAmount[Index]->text().startsWith(QLatin1Char('(')) ? OpenBracketText : 0);
    if (kind != KeyKind::Other && Index == LastVisibleLine) {
        if (value == ScrollNum->ValueMax())
            growthStep(op);
        else
            ScrollNum->setValue(value + 1);
    }
}

void Diruvuv_Orozezadi::growthStep(char op) {
    const int n = ScrollNum->ValueMax() + 1;
    ScrollNum->setValueMax(n);
    const auto lines = static_cast<std::size_t>(n + LastVisibleLine + 1);
    tape.TapeValues.resize(lines);
    tape.TapeOperators.resize(lines, NoOperator);
    tape.TapeOperators[lines - 1] = op;
    ScrollNum->setValue(n);
}

void Diruvuv_Orozezadi::CalAmount_KeyUp(int Index, short& KeyCode, short& /*Shift*/) {
    CaretPos = CalAmount[Index]->cursorPosition();
    if (KeyCode > 0) {
        storeRow(Index);
        const std::string form = lineValue(Index).text(m_context.locale);
        setRowTextColor(Index, !form.empty() && form.front() == '-' ? NegativeText : 0);
        MailCalc();
    }
}

void Diruvuv_Orozezadi::storeRow(int row) {
    Value& stored = lineValue(row);
    const QString text = CalAmount[row]->text();
    if (stored.text(m_context.locale).find_first_of("(%") != std::string::npos) {
        stored = text.toStdString(); // a function or percentage line keeps its raw text
        return;
    }
    if (text.isEmpty()) {
        stored = Decimal{};
        return;
    }
    QString plain = text;
    if (!GroupSeparator.isEmpty())
        plain.remove(GroupSeparator);
    try {
        stored = textToDecimal(plain.toStdString(), m_context.locale);
    } catch (const CalcError&) {
        // A text that is no number leaves the line as it was.
    }
}

void Diruvuv_Orozezadi::fmNo() {
    QLineEdit* box = CalAmount[CurrentRow];
    if (box->text().isEmpty())
        return;
    const Value& v = lineValue(CurrentRow);
    if (readsAsZero(v)) {
        box->setText(QString());
        return;
    }
    box->setText(QString::fromStdString(displayText(v, DecimalsChoice, m_context.locale)));
}

void Diruvuv_Orozezadi::TotalAmount_GotFocus() {
    TotalFocused = true;
}

void Diruvuv_Orozezadi::TotalAmount_KeyPress(short& KeyAscii) {
    KeyAscii = 0; // the total cannot be typed into
}

void Diruvuv_Orozezadi::MailCalc() {
    RecalcSettings recalc;
    recalc.DecimalsChoice = DecimalsChoice;
    recalc.TotalMode = TotalMode;
    recalc.buttons = &functions;
    recalc.locale = m_context.locale;
    const GrandTotal total =
        padrix::MailCalc(tape, recalc, TotalAmount->text().toStdString(), &SortedValues);
    TotalAmount->setText(QString::fromStdString(total.text));
    QPalette p = TotalAmount->palette();
    p.setColor(QPalette::Text, QColor(rgbOf(total.color)));
    TotalAmount->setPalette(p);
}

} // namespace padrix
