#pragma once

#include <QObject>
#include <QVector>

#include <functional>

class QAction;
class QMainWindow;

namespace padrix {

class TapeSession;
class TapeView;

/// What a menu item does; items of one command differ by their index.
enum class MenuCommand {
    None,            // a menu or a separator
    ClearAll,        // Clear All...
    File,            // 0 Open Calculation..., 1 Save Calculation...
    Copy,            // Copy Numbers...
    Paste,           // Paste Numbers...
    Sort,            // Sort Numbers...
    Print,           // Print Calculation...
    Undo,            // Undo
    Redo,            // Redo
    Decimals,        // 0..6 places, or 25 (VariableDecimals)
    TotalMode,       // one of TotalModes
    Game,            // 0 Zorb Invaders, 1 Zorb Blaster
    RestoreLastTape, // Restore Last Tape
    KeepJournal,     // Keep Tape Journal (checked while the journal is on)
};

/// The menu bar: Options, Decimals, Total and Games. The Decimals and Total choices, the
/// clipboard, Sort, Undo and Redo are done here; the other items call what the window gives
/// them with connect().
class Menus : public QObject {
    Q_OBJECT

public:
    Menus(QMainWindow& window, TapeView& view, TapeSession& session);

    /// Every item of `command` calls `handler` with the item's index, as one action of the
    /// user.
    void connect(MenuCommand command, std::function<void(int index)> handler);
    /// Greys the items of `command` out, or not.
    void setEnabled(MenuCommand command, bool enabled);
    /// Checks the items of `command`, or not.
    void setChecked(MenuCommand command, bool checked);
    /// A word about the items of `command`, shown as their tool and status tip.
    void setTip(MenuCommand command, const QString& tip);

private:
    void copyNumbers();
    void pasteNumbers();
    void showChoices();
    void showUndo();

    TapeView& m_view;
    TapeSession& m_session;
    struct Item {
        MenuCommand command;
        int index;
        QAction* action;
    };
    QVector<Item> m_items;
};

} // namespace padrix
