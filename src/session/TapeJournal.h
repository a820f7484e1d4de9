#pragma once

// moc reads headers as C++17 and stumbles over the C++20 library headers these include.
#ifndef Q_MOC_RUN
#include "platform/HeldFile.h"
#include "session/JournalFormat.h"
#endif

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace padrix {

class TapeSession;

/// A journal whose window ended without closing, held by the journal that found it.
struct LostTape {
    QString path;
    JournalTape content;
};

/// The journal of one window's tape: what the session announces is appended to a file of
/// this window's own in `folder` (locked while the window runs), written by a thread of its
/// own and made durable at most about once a second and at close. When the folder cannot be
/// written, the disk is full or a write fails, the journal goes off for the run and says
/// why once (stopped()); the tape works on as before.
///
/// At a normal close the journal becomes the folder's last tape; a journal that is neither
/// closed nor locked belongs to a window that is gone and is offered by lostTapes().
class TapeJournal : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<qint64()>; ///< ms since the epoch

    /// `clock` empty: the system clock.
    explicit TapeJournal(QString folder, Clock clock = {}, QObject* parent = nullptr);
    /// Ends like a crash would if close() was not called: the journal stays for the next
    /// start to offer.
    ~TapeJournal() override;

    /// Journals of windows that ended without closing, newest first; this journal holds them
    /// (no other window offers them) until settled. Tapes without any value are removed at
    /// once; a file that does not read as a journal is renamed to end in ".damaged".
    std::vector<LostTape> takeLostTapes();
    /// A lost tape that was restored (removed: the tape goes on in this journal) or declined
    /// (kept as the last tape).
    void settle(const LostTape& lost, bool restored);
    /// The newest tape of a window that closed normally; empty when there is none. Older
    /// ones are removed.
    QString lastTape();

    /// Starts journaling `session` with its tape as it stands; false (and the note) when
    /// the journal cannot be written.
    bool start(TapeSession& session);
    bool isOn() const;
    /// Why the journal went off; empty while it works.
    QString note() const { return m_note; }
    /// Waits until everything announced so far is written (and made durable with `sync`).
    void flush(bool sync = false);
    /// The normal close: the rest is written and made durable, and the journal becomes the
    /// last tape.
    void close();

    /// The journal's file while it runs.
    QString path() const { return m_path; }

signals:
    /// The journal went off for this run; `note` says why.
    void stopped(const QString& note);

private:
    class Writer;
    void linesChanged(int first, int last);
    void tapeReset();
    void append(std::string record);
    /// A snapshot of the tape as it stands, the state of `time`.
    void snapshot(qint64 time);
    /// True once the file has grown past a few times the tape's size.
    bool overgrown() const;
    /// The snapshot that a replaced tape asked for, if it is not taken yet.
    void takeDueSnapshot();
    void fail(const QString& note);
    qint64 now() const;

    QString m_folder;
    Clock m_clock;
    QString m_path;
    QPointer<TapeSession> m_session; // null once the session is gone
    std::unique_ptr<Writer> m_writer;
    std::vector<HeldFile> m_held; // the lost journals this journal holds
    std::vector<QString> m_heldPaths;
    QString m_note;
    int m_knownLines = 0;       // the tape's length as the journal last wrote it
    bool m_snapshotDue = false; // a replaced tape waits for its snapshot; lines go in it
    qint64 m_dueTime = 0;       // the time of the last change the due snapshot holds
    qint64 m_fileBytes = 0;     // bytes in the current file (snapshots estimated)
};

} // namespace padrix
