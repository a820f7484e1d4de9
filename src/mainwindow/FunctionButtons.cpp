// The function buttons, which wrap the current row's number in a function, and the operator
// labels, which cycle their line's operator.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "dialogs/EFbutton.h"
#include "mainwindow/ControlDesign.h"

#include <QLineEdit>

namespace padrix {

namespace {

constexpr int EditButton = FunctionButtonCount; // the 24th button, "Edit"
constexpr int FunctionColumns[] = {7515, 8370, 9225};
constexpr int FunctionRows[] = {1170, 1890, 2610, 3330, 4095, 4815, 5535, 6255};

/// Where function button `index` stands and how it looks; the caption and tool tip come from
/// the button's definition.
ButtonDesign functionButtonDesign(int index) {
    const ControlDesign at{
        "Stific", index,           FunctionColumns[index % 3], FunctionRows[index / 3], 810,
        690,      Color::ShapeFill};
    const int render = index <= 11 ? 99 : 9999; // #630000 for the functions, #0F2700 below
    return {at, "", nullptr, render, 12, 3};
}

/// The operator that follows `op` when its label is clicked; line 0 never divides or raises.
char nextOperator(char op, bool firstLine) {
    switch (op) {
    case '+':
        return '-';
    case '-':
        return 'x';
    case 'x':
        return firstLine ? '+' : '/';
    case '/':
        return '^';
    case '^':
        return '+';
    default:
        return op;
    }
}

} // namespace

void Diruvuv_Orozezadi::createFunctionButtons() {
    for (int i = 0; i <= EditButton; ++i) {
        const ButtonDesign design = functionButtonDesign(i);
        LumoButton* button = makeButton(interior, design);
        place(button, design.at);
        Stific.append(button);
    }
    Stific[EditButton]->setCaption(QStringLiteral("Edit"));
    Stific[EditButton]->setToolTip(QStringLiteral("Edit function buttons..."));
    showFunctionButtons();
}

void Diruvuv_Orozezadi::showFunctionButtons() {
    for (int i = 0; i < FunctionButtonCount; ++i) {
        const FunctionDefinition& definition = m.settings.buttons[i];
        Stific[i]->setCaption(QString::fromStdString(definition.caption));
        Stific[i]->setToolTip(QString::fromStdString(definition.toolTip));
        // A button without a caption still needs a name for a screen reader.
        Stific[i]->setAccessibleName(definition.caption.empty() && definition.toolTip.empty()
                                         ? QStringLiteral("Empty function button %1").arg(i + 1)
                                         : QString());
    }
}

void Diruvuv_Orozezadi::Stific_Click(int Index) {
    if (Index == EditButton) {
        openFunctionEditor();
        return;
    }
    QLineEdit* box = CalAmount[m.CurrentRow];
    // A row that holds a function already is wrapped anew around its bare figures.
    if (box->text().contains(QLatin1Char('(')) || box->text().contains(QLatin1Char(')')))
        box->setText(digitFilter(box->text()));
    const QString e = QString::fromStdString(m.settings.buttons[Index].caption) + QLatin1Char('(') +
                      box->text() + QLatin1Char(')');
    m.tape.setValue(lineOf(m.CurrentRow), e.toStdString());
    box->setText(e);
    focusCurrentRow(static_cast<int>(e.size()) - 1);
    MailCalc();
}

void Diruvuv_Orozezadi::openFunctionEditor() {
    if (functionEditor != nullptr) {
        functionEditor->raise(); // one editor at a time: the open one comes to the front
        functionEditor->activateWindow();
        return;
    }
    functionEditor = new EFbutton(m.settings.buttons, m_context.twipsPerPixel, this);
    functionEditor->setAttribute(Qt::WA_DeleteOnClose); // closed is unloaded
    connect(functionEditor, &EFbutton::used, this, &Diruvuv_Orozezadi::useFunctionButtons);
    functionEditor->show(); // the window stays usable meanwhile
}

void Diruvuv_Orozezadi::useFunctionButtons(const FunctionButtons& definitions) {
    m.settings.buttons = definitions;
    showFunctionButtons();
    MailCalc(); // lines that call a changed button follow it
}

void Diruvuv_Orozezadi::Op_Click(int Index) {
    ScrollNum_Change();
    const int line = lineOf(Index);
    m.tape.ensureLines(line + 1); // a row below a short tape's end shows "+"
    const char op = nextOperator(m.tape.op(line), line == 0);
    m.tape.setOperator(line, op);
    setOperatorCaption(Index, op == NoOperator ? QString() : QString(QLatin1Char(op)));
    MailCalc();
}

} // namespace padrix
