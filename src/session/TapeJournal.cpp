#include "session/TapeJournal.h"

#include "platform/HeldFile.h"
#include "session/TapeSession.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace padrix {

namespace {

/// How long a replaced tape waits for its snapshot, in milliseconds: long enough for the
/// window to show it first, short against the second of typing a crash may cost.
constexpr int SnapshotDelayMs = 100;

/// A unique part of the names of this process's journals.
QString uniqueName(qint64 time) {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2-%3")
        .arg(time, 15, 10, QLatin1Char('0'))
        .arg(QCoreApplication::applicationPid())
        .arg(counter++);
}

/// A new file at `path` holding `bytes`, held and made durable; not open, with the reason,
/// when it cannot be written.
HeldFile createHeld(const QString& path, std::string_view bytes, QString* error) {
    HeldFile file = HeldFile::create(path, error);
    if (file.isOpen() && file.write(bytes, error) && file.sync(error))
        return file;
    file.close();
    QFile::remove(path);
    return file;
}

QStringList journalsIn(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name | QDir::Reversed);
}

} // namespace

/// Writes what the journal appends, on a thread of its own, so that a slow or full disk never
/// holds up the window; makes it durable at most once a second, and at once when asked.
class TapeJournal::Writer {
public:
    using Failed = std::function<void(const QString&)>;

    /// The file is made by the first item, a snapshot that begins a new file.
    Writer(QString path, QString folder, Failed failed)
        : m_path(std::move(path)), m_folder(std::move(folder)), m_failed(std::move(failed)),
          m_thread([this] { run(); }) {}

    ~Writer() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    /// `tape`: a snapshot, encoded here; `fresh`: it begins a new file.
    void append(std::string bytes, std::shared_ptr<const Tape> tape = {}, qint64 time = 0,
                bool fresh = false) {
        bool wasIdle = false;
        {
            const std::lock_guard lock(m_mutex);
            wasIdle = m_queue.empty();
            m_queue.push_back({std::move(bytes), std::move(tape), time, fresh});
            ++m_queued;
        }
        if (wasIdle)
            m_wake.notify_one();
    }

    void flush(bool sync) {
        std::unique_lock lock(m_mutex);
        const std::uint64_t target = m_queued;
        m_syncRequested = m_syncRequested || sync;
        m_wake.notify_one();
        m_done.wait(
            lock, [&] { return m_broken || (m_written >= target && !(sync && m_syncRequested)); });
    }

    bool broken() const { return m_broken; }

private:
    struct Item {
        std::string bytes;
        std::shared_ptr<const Tape> tape;
        qint64 time = 0;
        bool fresh = false;
    };

    void run() {
        using Clock = std::chrono::steady_clock;
        auto lastSync = Clock::now();
        bool dirty = false;
        std::unique_lock lock(m_mutex);
        for (;;) {
            // Idle until something comes; with unsynced bytes, until the second is up.
            const auto due = lastSync + std::chrono::seconds(1);
            const auto ready = [&] {
                return !m_queue.empty() || m_stopping || m_syncRequested ||
                       (dirty && Clock::now() >= due);
            };
            if (dirty)
                m_wake.wait_until(lock, due, ready);
            else
                m_wake.wait(lock, ready);
            std::deque<Item> items;
            items.swap(m_queue);
            const bool sync = m_syncRequested || m_stopping;
            lock.unlock();
            // A snapshot that begins a new file makes everything before it needless.
            auto from = items.begin();
            for (auto it = items.begin(); it != items.end(); ++it)
                if (it->fresh)
                    from = it;
            for (auto it = from; it != items.end() && !m_broken; ++it) {
                std::string bytes =
                    it->tape ? snapshotRecord(*it->tape, it->time) : std::move(it->bytes);
                QString error;
                if (it->fresh)
                    begin(bytes);
                else if (!m_file.write(bytes, &error))
                    breakDown(error);
                dirty = true;
            }
            if (dirty && !m_broken &&
                (sync || Clock::now() >= lastSync + std::chrono::seconds(1))) {
                if (QString error; !m_file.sync(&error))
                    breakDown(error);
                lastSync = Clock::now();
                dirty = false;
            }
            lock.lock();
            m_written += items.size();
            if (sync && m_queue.empty())
                m_syncRequested = false;
            m_done.notify_all();
            if (m_stopping && m_queue.empty())
                return;
        }
    }

    /// A new file with this snapshot becomes the journal's: its first, or one that replaces
    /// it (compaction). It is written under another name until it is locked and durable, so
    /// that no other window takes it for a lost one.
    void begin(const std::string& snapshot) {
        const QString temporary = m_path + QStringLiteral(".new");
        QString error;
        HeldFile file = createHeld(temporary, journalHeader() + snapshot, &error);
        if (!file.isOpen() || !replaceFile(temporary, m_path)) {
            if (file.isOpen()) {
                error = QCoreApplication::translate("padrix::TapeJournal", "%1 cannot be renamed")
                            .arg(temporary);
                file.close();
                QFile::remove(temporary);
            }
            breakDown(error);
            return;
        }
        syncFolder(m_folder);
        m_file = std::move(file);
    }

    void breakDown(const QString& reason) {
        m_broken = true;
        m_failed(reason);
    }

    HeldFile m_file; // the journal's file, once made
    QString m_path;
    QString m_folder;
    Failed m_failed;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::deque<Item> m_queue;
    std::uint64_t m_queued = 0;  // items ever appended
    std::uint64_t m_written = 0; // items ever taken and written (or dropped after a failure)
    bool m_syncRequested = false;
    bool m_stopping = false;
    std::atomic<bool> m_broken{false};
    std::thread m_thread; // last: it starts once everything above is set up
};

TapeJournal::TapeJournal(QString folder, Clock clock, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_clock(std::move(clock)) {}

TapeJournal::~TapeJournal() {
    takeDueSnapshot();
    m_writer.reset(); // what was appended is written; the file stays for the next start
}

qint64 TapeJournal::now() const {
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

std::vector<LostTape> TapeJournal::takeLostTapes() {
    // A file a window was writing when it ended, before it became its journal (a minute
    // old, so that one being written now is left alone).
    for (const QString& name : journalsIn(m_folder, QStringLiteral("*.new"))) {
        const QFileInfo info(QDir(m_folder).filePath(name));
        if (now() - info.lastModified().toMSecsSinceEpoch() < 60'000)
            continue;
        if (HeldFile file = HeldFile::holdIfFree(info.filePath()); file.isOpen())
            QFile::remove(info.filePath());
    }
    std::vector<LostTape> lost;
    for (const QString& name : journalsIn(m_folder, QStringLiteral("*.journal"))) {
        const QString path = QDir(m_folder).filePath(name);
        if (path == m_path)
            continue;
        HeldFile file = HeldFile::holdIfFree(path);
        if (!file.isOpen())
            continue; // its window runs
        std::optional<JournalTape> content = readJournalFile(path);
        if (!content) { // not even its first snapshot reads: kept aside, never offered
            replaceFile(path, path + QStringLiteral(".damaged"));
            continue;
        }
        if (content->tape.linesWithValues() == 0) {
            QFile::remove(path); // nothing to give back
            continue;
        }
        m_held.push_back(std::move(file));
        m_heldPaths.push_back(path);
        lost.push_back({path, std::move(*content)});
    }
    std::stable_sort(lost.begin(), lost.end(), [](const LostTape& a, const LostTape& b) {
        return a.content.time > b.content.time;
    });
    return lost;
}

void TapeJournal::settle(const LostTape& lost, bool restored) {
    const auto at = std::find(m_heldPaths.begin(), m_heldPaths.end(), lost.path);
    if (at == m_heldPaths.end())
        return;
    if (restored)
        QFile::remove(lost.path);
    else
        replaceFile(lost.path, QDir(m_folder).filePath(uniqueName(lost.content.time) +
                                                       QStringLiteral(".closed")));
    syncFolder(m_folder);
    const auto index = at - m_heldPaths.begin();
    m_held.erase(m_held.begin() + index);
    m_heldPaths.erase(at);
}

QString TapeJournal::lastTape() {
    const QStringList closed = journalsIn(m_folder, QStringLiteral("*.closed"));
    for (qsizetype i = 1; i < closed.size(); ++i)
        QFile::remove(QDir(m_folder).filePath(closed[i]));
    return closed.isEmpty() ? QString() : QDir(m_folder).filePath(closed.first());
}

bool TapeJournal::start(TapeSession& session) {
    if (!QDir().mkpath(m_folder)) {
        fail(QCoreApplication::translate("padrix::TapeJournal", "the folder %1 cannot be made")
                 .arg(m_folder));
        return false;
    }
    const qint64 time = now();
    m_path = QDir(m_folder).filePath(uniqueName(time) + QStringLiteral(".journal"));
    m_session = &session;
    m_knownLines = session.lineCount();
    m_fileBytes = qint64(session.lineCount()) * 16;
    m_writer = std::make_unique<Writer>(m_path, m_folder, [this](const QString& reason) {
        QMetaObject::invokeMethod(
            this, [this, reason] { fail(reason); }, Qt::QueuedConnection);
    });
    // The writer makes the file, locks it and makes it durable, so that the window never
    // waits for the disk, not even at its start.
    m_writer->append({}, std::make_shared<const Tape>(session.tape()), time, true);
    connect(&session, &TapeSession::linesChanged, this, &TapeJournal::linesChanged);
    connect(&session, &TapeSession::tapeReset, this, &TapeJournal::tapeReset);
    return true;
}

bool TapeJournal::isOn() const {
    return m_writer != nullptr && m_note.isEmpty() && !m_writer->broken();
}

void TapeJournal::flush(bool sync) {
    takeDueSnapshot();
    if (m_writer)
        m_writer->flush(sync);
}

void TapeJournal::close() {
    if (!m_writer)
        return;
    takeDueSnapshot();
    disconnect(m_session, nullptr, this, nullptr);
    m_writer->flush(true);
    const bool whole = isOn();
    m_writer.reset();
    if (whole) {
        // The journal holds the tape as it stands: the folder's last tape from now on.
        QFile::rename(m_path,
                      QDir(m_folder).filePath(uniqueName(now()) + QStringLiteral(".closed")));
    } else {
        QFile::remove(m_path); // it lacks the latest changes: no tape to offer
    }
    syncFolder(m_folder);
}

void TapeJournal::fail(const QString& note) {
    if (!m_note.isEmpty())
        return;
    m_note = QCoreApplication::translate("padrix::TapeJournal",
                                         "The tape journal is off for this run: %1")
                 .arg(note);
    if (m_session != nullptr)
        disconnect(m_session, nullptr, this, nullptr);
    emit stopped(m_note);
}

void TapeJournal::append(std::string record) {
    m_fileBytes += static_cast<qint64>(record.size());
    m_writer->append(std::move(record));
    if (overgrown()) // a snapshot begins a new file
        snapshot(now());
}

bool TapeJournal::overgrown() const {
    return m_fileBytes > 4 * 16 * std::max<qint64>(m_knownLines, 1) + (256 << 10);
}

void TapeJournal::snapshot(qint64 time) {
    const bool fresh = overgrown();
    const qint64 bytes = qint64(m_session->lineCount()) * 16;
    m_fileBytes = fresh ? bytes : m_fileBytes + bytes;
    m_writer->append({}, std::make_shared<const Tape>(m_session->tape()), time, fresh);
}

void TapeJournal::linesChanged(int first, int last) {
    if (m_writer->broken())
        return;
    const int count = m_session->lineCount();
    if (m_snapshotDue) { // the snapshot to come holds this change
        m_knownLines = count;
        m_dueTime = now();
        return;
    }
    if (count > m_knownLines) { // every line the tape grew by goes in, padding too
        first = std::min(first, m_knownLines);
        last = std::max(last, count - 1);
    }
    m_knownLines = count;
    append(linesRecord(m_session->tape(), first, last, now()));
}

void TapeJournal::tapeReset() {
    if (m_writer->broken() || m_snapshotDue)
        return;
    m_knownLines = m_session->lineCount();
    // The copy of the tape waits a moment, so that a long file opened or pasted shows before
    // it is copied for the journal; every change until then goes into that snapshot.
    m_snapshotDue = true;
    m_dueTime = now();
    QTimer::singleShot(SnapshotDelayMs, this, &TapeJournal::takeDueSnapshot);
}

void TapeJournal::takeDueSnapshot() {
    if (!m_snapshotDue)
        return;
    m_snapshotDue = false;
    if (m_writer && !m_writer->broken() && m_session) {
        m_knownLines = m_session->lineCount();
        snapshot(m_dueTime);
    }
}

} // namespace padrix
