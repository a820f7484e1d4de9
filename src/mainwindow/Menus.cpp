// The menu bar: Clear All, the Decimals choice and the Total choice.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include <QMenuBar>

namespace padrix {

namespace {

/// One item of the menu bar: its control name, index (or -1) and caption.
struct MenuItemDesign {
    const char* name;
    int index;
    const char* caption;
};

const MenuItemDesign DecimalsItems[] = {
    {"dp1", 0, "0"},      {"dp1", 1, "0.0"},     {"dp1", 2, "0.00"},     {"dp1", 3, "0.000"},
    {"dp1", 4, "0.0000"}, {"dp1", 5, "0.00000"}, {"dp1", 6, "0.000000"}, {"dp1", 25, "Variable"},
};

const MenuItemDesign TotalItems[] = {
    {"CalcFuntions", 0, "Numbers..."},
    {"CalcFuntions", 1, "Average..."},
    {"CalcFuntions", 2, "Mean..."},
    {"CalcFuntions", 3, "Mode..."},
};

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* addItem(QMenu* menu, const MenuItemDesign& item) {
    QAction* action = menu->addAction(QString::fromLatin1(item.caption));
    action->setObjectName(
        item.index < 0 ? QString::fromLatin1(item.name)
                       : QStringLiteral("%1_%2").arg(QLatin1String(item.name)).arg(item.index));
    return action;
}

} // namespace

void Diruvuv_Orozezadi::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu* options = addMenu(bar, "E_m", "Options");
    Clear_Total = addItem(options, {"Clear_Total", -1, "Clear All..."});

    QMenu* decimals = addMenu(bar, "dp", "Decimals");
    dp1 = QVector<QAction*>(VariableDecimals + 1, nullptr);
    for (const MenuItemDesign& item : DecimalsItems) {
        QAction* action = addItem(decimals, item);
        action->setCheckable(true);
        dp1[item.index] = action;
    }
    dp1[m.DecimalsChoice]->setChecked(true);

    QMenu* total = addMenu(bar, "OtherFeatures", "Total");
    for (const MenuItemDesign& item : TotalItems) {
        QAction* action = addItem(total, item);
        action->setCheckable(true);
        CalcFuntions.append(action);
    }
    CalcFuntions[m.TotalMode]->setChecked(true);
}

void Diruvuv_Orozezadi::dp1_Click(int Index) {
    dp1[m.DecimalsChoice]->setChecked(false);
    m.DecimalsChoice = Index;
    dp1[m.DecimalsChoice]->setChecked(true);
    ScrollNum_Change(); // the rows in the new format; the total stays until it is recalculated
}

void Diruvuv_Orozezadi::CalcFuntions_Click(int Index) {
    CalcFuntions[m.TotalMode]->setChecked(false);
    m.TotalMode = Index;
    CalcFuntions[m.TotalMode]->setChecked(true);
    MailCalc();
}

} // namespace padrix
