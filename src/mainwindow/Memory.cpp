// The memory register: "M+" stores a row's value or the total, "MR" recalls it into a row,
// "M=" stores a positive total; the label M_Buff shows it.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "mainwindow/ControlDesign.h"
#include "numbers/CalcFailure.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace padrix {

namespace {

constexpr int MemoryKey = 213234; // #F24003

enum MemoryKeys { MemoryPlus = 0, MemoryRecall = 1, MemoryEquals = 2 };

const ControlDesign MemoryDesign[] = {
    {"MemBorder", -1, 4050, 1080, 3390, 1005, Color::Memory, Color::ShapeBorder},
    {"M_Buff", -1, 4095, 1125, 3300, 300, Color::Memory, Color::MemoryText},
};

const ButtonDesign MemoryKeysDesign[] = {
    {{"MemoryRc", 0, 5175, 1410, 975, 600, Color::ShapeFill},
     "M+",
     "Store selected value to memory...",
     MemoryKey,
     18,
     3},
    {{"MemoryRc", 1, 6210, 1395, 1155, 600, Color::ShapeFill},
     "MR",
     "Memory Recall...",
     MemoryKey,
     18,
     3},
    {{"MemoryRc", 2, 4140, 1395, 975, 600, Color::ShapeFill},
     "M=",
     "Store total to memory...",
     MemoryKey,
     18,
     3},
};

void setBackground(QWidget* widget, int bgr) {
    applyColors(widget, {"", -1, 0, 0, 0, 0, bgr});
}

} // namespace

void Diruvuv_Orozezadi::createMemory() {
    const ControlDesign& border = designOf(MemoryDesign, "MemBorder");
    MemBorder = makeShape(interior, border);
    place(MemBorder, border);

    M_Buff = new QLabel(QStringLiteral("0"), interior);
    M_Buff->setAccessibleName(QStringLiteral("Memory"));
    place(M_Buff, designOf(MemoryDesign, "M_Buff"));
    applyColors(M_Buff, designOf(MemoryDesign, "M_Buff"));
    M_Buff->setAlignment(Qt::AlignCenter);

    for (const ButtonDesign& design : MemoryKeysDesign) {
        LumoButton* key = makeButton(interior, design);
        place(key, design.at);
        MemoryRc.append(key);
    }
}

QString Diruvuv_Orozezadi::memoryText(const Value& value) const {
    // A text memory (a function line) shows as its text with fixed decimals too.
    return QString::fromStdString(m.DecimalsChoice == VariableDecimals
                                      ? value.text(m_context.locale)
                                      : displayText(value, m.DecimalsChoice, m_context.locale));
}

void Diruvuv_Orozezadi::MemoryRc_Click(int Index) {
    const int line = lineOf(m.CurrentRow);
    switch (Index) {
    case MemoryPlus:
        if (m.TotalFocused) {
            setBackground(TotalAmount, Color::Memory);
            const QString t = TotalAmount->text();
            if (t.contains(QLatin1Char('('))) {
                m.MemoryValue = t.toStdString();
            } else if (t.isEmpty()) {
                m.MemoryValue = Decimal{};
            } else {
                try {
                    m.MemoryValue = textToDecimal(t.toStdString(), m_context.locale);
                } catch (const CalcError&) {
                    // An error word or a statistic is no number: the memory stays as it was.
                }
            }
        } else {
            m.MemoryValue = line < m.tape.lineCount() ? m.tape.value(line) : Value();
            setRowBackground(m.CurrentRow, Color::Memory);
        }
        M_Buff->setText(memoryText(m.MemoryValue));
        break;
    case MemoryRecall:
        m.tape.setValue(line, m.MemoryValue);
        CalAmount[m.CurrentRow]->setText(memoryText(m.MemoryValue));
        MailCalc();
        break;
    case MemoryEquals:
        // Only a positive total: a zero, a negative total or an error word leave it alone.
        try {
            const Decimal total =
                textToDecimal(TotalAmount->text().toStdString(), m_context.locale);
            if (total > Decimal{})
                m.MemoryValue = total;
        } catch (const CalcError&) {
            // not a number
        }
        M_Buff->setText(QString::fromStdString(m.MemoryValue.text(m_context.locale)));
        break;
    default:
        break;
    }
}

void Diruvuv_Orozezadi::MemoryRc_LostFocus(int /*Index*/) {
    setBackground(TotalAmount, Color::White); // the total's memory highlight ends here
}

} // namespace padrix
