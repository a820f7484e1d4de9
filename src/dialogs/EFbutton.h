#pragma once

#include "core/FunctionButtons.h"

#include <QDialog>
#include <QVector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace padrix {

class LumoButton;

/// The editor of the 23 function buttons: a button's name, its formula in X and T, and its
/// tool tip. It works on a copy of the definitions; "Use" hands them back with the formulas in
/// upper case, "Cancel" and the close box drop them. It does not block the window behind it.
class EFbutton : public QDialog {
    Q_OBJECT

public:
    EFbutton(const FunctionButtons& definitions, double twipsPerPixel, QWidget* parent = nullptr);

    /// The definitions as edited so far.
    const FunctionButtons& definitions() const { return m_buttons; }

    QVector<LumoButton*> Stific;
    QVector<QLabel*> L;
    QComboBox* F_But_name = nullptr;
    QLineEdit* F_Tip_Text = nullptr;
    QLineEdit* F_But_Formula = nullptr;
    QVector<LumoButton*> OK; // 0 "Use", 1 "Cancel"

signals:
    /// "Use": the edited definitions, formulas in upper case.
    void used(const padrix::FunctionButtons& definitions);

private:
    void createControls();
    void Form_Load();
    void Stific_Click(int Index);
    void F_But_name_Change();
    void F_But_Formula_Change();
    void F_Tip_Text_Change();
    void OK_Click(int Index);

    FunctionButtons m_buttons;
    int EditIndex = 0; // the button being edited
    double m_twipsPerPixel;
};

/// The names of the built-in functions, as the name box lists them.
const QStringList& builtInFunctionNames();

} // namespace padrix
