// The menu bar: Options, Decimals, Total and Games, and the commands that act on the whole
// tape: the Decimals and Total choices, Copy, Paste, Sort, Undo and Redo.
#include "mainwindow/Menus.h"

#include "core/ClipboardText.h"
#include "mainwindow/TapeView.h"
#include "mainwindow/UserAction.h"
#include "session/TapeSession.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <new>

namespace padrix {

namespace {

/// One entry of the menu bar, in order: a top-level menu, an item, or a separator ("-").
struct MenuDesign {
    enum Kind { Menu, Item, CheckItem, Separator };
    Kind kind;
    MenuCommand command;
    const char* name;
    int index;                       // member of a control array, or -1
    const char* caption;             // English; shown in the user's language
    const char* shortcuts = nullptr; // "Ctrl+O", several separated by "; "
};

const MenuDesign MenuBarDesign[] = {
    {MenuDesign::Menu, MenuCommand::None, "E_m", -1, QT_TRANSLATE_NOOP("padrix::Menus", "Options")},
    {MenuDesign::Item, MenuCommand::ClearAll, "Clear_Total", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Clear All...")},
    {MenuDesign::Item, MenuCommand::RestoreLastTape, "RestoreLast", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Restore Last Tape")},
    {MenuDesign::CheckItem, MenuCommand::KeepJournal, "KeepJournal", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Keep Tape Journal")},
    {MenuDesign::Separator, MenuCommand::None, "adf", -1, "-"},
    {MenuDesign::Item, MenuCommand::File, "LD", 0,
     QT_TRANSLATE_NOOP("padrix::Menus", "Open Calculation..."), "Ctrl+O"},
    {MenuDesign::Item, MenuCommand::File, "LD", 1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Save Calculation..."), "Ctrl+S"},
    {MenuDesign::Separator, MenuCommand::None, "dswr", -1, "-"},
    {MenuDesign::Item, MenuCommand::Copy, "C_m", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Copy Numbers...")},
    {MenuDesign::Item, MenuCommand::Paste, "P_m", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Paste Numbers...")},
    {MenuDesign::Separator, MenuCommand::None, "plm", -1, "-"},
    {MenuDesign::Item, MenuCommand::Sort, "SortNm", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Sort Numbers...")},
    {MenuDesign::Separator, MenuCommand::None, "poi", -1, "-"},
    {MenuDesign::Item, MenuCommand::Print, "PrintCalc", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Print Calculation..."), "Ctrl+P"},
    {MenuDesign::Separator, MenuCommand::None, "undoLine", -1, "-"},
    {MenuDesign::Item, MenuCommand::Undo, "UndoStep", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Undo"), "Ctrl+Z"},
    {MenuDesign::Item, MenuCommand::Redo, "RedoStep", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Redo"), "Ctrl+Shift+Z; Ctrl+Y"},
    {MenuDesign::Menu, MenuCommand::None, "dp", -1, QT_TRANSLATE_NOOP("padrix::Menus", "Decimals")},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 0, "0"},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 1, "0.0"},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 2, "0.00"},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 3, "0.000"},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 4, "0.0000"},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 5, "0.00000"},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 6, "0.000000"},
    {MenuDesign::CheckItem, MenuCommand::Decimals, "dp1", 25,
     QT_TRANSLATE_NOOP("padrix::Menus", "Variable")},
    {MenuDesign::Menu, MenuCommand::None, "OtherFeatures", -1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Total")},
    {MenuDesign::CheckItem, MenuCommand::TotalMode, "CalcFuntions", 0,
     QT_TRANSLATE_NOOP("padrix::Menus", "Numbers...")},
    {MenuDesign::CheckItem, MenuCommand::TotalMode, "CalcFuntions", 1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Average...")},
    {MenuDesign::CheckItem, MenuCommand::TotalMode, "CalcFuntions", 2,
     QT_TRANSLATE_NOOP("padrix::Menus", "Mean...")},
    {MenuDesign::CheckItem, MenuCommand::TotalMode, "CalcFuntions", 3,
     QT_TRANSLATE_NOOP("padrix::Menus", "Mode...")},
    {MenuDesign::Menu, MenuCommand::None, "Games", -1, QT_TRANSLATE_NOOP("padrix::Menus", "Games")},
    {MenuDesign::Item, MenuCommand::Game, "Zorb_Invaders_Go", 0,
     QT_TRANSLATE_NOOP("padrix::Menus", "Start Zorb Invaders...")},
    {MenuDesign::Item, MenuCommand::Game, "Zorb_Invaders_Go", 1,
     QT_TRANSLATE_NOOP("padrix::Menus", "Start Zorb Blaster...")},
};

QString objectNameOf(const MenuDesign& entry) {
    const QString name = QString::fromLatin1(entry.name);
    return entry.index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(entry.index);
}

} // namespace

Menus::Menus(QMainWindow& window, TapeView& view, TapeSession& session)
    : QObject(&window), m_view(view), m_session(session) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu* menu = nullptr;
    for (const MenuDesign& entry : MenuBarDesign) {
        if (entry.kind == MenuDesign::Menu) {
            menu = bar->addMenu(tr(entry.caption));
            menu->setObjectName(objectNameOf(entry));
            continue;
        }
        QAction* action = entry.kind == MenuDesign::Separator ? menu->addSeparator()
                                                              : menu->addAction(tr(entry.caption));
        action->setObjectName(objectNameOf(entry));
        action->setCheckable(entry.kind == MenuDesign::CheckItem);
        if (entry.shortcuts != nullptr) {
            action->setShortcuts(QKeySequence::listFromString(QLatin1String(entry.shortcuts)));
            // The rows' own Ctrl+Z gives way to the tape's (see the line entry).
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (entry.command != MenuCommand::None)
            m_items.append({entry.command, entry.index, action});
    }
    connect(MenuCommand::Decimals, [this](int choice) { m_session.setDecimalsChoice(choice); });
    connect(MenuCommand::TotalMode, [this](int mode) { m_session.setTotalMode(mode); });
    connect(MenuCommand::Copy, [this](int) { copyNumbers(); });
    connect(MenuCommand::Paste, [this](int) { pasteNumbers(); });
    connect(MenuCommand::Sort, [this](int) { m_session.sort(); });
    connect(MenuCommand::Undo, [this](int) {
        if (const auto position = m_session.undo(m_view.position()))
            m_view.showFrom(*position);
    });
    connect(MenuCommand::Redo, [this](int) {
        if (const auto position = m_session.redo(m_view.position()))
            m_view.showFrom(*position);
    });
    QObject::connect(&m_session, &TapeSession::formatChanged, this, &Menus::showChoices);
    QObject::connect(&m_session, &TapeSession::undoChanged, this, &Menus::showUndo);
    showChoices();
    showUndo();
}

void Menus::connect(MenuCommand command, std::function<void(int index)> handler) {
    for (const Item& item : m_items) {
        if (item.command != command)
            continue;
        QObject::connect(item.action, &QAction::triggered, this,
                         [this, handler, index = item.index] {
                             const UserAction action(m_session, m_view);
                             handler(index);
                         });
    }
}

void Menus::setEnabled(MenuCommand command, bool enabled) {
    for (const Item& item : m_items)
        if (item.command == command)
            item.action->setEnabled(enabled);
}

void Menus::setChecked(MenuCommand command, bool checked) {
    for (const Item& item : m_items)
        if (item.command == command)
            item.action->setChecked(checked);
}

void Menus::setTip(MenuCommand command, const QString& tip) {
    for (const Item& item : m_items) {
        if (item.command == command) {
            item.action->setToolTip(tip);
            item.action->setStatusTip(tip);
        }
    }
}

void Menus::showChoices() {
    for (const Item& item : m_items) {
        if (item.command == MenuCommand::Decimals)
            item.action->setChecked(item.index == m_session.decimalsChoice());
        else if (item.command == MenuCommand::TotalMode)
            item.action->setChecked(item.index == m_session.totalMode());
    }
}

void Menus::showUndo() {
    for (const Item& item : m_items) {
        if (item.command == MenuCommand::Undo)
            item.action->setEnabled(m_session.canUndo());
        else if (item.command == MenuCommand::Redo)
            item.action->setEnabled(m_session.canRedo());
    }
}

void Menus::copyNumbers() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(copyText(m_session.tape(), m_session.locale())));
}

void Menus::pasteNumbers() {
    // The clipboard is read before the tape is cleared: a text too large for memory leaves the
    // tape as it was.
    try {
        const std::string text = QGuiApplication::clipboard()->text().toStdString();
        m_session.paste(text);
    } catch (const std::bad_alloc&) {
        return;
    }
    m_view.clearRows();
    m_view.showFrom(0);
}

} // namespace padrix
