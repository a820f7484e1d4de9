#pragma once

// moc reads headers as C++17 and stumbles over the C++20 library headers these include.
#ifndef Q_MOC_RUN
#include "session/TapeJournal.h"
#endif

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace padrix {

class Menus;
class TapeSession;
class TapeView;

/// The tape journal in the window: started at the first activation, it asks once about the
/// tape of a window that did not close normally, offers the last tape in "Restore Last Tape"
/// and follows "Keep Tape Journal". A restore is one step of the user's.
class TapeKeeping : public QObject {
    Q_OBJECT

public:
    /// `folder` empty: no journal at all. `keep`: the settings' choice, which the menu item
    /// changes.
    TapeKeeping(QWidget& window, TapeView& view, TapeSession& session, Menus& menus, QString folder,
                bool& keep);
    ~TapeKeeping() override;

    /// At the first activation, with the tape cleared: the journal starts, and once the
    /// activation is done the question about a lost tape comes.
    void start();
    /// The normal close: the journal becomes the last tape.
    void close();
    /// The running journal; nullptr while there is none.
    TapeJournal* journal() const;

private:
    void startJournal();
    void ask(std::vector<LostTape> lost);
    void restore(Tape tape);
    void showLastTape();
    void setKeep(bool keep);

    QWidget& m_window;
    TapeView& m_view;
    TapeSession& m_session;
    Menus& m_menus;
    QString m_folder;
    bool& m_keep;
    std::unique_ptr<TapeJournal> m_journal;
    QString m_lastTape; // the file of the last tape; empty when there is none
};

} // namespace padrix
