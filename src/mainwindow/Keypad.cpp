// The keypad and the Pi key: digits at the remembered caret, sign, percent, delete, clear and
// the operators, all acting on the current row.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "mainwindow/ControlDesign.h"
#include "numbers/CalcFailure.h"

#include <QLineEdit>

#include <cmath>

namespace padrix {

namespace {

constexpr int KeyFace = 13421721;   // #99CCCC
constexpr int ClearKey = 200;       // #C80000
constexpr int OperatorKey = 111111; // #07B201

enum KeypadKey {
    DecimalKey = 10,
    ClearAllKey = 11,
    AddKey = 12,
    SubtractKey = 13,
    MultiplyKey = 14,
    DivideKey = 15,
    ClearNumberKey = 16,
    DeleteKey = 17,
    PowerKey = 18,
    SignKey = 19,
    PercentKey = 20,
};

const ButtonDesign KeypadDesign[] = {
    {{"CalC_Button", 0, 4050, 6210, 1560, 750, KeyFace}, "0", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 1, 4050, 5400, 750, 750, KeyFace}, "1", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 2, 4860, 5400, 750, 750, KeyFace}, "2", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 3, 5670, 5400, 750, 750, KeyFace}, "3", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 4, 4050, 4590, 750, 750, KeyFace}, "4", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 5, 4860, 4590, 750, 750, KeyFace}, "5", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 6, 5670, 4590, 750, 750, KeyFace}, "6", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 7, 4050, 3780, 750, 750, KeyFace}, "7", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 8, 4860, 3780, 750, 750, KeyFace}, "8", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 9, 5670, 3780, 750, 750, KeyFace}, "9", nullptr, KeyFace, 20.25F},
    {{"CalC_Button", 10, 5670, 6210, 750, 750, KeyFace}, ".", "Decimal point...", KeyFace, 20.25F},
    {{"CalC_Button", 11, 4050, 2160, 975, 750, KeyFace}, "CA", "Clear All...", ClearKey, 18, 3},
    {{"CalC_Button", 12, 6480, 2970, 975, 750, KeyFace},
     "+",
     "Addition...",
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 13, 6480, 3780, 975, 750, KeyFace},
     "-",
     "Subtraction...",
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 14, 6480, 4590, 975, 750, KeyFace},
     "x",
     "Multiplication...",
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 15, 6480, 5400, 975, 750, KeyFace},
     "/",
     "Division...",
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 16, 5085, 2160, 1065, 750, KeyFace},
     "C",
     "Clear current number...",
     ClearKey,
     18,
     3},
    {{"CalC_Button", 17, 6210, 2160, 1245, 750, KeyFace}, "Del", "Back space...", ClearKey, 18, 3},
    {{"CalC_Button", 18, 6480, 6210, 975, 750, KeyFace},
     "^",
     "Raise a number to the power of an exponent",
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 19, 5670, 2970, 750, 750, KeyFace}, "+/-", nullptr, KeyFace, 15.75F},
    {{"CalC_Button", 20, 4860, 2970, 750, 750, KeyFace}, "%", nullptr, KeyFace, 15.75F},
};

const ButtonDesign PieValueDesign = {
    {"PieValue", -1, 4050, 2970, 750, 735, Color::ShapeFill}, "Pi", "Value of Pi.", KeyFace, 12};

} // namespace

void Diruvuv_Orozezadi::createKeypad() {
    for (const ButtonDesign& design : KeypadDesign) {
        LumoButton* key = makeButton(interior, design);
        place(key, design.at);
        CalC_Button.append(key);
    }
    PieValue = makeButton(interior, PieValueDesign);
    place(PieValue, PieValueDesign.at);
}

void Diruvuv_Orozezadi::CalC_Button_Click(int Index) {
    if (m.game.running() || m.GameOverPause) {
        if (Index <= 9)
            gameShot(Index); // during a game the digits shoot and nothing else acts
        return;
    }
    switch (Index) {
    case AddKey:
    case SubtractKey:
    case MultiplyKey:
    case DivideKey:
    case PowerKey:
        keypadOperator(CalC_Button[Index]->Caption().front().toLatin1());
        break;
    case ClearAllKey:
        Clear_Total_Click();
        break;
    case ClearNumberKey:
        keypadClear();
        break;
    case DeleteKey:
        keypadDelete();
        return; // the only key without the trailing store
    case SignKey:
        keypadSign();
        break;
    case PercentKey:
        keypadPercent();
        break;
    default:
        if (Index == DecimalKey && CalAmount[m.CurrentRow]->text().contains(m.DecimalSeparator))
            return;
        keypadDigit(Index);
        break;
    }
    // The trailing store: a row that reads as a number is stored as that number.
    const QString text = CalAmount[m.CurrentRow]->text();
    if (!text.isEmpty())
        storeNumber(lineOf(m.CurrentRow), text);
}

void Diruvuv_Orozezadi::keypadDigit(int Index) {
    QLineEdit* box = CalAmount[m.CurrentRow];
    const QString text = box->text();
    const int at = std::clamp(m.CaretPos, 0, static_cast<int>(text.size()));
    const int selected = std::clamp(m.SelLength, 0, static_cast<int>(text.size()) - at);
    const QString t = text.left(at) + CalC_Button[Index]->Caption() + text.mid(at + selected);
    box->setText(t);
    const int line = lineOf(m.CurrentRow);
    if (t.indexOf(QLatin1Char('(')) >= 1 || t.contains(QLatin1Char('%')))
        m.tape.setValue(line, t.toStdString());
    else if (t.isEmpty())
        m.tape.setValue(line, Decimal{});
    else
        storeNumber(line, t);
    MailCalc();
    focusCurrentRow(at + 1);
}

void Diruvuv_Orozezadi::keypadOperator(char op) {
    const int r = m.CurrentRow;
    const int value = ScrollNum->Value();
    if (r >= m.LastVisibleLine) {
        if (ScrollNum->ValueMax() == value && r == m.LastVisibleLine) {
            growthStep(op);
        } else if (r == m.LastVisibleLine && value < ScrollNum->ValueMax()) {
            setLineOperator(value + r + 1, op);
            ScrollNum->setValue(value + 1);
        }
        CalAmount[r]->setFocus();
        return; // the total follows at the next entry
    }
    fmNo();
    m.CurrentRow = r + 1;
    setOperatorCaption(m.CurrentRow, QString(QLatin1Char(op)));
    setLineOperator(lineOf(m.CurrentRow), op);
    focusCurrentRow(static_cast<int>(CalAmount[m.CurrentRow]->text().size()));
}

void Diruvuv_Orozezadi::keypadPercent() {
    QString t = CalAmount[m.CurrentRow]->text();
    if (t.contains(QLatin1Char('%')))
        t.remove(QLatin1Char('%'));
    else
        t += QLatin1Char('%');
    CalAmount[m.CurrentRow]->setText(t);
    m.tape.setValue(lineOf(m.CurrentRow), t.toStdString());
    MailCalc();
    focusCurrentRow(static_cast<int>(t.size())); // typing goes on in the row
}

void Diruvuv_Orozezadi::keypadSign() {
    QLineEdit* box = CalAmount[m.CurrentRow];
    QString t = box->text();
    const int line = lineOf(m.CurrentRow);
    if (t.indexOf(QLatin1Char('(')) >= 1) {
        // A function line: the sign goes inside the brackets, or comes out again.
        if (t.contains(QLatin1Char('-')))
            t.remove(QLatin1Char('-'));
        else
            t.replace(QLatin1Char('('), QStringLiteral("(-"));
        box->setText(t);
        m.tape.setValue(line, t.toStdString());
        focusCurrentRow(static_cast<int>(t.size()) - 1);
    } else if (!t.isEmpty()) {
        if (t.contains(QLatin1Char('-'))) {
            t.remove(QLatin1Char('-'));
            setRowTextColor(m.CurrentRow, Color::Black);
        } else {
            t.prepend(QLatin1Char('-'));
            setRowTextColor(m.CurrentRow, Color::DarkRed);
        }
        box->setText(t);
        storeNumber(line, t);
        focusCurrentRow(static_cast<int>(t.size()));
    } else {
        m.tape.setValue(line, Decimal{});
    }
    MailCalc();
}

void Diruvuv_Orozezadi::keypadDelete() {
    QLineEdit* box = CalAmount[m.CurrentRow];
    QString t = box->text();
    const int line = lineOf(m.CurrentRow);
    int caret = 0;
    if (t.contains(QLatin1Char('(')) || t.contains(QLatin1Char(')'))) {
        // A function line loses its function, its name and its sign: its figures remain.
        t = digitFilter(t);
        try {
            m.tape.setValue(line, textToDecimal(t.toStdString(), m_context.locale));
        } catch (const CalcError&) {
            m.tape.setValue(line, Decimal{}); // no figures at all
        }
        caret = static_cast<int>(t.size());
    } else if (!t.isEmpty()) {
        // Like Backspace: the character before the caret, or the first one at the start.
        const int at = std::clamp(m.CaretPos, 1, static_cast<int>(t.size()));
        t.remove(at - 1, 1);
        caret = at - 1;
        if (t.isEmpty())
            m.tape.setValue(line, Decimal{});
        else
            storeNumber(line, t);
    } else {
        m.tape.setValue(line, Decimal{});
    }
    MailCalc();
    box->setText(t);
    focusCurrentRow(caret);
}

void Diruvuv_Orozezadi::keypadClear() {
    // The row and its line are emptied together, so the total never counts a number that no
    // row shows any more.
    CalAmount[m.CurrentRow]->setText(QString());
    m.tape.setValue(lineOf(m.CurrentRow), Decimal{});
    MailCalc();
    focusCurrentRow(0);
}

QString Diruvuv_Orozezadi::digitFilter(const QString& text) const {
    QString kept;
    for (const QChar c : text)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || QString(c) == m.DecimalSeparator)
            kept += c;
    return kept;
}

void Diruvuv_Orozezadi::focusCurrentRow(int position) {
    QLineEdit* box = CalAmount[m.CurrentRow];
    box->setFocus();
    box->setCursorPosition(position);
    m.CaretPos = box->cursorPosition();
    m.SelLength = 0;
}

void Diruvuv_Orozezadi::PieValue_Click() {
    // Neither the focus nor the caret moves.
    const Value pi = 4 * std::atan(1.0);
    m.tape.setValue(lineOf(m.CurrentRow), pi);
    CalAmount[m.CurrentRow]->setText(QString::fromStdString(pi.text(m_context.locale)));
    MailCalc();
}

} // namespace padrix
