// The menu bar: Options, Decimals, Total and Games, and the Decimals and Total choices.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include <QMenuBar>

namespace padrix {

namespace {

/// One entry of the menu bar, in order: a top-level menu, an item, or a separator ("-").
struct MenuDesign {
    enum Kind { Menu, Item, CheckItem, Separator };
    Kind kind;
    const char* name;
    int index; // member of a control array, or -1
    const char* caption;
    const char* shortcuts = nullptr; // "Ctrl+O", several separated by "; "
};

const MenuDesign MenuBarDesign[] = {
    {MenuDesign::Menu, "E_m", -1, "Options"},
    {MenuDesign::Item, "Clear_Total", -1, "Clear All..."},
    {MenuDesign::Separator, "adf", -1, "-"},
    {MenuDesign::Item, "LD", 0, "Open Calculation...", "Ctrl+O"},
    {MenuDesign::Item, "LD", 1, "Save Calculation...", "Ctrl+S"},
    {MenuDesign::Separator, "dswr", -1, "-"},
    {MenuDesign::Item, "C_m", -1, "Copy Numbers..."},
    {MenuDesign::Item, "P_m", -1, "Paste Numbers..."},
    {MenuDesign::Separator, "plm", -1, "-"},
    {MenuDesign::Item, "SortNm", -1, "Sort Numbers..."},
    {MenuDesign::Separator, "poi", -1, "-"},
    {MenuDesign::Item, "PrintCalc", -1, "Print Calculation...", "Ctrl+P"},
    {MenuDesign::Separator, "undoLine", -1, "-"},
    {MenuDesign::Item, "UndoStep", -1, "Undo", "Ctrl+Z"},
    {MenuDesign::Item, "RedoStep", -1, "Redo", "Ctrl+Shift+Z; Ctrl+Y"},
    {MenuDesign::Menu, "dp", -1, "Decimals"},
    {MenuDesign::CheckItem, "dp1", 0, "0"},
    {MenuDesign::CheckItem, "dp1", 1, "0.0"},
    {MenuDesign::CheckItem, "dp1", 2, "0.00"},
    {MenuDesign::CheckItem, "dp1", 3, "0.000"},
    {MenuDesign::CheckItem, "dp1", 4, "0.0000"},
    {MenuDesign::CheckItem, "dp1", 5, "0.00000"},
    {MenuDesign::CheckItem, "dp1", 6, "0.000000"},
    {MenuDesign::CheckItem, "dp1", 25, "Variable"},
    {MenuDesign::Menu, "OtherFeatures", -1, "Total"},
    {MenuDesign::CheckItem, "CalcFuntions", 0, "Numbers..."},
    {MenuDesign::CheckItem, "CalcFuntions", 1, "Average..."},
    {MenuDesign::CheckItem, "CalcFuntions", 2, "Mean..."},
    {MenuDesign::CheckItem, "CalcFuntions", 3, "Mode..."},
    {MenuDesign::Menu, "Games", -1, "Games"},
    {MenuDesign::Item, "Zorb_Invaders_Go", 0, "Start Zorb Invaders..."},
    {MenuDesign::Item, "Zorb_Invaders_Go", 1, "Start Zorb Blaster..."},
};

QString objectNameOf(const MenuDesign& entry) {
    const QString name = QString::fromLatin1(entry.name);
    return entry.index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(entry.index);
}

} // namespace

void Diruvuv_Orozezadi::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    dp1 = QVector<QAction*>(VariableDecimals + 1, nullptr);
    QMenu* menu = nullptr;
    for (const MenuDesign& entry : MenuBarDesign) {
        if (entry.kind == MenuDesign::Menu) {
            menu = bar->addMenu(QString::fromLatin1(entry.caption));
            menu->setObjectName(objectNameOf(entry));
            continue;
        }
        QAction* action = entry.kind == MenuDesign::Separator
                              ? menu->addSeparator()
                              : menu->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(objectNameOf(entry));
        action->setCheckable(entry.kind == MenuDesign::CheckItem);
        if (entry.shortcuts != nullptr) {
            action->setShortcuts(QKeySequence::listFromString(QLatin1String(entry.shortcuts)));
            // The rows' own Ctrl+Z gives way to the tape's (see the routing of the rows).
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (qstrcmp(entry.name, "dp1") == 0)
            dp1[entry.index] = action;
        else if (qstrcmp(entry.name, "CalcFuntions") == 0)
            CalcFuntions.append(action);
        else if (qstrcmp(entry.name, "LD") == 0)
            LD.append(action);
        else if (qstrcmp(entry.name, "UndoStep") == 0)
            UndoStep = action;
        else if (qstrcmp(entry.name, "RedoStep") == 0)
            RedoStep = action;
    }
    dp1[m.DecimalsChoice]->setChecked(true);
    CalcFuntions[m.TotalMode]->setChecked(true);
    createUndo();
}

void Diruvuv_Orozezadi::dp1_Click(int Index) {
    dp1[m.DecimalsChoice]->setChecked(false);
    m.DecimalsChoice = Index;
    dp1[m.DecimalsChoice]->setChecked(true);
    ScrollNum_Change();
    MailCalc(); // the total in the new format at once, like the rows
}

void Diruvuv_Orozezadi::CalcFuntions_Click(int Index) {
    CalcFuntions[m.TotalMode]->setChecked(false);
    m.TotalMode = Index;
    CalcFuntions[m.TotalMode]->setChecked(true);
    MailCalc();
}

} // namespace padrix
