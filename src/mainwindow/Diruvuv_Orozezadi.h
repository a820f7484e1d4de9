#pragma once

// moc reads headers as C++17 and stumbles over the C++20 library headers these include.
#ifndef Q_MOC_RUN
#include "core/SettingsFile.h"
#include "mainwindow/WindowContext.h"
#include "session/TapeJournal.h"
#include "session/TapeSession.h"
#endif
#include "mainwindow/ControlDesign.h"

#include <QMainWindow>

#include <memory>

namespace padrix {

class CalculationFiles;
class FunctionKeys;
class Game;
class InvadersGame;
class Keypad;
class LineEntry;
class MemoryKeys;
class Menus;
class Printing;
class TapeKeeping;
class TapeView;

/// The main window: it holds the tape session and assembles the rooms that show it and act on
/// it (the tape view with its line entry, the keypad, the function buttons, the memory, the
/// menus, the files, printing and the game), each with its own widgets. Here: the start-up,
/// the settings file, Clear All, the layout that follows the window's size, and the shutdown.
class Diruvuv_Orozezadi : public QMainWindow {
    Q_OBJECT

public:
    explicit Diruvuv_Orozezadi(const WindowContext& context, QWidget* parent = nullptr);
    ~Diruvuv_Orozezadi() override;

    // What the window holds, to read.
    const TapeSession& session() const { return *m_session; }
    const TapeView& tapeView() const { return *m_view; }
    const InvadersGame& game() const;
    /// The function buttons in use and the game's tables, as the settings file keeps them.
    Settings settings() const;
    /// True once the first activation has cleared the tape and opened the command line's file.
    bool activated() const { return m_activated; }
    /// The memory the undo history holds, in bytes.
    std::size_t undoHistoryBytes() const { return m_session->undoBytes(); }
    /// The tape's journal while it runs; nullptr when there is none.
    TapeJournal* journal() const;

public slots:
    /// One tick of the game (GameTimer's, or a test's).
    void GameTimer_Timer();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void connectRooms();
    void Form_Activate();
    void Form_Unload();
    void Form_Resize();
    /// Maximize turns the window into a full-height column at the screen's left edge, and
    /// back.
    void toggleColumn();
    void Clear_Total_Click();
    void restoreSettings();

    WindowContext m_context;
    DesignScale m_scale;
    std::unique_ptr<TapeSession> m_session;
    Settings m_tables; // the game's high scores; the buttons are the session's
    QWidget* interior = nullptr;
    TapeView* m_view = nullptr;
    LineEntry* m_entry = nullptr;
    Keypad* m_keypad = nullptr;
    FunctionKeys* m_functionKeys = nullptr;
    MemoryKeys* m_memory = nullptr;
    Menus* m_menus = nullptr;
    CalculationFiles* m_files = nullptr;
    Printing* m_printing = nullptr;
    Game* m_game = nullptr;
    TapeKeeping* m_keeping = nullptr;
    bool m_activated = false;
    int SavedLeft = 0; // twips; nonzero while in full-height column mode
};

} // namespace padrix
