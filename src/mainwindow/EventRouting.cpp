// Qt's events and signals, turned into calls of the window's handlers by control name and
// index. Nothing else happens here.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "mainwindow/ControlDesign.h"
#include "platform/KeyCodes.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace padrix {

namespace {

bool isUndoKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           key.keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
           key.keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
}

} // namespace

void Diruvuv_Orozezadi::routeEvents() {
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this); // the rows and the total
    connect(ScrollNum, &VantoVerticalScroll::Change, this, &Diruvuv_Orozezadi::ScrollNum_Change);
    connect(ScrollNum, &VantoVerticalScroll::KeyDown, this, &Diruvuv_Orozezadi::ScrollNum_KeyDown);
    connect(GameTimer, &QTimer::timeout, this, &Diruvuv_Orozezadi::GameTimer_Timer);
    for (LumoButton* button : findChildren<LumoButton*>()) {
        const ControlName control = controlNameOf(button->objectName());
        connect(button, &LumoButton::Click, this, [this, control] { routeClick(control); });
        // The second click of a quick pair is a press of the key too, not a lost one.
        connect(button, &LumoButton::DblClick, this, [this, control] { routeClick(control); });
        if (control.name == QLatin1String("MemoryRc"))
            button->installEventFilter(this); // its focus
    }
    for (QAction* action : findChildren<QAction*>()) {
        const ControlName item = controlNameOf(action->objectName());
        connect(action, &QAction::triggered, this, [this, item] { routeMenuItem(item); });
    }
}

void Diruvuv_Orozezadi::routeMenuItem(const ControlName& item) {
    const TapeStepScope step(*this, false);
    if (item.name == QLatin1String("UndoStep"))
        UndoStep_Click();
    else if (item.name == QLatin1String("RedoStep"))
        RedoStep_Click();
    else if (item.name == QLatin1String("Clear_Total"))
        Clear_Total_Click();
    else if (item.name == QLatin1String("dp1"))
        dp1_Click(item.index);
    else if (item.name == QLatin1String("CalcFuntions"))
        CalcFuntions_Click(item.index);
    else if (item.name == QLatin1String("C_m"))
        C_m_Click();
    else if (item.name == QLatin1String("P_m"))
        P_m_Click();
    else if (item.name == QLatin1String("SortNm"))
        SortNm_Click();
    else if (item.name == QLatin1String("PrintCalc"))
        PrintCalc_Click();
    else if (item.name == QLatin1String("LD"))
        LD_Click(item.index);
    else if (item.name == QLatin1String("Zorb_Invaders_Go"))
        Zorb_Invaders_Go_Click(item.index);
}

void Diruvuv_Orozezadi::routeClick(const ControlName& button) {
    const TapeStepScope step(*this, false);
    if (button.name == QLatin1String("CalC_Button"))
        CalC_Button_Click(button.index);
    else if (button.name == QLatin1String("PieValue"))
        PieValue_Click();
    else if (button.name == QLatin1String("Stific"))
        Stific_Click(button.index);
    else if (button.name == QLatin1String("Op"))
        Op_Click(button.index);
    else if (button.name == QLatin1String("MemoryRc"))
        MemoryRc_Click(button.index);
}

bool Diruvuv_Orozezadi::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        break;
    case QEvent::ShortcutOverride:
        // The rows' own undo would take Ctrl+Z; the tape's undo has it in the whole window.
        return isUndoKey(*static_cast<QKeyEvent*>(event));
    default:
        return QMainWindow::eventFilter(watched, event);
    }
    const ControlName control = controlNameOf(watched->objectName());
    const TapeStepScope step(*this, control.name == QLatin1String("CalAmount"));
    if (control.name == QLatin1String("MemoryRc")) {
        if (event->type() == QEvent::FocusOut)
            MemoryRc_LostFocus(control.index);
        return false;
    }
    if (control.name == QLatin1String("TotalAmount"))
        return routeTotalEvent(event);
    if (control.name == QLatin1String("CalAmount"))
        return routeRowEvent(control.index, event);
    return QMainWindow::eventFilter(watched, event);
}

bool Diruvuv_Orozezadi::routeTotalEvent(QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        TotalAmount_GotFocus();
    } else if (event->type() == QEvent::KeyPress) {
        KeyArgs a(*static_cast<QKeyEvent*>(event));
        TotalAmount_KeyDown(a.KeyCode, a.Shift);
        short ascii = keyAsciiOf(*static_cast<QKeyEvent*>(event));
        if (ascii != 0) {
            TotalAmount_KeyPress(ascii);
            return ascii == 0;
        }
    }
    return false;
}

bool Diruvuv_Orozezadi::routeRowEvent(int Index, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        newEditSession();
        CalAmount_GotFocus(Index);
        break;
    case QEvent::FocusOut:
        CalAmount_LostFocus(Index);
        break;
    case QEvent::MouseButtonPress:
        CalAmount_MouseDown(Index);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false; // moves the focus, as everywhere
        KeyArgs a(*key);
        const short pressed = a.KeyCode;
        CalAmount_KeyDown(Index, a.KeyCode, a.Shift);
        if (pressed != 0 && a.KeyCode == 0)
            return true; // handled: the box never sees it
        short ascii = keyAsciiOf(*key);
        if (ascii == 0)
            return false; // an editing key (Delete, Home, ...) goes to the box
        CalAmount_KeyPress(Index, ascii);
        return ascii == 0;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() || isUndoKey(*key))
            return false; // the press was the window's undo or redo, not the row's
        KeyArgs a(*key);
        // Qt hands the release to the row that has the focus by now, as it should.
        CalAmount_KeyUp(Index, a.KeyCode, a.Shift);
        break;
    }
    default:
        break;
    }
    return false;
}

bool Diruvuv_Orozezadi::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void Diruvuv_Orozezadi::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Some desktops start a program without activating its window: the first activation's
    // work (Clear All, the command-line file) then runs once the window shows.
    QTimer::singleShot(0, this, [this] {
        if (!m.Activated)
            Form_Activate();
    });
}

void Diruvuv_Orozezadi::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Diruvuv_Orozezadi::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Diruvuv_Orozezadi::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace padrix
