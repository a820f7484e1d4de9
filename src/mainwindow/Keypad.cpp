// The keypad and the Pi key: digits at the remembered caret, sign, percent, delete, clear and
// the operators, all acting on the current row.
#include "mainwindow/Keypad.h"

#include "controls/LumoButton.h"
#include "mainwindow/LineEntry.h"
#include "mainwindow/TapeView.h"
#include "mainwindow/UserAction.h"
#include "mainwindow/WindowLook.h"
#include "numbers/CalcFailure.h"
#include "session/TapeSession.h"

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
    {{"CalC_Button", 10, 5670, 6210, 750, 750, KeyFace},
     ".",
     QT_TRANSLATE_NOOP("padrix::Keys", "Decimal point..."),
     KeyFace,
     20.25F},
    {{"CalC_Button", 11, 4050, 2160, 975, 750, KeyFace},
     "CA",
     QT_TRANSLATE_NOOP("padrix::Keys", "Clear All..."),
     ClearKey,
     18,
     3},
    {{"CalC_Button", 12, 6480, 2970, 975, 750, KeyFace},
     "+",
     QT_TRANSLATE_NOOP("padrix::Keys", "Addition..."),
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 13, 6480, 3780, 975, 750, KeyFace},
     "-",
     QT_TRANSLATE_NOOP("padrix::Keys", "Subtraction..."),
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 14, 6480, 4590, 975, 750, KeyFace},
     "x",
     QT_TRANSLATE_NOOP("padrix::Keys", "Multiplication..."),
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 15, 6480, 5400, 975, 750, KeyFace},
     "/",
     QT_TRANSLATE_NOOP("padrix::Keys", "Division..."),
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 16, 5085, 2160, 1065, 750, KeyFace},
     "C",
     QT_TRANSLATE_NOOP("padrix::Keys", "Clear current number..."),
     ClearKey,
     18,
     3},
    {{"CalC_Button", 17, 6210, 2160, 1245, 750, KeyFace},
     "Del",
     QT_TRANSLATE_NOOP("padrix::Keys", "Back space..."),
     ClearKey,
     18,
     3},
    {{"CalC_Button", 18, 6480, 6210, 975, 750, KeyFace},
     "^",
     QT_TRANSLATE_NOOP("padrix::Keys", "Raise a number to the power of an exponent"),
     OperatorKey,
     20.25F,
     3},
    {{"CalC_Button", 19, 5670, 2970, 750, 750, KeyFace}, "+/-", nullptr, KeyFace, 15.75F},
    {{"CalC_Button", 20, 4860, 2970, 750, 750, KeyFace}, "%", nullptr, KeyFace, 15.75F},
};

const ButtonDesign PieValueDesign = {{"PieValue", -1, 4050, 2970, 750, 735, Color::ShapeFill},
                                     "Pi",
                                     QT_TRANSLATE_NOOP("padrix::Keys", "Value of Pi."),
                                     KeyFace,
                                     12};

} // namespace

Keypad::Keypad(QWidget* interior, const DesignScale& scale, TapeView& view, LineEntry& entry,
               TapeSession& session)
    : QObject(interior), m_view(view), m_entry(entry), m_session(session),
      m_decimal(QString::fromStdString(session.locale().decimalSeparator)) {
    for (int i = 0; i < static_cast<int>(std::size(KeypadDesign)); ++i) {
        const ButtonDesign& design = KeypadDesign[i];
        LumoButton* key = makeButton(interior, design);
        scale.place(key, design.at);
        CalC_Button.append(key);
        onPress(key, this, m_session, m_view, [this, i] { CalC_Button_Click(i); });
    }
    CalC_Button[DecimalKey]->setCaption(m_decimal);
    PieValue = makeButton(interior, PieValueDesign);
    scale.place(PieValue, PieValueDesign.at);
    onPress(PieValue, this, m_session, m_view, [this] { PieValue_Click(); });
}

void Keypad::CalC_Button_Click(int Index) {
    if (m_playing && m_playing()) {
        if (Index <= 9 && m_shoot)
            m_shoot(Index); // during a game the digits shoot and nothing else acts
        return;
    }
    switch (Index) {
    case AddKey:
    case SubtractKey:
    case MultiplyKey:
    case DivideKey:
    case PowerKey:
        m_entry.operatorKey(KeypadDesign[Index].caption[0]);
        break;
    case ClearAllKey:
        if (m_clearAll)
            m_clearAll();
        break;
    case ClearNumberKey:
        keypadClear();
        break;
    case DeleteKey:
        keypadDelete();
        return; // the only key without the trailing store
    case SignKey:
        keypadSign();
        return; // it stores the row itself
    case PercentKey:
        keypadPercent();
        break;
    default:
        if (Index == DecimalKey && m_view.draft(m_view.CurrentRow).contains(m_decimal))
            return;
        keypadDigit(Index);
        return; // it stores the row itself
    }
    // The trailing store: a row that reads as a number is stored as that number.
    const QString text = m_view.draft(m_view.CurrentRow);
    if (!text.isEmpty())
        m_session.storeNumber(m_view.lineOf(m_view.CurrentRow), text);
}

void Keypad::keypadDigit(int Index) {
    const QString text = m_view.draft(m_view.CurrentRow);
    const int at = std::clamp(m_view.CaretPos, 0, static_cast<int>(text.size()));
    const int selected = std::clamp(m_view.SelLength, 0, static_cast<int>(text.size()) - at);
    const QString key = Index == DecimalKey ? m_decimal : QString::number(Index);
    const QString t = text.left(at) + key + text.mid(at + selected);
    m_view.setDraft(m_view.CurrentRow, t);
    const int line = m_view.lineOf(m_view.CurrentRow);
    if (t.indexOf(QLatin1Char('(')) >= 1 || t.contains(QLatin1Char('%')))
        m_session.setText(line, t);
    else if (t.isEmpty())
        m_session.setValue(line, Decimal{});
    else
        m_session.storeNumber(line, t);
    m_view.focusCurrentRow(at + 1);
}

void Keypad::keypadPercent() {
    QString t = m_view.draft(m_view.CurrentRow);
    if (t.contains(QLatin1Char('%')))
        t.remove(QLatin1Char('%'));
    else
        t += QLatin1Char('%');
    m_view.setDraft(m_view.CurrentRow, t);
    m_session.setText(m_view.lineOf(m_view.CurrentRow), t);
    m_view.focusCurrentRow(static_cast<int>(t.size())); // typing goes on in the row
}

void Keypad::keypadSign() {
    const int row = m_view.CurrentRow;
    QString t = m_view.draft(row);
    const int line = m_view.lineOf(row);
    if (t.indexOf(QLatin1Char('(')) >= 1) {
        // A function line: the sign goes inside the brackets, or comes out again.
        if (t.contains(QLatin1Char('-')))
            t.remove(QLatin1Char('-'));
        else
            t.replace(QLatin1Char('('), QStringLiteral("(-"));
        m_view.setDraft(row, t);
        m_session.setText(line, t);
        m_view.focusCurrentRow(static_cast<int>(t.size()) - 1);
    } else if (!t.isEmpty()) {
        if (t.contains(QLatin1Char('-')))
            t.remove(QLatin1Char('-'));
        else
            t.prepend(QLatin1Char('-'));
        m_view.setDraft(row, t);
        m_session.storeNumber(line, t);
        m_view.focusCurrentRow(static_cast<int>(t.size()));
    } else {
        m_session.setValue(line, Decimal{});
    }
}

void Keypad::keypadDelete() {
    const int row = m_view.CurrentRow;
    QString t = m_view.draft(row);
    const int line = m_view.lineOf(row);
    int caret = 0;
    if (t.contains(QLatin1Char('(')) || t.contains(QLatin1Char(')'))) {
        // A function line loses its function, its name and its sign: its figures remain.
        t = m_view.digitsOf(t);
        try {
            m_session.setValue(line, textToDecimal(t.toStdString(), m_session.locale()));
        } catch (const CalcError&) {
            m_session.setValue(line, Decimal{}); // no figures at all
        }
        caret = static_cast<int>(t.size());
    } else if (!t.isEmpty()) {
        // Like Backspace: the character before the caret, or the first one at the start.
        const int at = std::clamp(m_view.CaretPos, 1, static_cast<int>(t.size()));
        t.remove(at - 1, 1);
        caret = at - 1;
        if (t.isEmpty())
            m_session.setValue(line, Decimal{});
        else
            m_session.storeNumber(line, t);
    } else {
        m_session.setValue(line, Decimal{});
    }
    m_view.setDraft(row, t);
    m_view.colorRowFromLine(row);
    m_view.focusCurrentRow(caret);
}

void Keypad::keypadClear() {
    // The row and its line are emptied together, so the total never counts a number that no
    // row shows any more.
    m_view.setDraft(m_view.CurrentRow, QString());
    m_session.setValue(m_view.lineOf(m_view.CurrentRow), Decimal{});
    m_view.focusCurrentRow(0);
}

void Keypad::PieValue_Click() {
    // Neither the focus nor the caret moves.
    const Value pi = 4 * std::atan(1.0);
    const int row = m_view.CurrentRow;
    m_session.setValue(m_view.lineOf(row), pi);
    m_view.setDraft(row, QString::fromStdString(pi.text(m_session.locale())));
}

} // namespace padrix
