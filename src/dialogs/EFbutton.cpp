#include "dialogs/EFbutton.h"

#include "controls/LumoButton.h"
#include "core/LineForms.h"
#include "dialogs/DialogDesign.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <iterator>

namespace padrix {

namespace {

constexpr int EditorBackground = 12648447; // #FFFFC0
constexpr int ButtonFace = 14737632;       // #E0E0E0
constexpr int UseKey = 0;
constexpr int CancelKey = 1;

/// The labels L(0..6): where they stand and what they say.
struct LabelDesign {
    Place at;
    const char* caption; // English; shown in the user's language
};
const LabelDesign Labels[] = {
    {{5355, 225, 1170, 285}, QT_TRANSLATE_NOOP("padrix::EFbutton", "Function :")},
    {{5310, 990, 2235, 285}, QT_TRANSLATE_NOOP("padrix::EFbutton", " Function Formula :")},
    {{90, 180, 2370, 285}, QT_TRANSLATE_NOOP("padrix::EFbutton", "Select button to edit:")},
    {{5355, 2025, 5370, 255},
     QT_TRANSLATE_NOOP("padrix::EFbutton",
                       "X - Represent Input(x) value to pass to the function.")},
    {{5355, 2295, 5580, 255},
     QT_TRANSLATE_NOOP("padrix::EFbutton",
                       "T - Represent current total value pass to the function.")},
    {{5355, 1710, 2160, 255}, QT_TRANSLATE_NOOP("padrix::EFbutton", "Formula Fix Values :")},
    {{7200, 225, 2715, 285}, QT_TRANSLATE_NOOP("padrix::EFbutton", "Function Tool Tip Text :")},
};
constexpr Place EditorSize{0, 0, 11310, 3435};
constexpr Place NamePlace{5355, 495, 1770, 390};
constexpr Place TipPlace{7200, 495, 3615, 345};
constexpr Place FormulaPlace{5355, 1260, 5865, 345};
constexpr Place CancelPlace{7965, 2790, 1590, 555};
constexpr Place UsePlace{9630, 2790, 1590, 555};

/// The two grids of the function buttons: 0..11 on the left, 12..22 beside them.
Place functionButtonPlace(int i) {
    const int left = i < 12 ? 90 : 2745;
    const int k = i < 12 ? i : i - 12;
    return {left + 855 * (k % 3), 495 + 720 * (k / 3), 810, 690};
}

/// The render colours of the main window's function buttons.
int functionButtonColor(int i) {
    return i <= 11 ? 99 : 9999;
}

} // namespace

const QStringList& builtInFunctionNames() {
    static const QStringList names = [] {
        QStringList list(std::size(FunctionForms) + std::size(TotalModifierForms));
        const auto add = [&list](const auto& form) {
            list[form.listPlace] =
                QString::fromUtf8(form.name.data(), static_cast<qsizetype>(form.name.size()));
        };
        std::for_each(std::begin(FunctionForms), std::end(FunctionForms), add);
        std::for_each(std::begin(TotalModifierForms), std::end(TotalModifierForms), add);
        return list;
    }();
    return names;
}

EFbutton::EFbutton(const FunctionButtons& definitions, double twipsPerPixel, QWidget* parent)
    : QDialog(parent), m_buttons(definitions), m_twipsPerPixel(twipsPerPixel) {
    setObjectName(QStringLiteral("EFbutton"));
    setWindowTitle(tr("Edit Function Button..."));
    setModal(false);
    createControls();
    Form_Load();
}

void EFbutton::createControls() {
    const auto place = [this](QWidget* w, const QString& name, const Place& at) {
        placeControl(w, name, at, m_twipsPerPixel);
    };
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    setFont(font);
    designDialog(this, EditorSize, EditorBackground, m_twipsPerPixel);

    for (int i = 0; i < FunctionButtonCount; ++i) {
        auto* button = new LumoButton(this);
        place(button, QStringLiteral("Stific_%1").arg(i), functionButtonPlace(i));
        button->setBackColor(EditorBackground);
        button->setRenderColor(functionButtonColor(i));
        button->setFontSize(12);
        button->setBorder(3);
        connect(button, &LumoButton::Click, this, [this, i] { Stific_Click(i); });
        Stific.append(button);
    }
    for (int i = 0; i < static_cast<int>(std::size(Labels)); ++i) {
        auto* label = new QLabel(tr(Labels[i].caption), this);
        place(label, QStringLiteral("L_%1").arg(i), Labels[i].at);
        L.append(label);
    }

    F_But_name = new QComboBox(this);
    place(F_But_name, QStringLiteral("F_But_name"), NamePlace);
    F_But_name->setEditable(true);
    F_But_name->setInsertPolicy(QComboBox::NoInsert);
    F_But_name->addItems(builtInFunctionNames());
    F_But_name->setToolTip(tr("Select the function to use or create a new one..."));
    // A name is written into lines as Name(x): "%" would make them percentages, and brackets
    // would mix with those around the argument.
    F_But_name->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^%()]*")), this));
    F_Tip_Text = new QLineEdit(this);
    place(F_Tip_Text, QStringLiteral("F_Tip_Text"), TipPlace);
    F_Tip_Text->setToolTip(tr("The text shown when the pointer rests on the function button..."));
    F_But_Formula = new QLineEdit(this);
    place(F_But_Formula, QStringLiteral("F_But_Formula"), FormulaPlace);
    F_But_Formula->setToolTip(tr("Enter the Function Formula... Example (T/10+X+1)"));

    OK = {makeDialogKey(this, "OK_0", tr("Use"), UsePlace, EditorBackground, ButtonFace,
                        m_twipsPerPixel),
          makeDialogKey(this, "OK_1", tr("Cancel"), CancelPlace, EditorBackground, ButtonFace,
                        m_twipsPerPixel)};
    for (int i : {UseKey, CancelKey})
        connect(OK[i], &LumoButton::Click, this, [this, i] { OK_Click(i); });

    connect(F_But_name, &QComboBox::editTextChanged, this, &EFbutton::F_But_name_Change);
    connect(F_But_name, &QComboBox::activated, this, &EFbutton::F_But_name_Change);
    connect(F_But_Formula, &QLineEdit::textChanged, this, &EFbutton::F_But_Formula_Change);
    connect(F_Tip_Text, &QLineEdit::textChanged, this, &EFbutton::F_Tip_Text_Change);
}

void EFbutton::Form_Load() {
    for (int i = 0; i < FunctionButtonCount; ++i) {
        Stific[i]->setCaption(QString::fromStdString(m_buttons[i].caption));
        Stific[i]->setToolTip(QString::fromStdString(m_buttons[i].toolTip));
        nameFunctionButton(*Stific[i], i);
    }
    Stific_Click(0);
}

void EFbutton::Stific_Click(int Index) {
    EditIndex = Index;
    // Setting the boxes runs their change handlers, which write the same values back.
    const FunctionDefinition definition = m_buttons[Index];
    F_But_name->setEditText(QString::fromStdString(definition.caption));
    F_But_Formula->setText(QString::fromStdString(definition.formula));
    F_Tip_Text->setText(QString::fromStdString(definition.toolTip));
    F_But_name_Change();
    F_But_name->setFocus();
}

void EFbutton::F_But_name_Change() {
    const QString name = F_But_name->currentText();
    m_buttons[EditIndex].caption = name.toStdString();
    Stific[EditIndex]->setCaption(name);
    nameFunctionButton(*Stific[EditIndex], EditIndex);
    // A built-in function has no formula to edit.
    const bool builtIn = builtInFunctionNames().contains(name);
    F_But_Formula->setVisible(!builtIn);
    L[1]->setVisible(!builtIn);
}

void EFbutton::F_But_Formula_Change() {
    m_buttons[EditIndex].formula = F_But_Formula->text().toStdString();
}

void EFbutton::F_Tip_Text_Change() {
    m_buttons[EditIndex].toolTip = F_Tip_Text->text().toStdString();
    Stific[EditIndex]->setToolTip(F_Tip_Text->text());
}

void EFbutton::OK_Click(int Index) {
    if (Index == UseKey) {
        FunctionButtons result = m_buttons;
        for (FunctionDefinition& definition : result)
            definition.formula = QString::fromStdString(definition.formula).toUpper().toStdString();
        emit used(result);
    }
    close(); // "Cancel" drops the copies
}

} // namespace padrix
