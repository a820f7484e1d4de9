#include "session/TapeJournal.h"

#include "session/TapeSession.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace padrix {

namespace {

/// A unique part of the names of this process's journals.
QString uniqueName(qint64 time) {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2-%3")
        .arg(time, 15, 10, QLatin1Char('0'))
        .arg(QCoreApplication::applicationPid())
        .arg(counter++);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// Opens and locks a new file at `path` holding `bytes`, made durable; -1 and the reason
/// when it cannot be written.
int createLocked(const QString& path, std::string_view bytes, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || !writeAll(fd, bytes) ||
        ::fdatasync(fd) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0) {
            ::close(fd);
            ::unlink(name.constData());
        }
        return -1;
    }
    return fd;
}

QStringList journalsIn(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name | QDir::Reversed);
}

bool holdsValues(const Tape& tape) {
    for (int i = 0; i < tape.lineCount(); ++i)
        if (!tape.value(i).isBlank())
            return true;
    return false;
}

} // namespace

/// Writes what the journal appends, on a thread of its own, so that a slow or full disk never
/// holds up the window; makes it durable at most once a second, and at once when asked.
class TapeJournal::Writer {
public:
    using Failed = std::function<void(const QString&)>;

    /// The file is made by the first item, a snapshot that begins a new file.
    Writer(QString path, QString folder, Failed failed)
        : m_path(std::move(path)), m_folder(std::move(folder)),
          m_failed(std::move(failed)), m_thread([this] { run(); }) {}

    ~Writer() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_thread.join();
        if (m_fd >= 0)
            ::close(m_fd);
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
                if (it->fresh)
                    begin(bytes);
                else if (!writeAll(m_fd, bytes))
                    breakDown(QString::fromLocal8Bit(std::strerror(errno)));
                dirty = true;
            }
            if (dirty && !m_broken &&
                (sync || Clock::now() >= lastSync + std::chrono::seconds(1))) {
                if (::fdatasync(m_fd) != 0)
                    breakDown(QString::fromLocal8Bit(std::strerror(errno)));
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
        const int fd = createLocked(temporary, journalHeader() + snapshot, &error);
        if (fd < 0 || ::rename(QFile::encodeName(temporary).constData(),
                               QFile::encodeName(m_path).constData()) != 0) {
            if (fd >= 0) {
                error = QString::fromLocal8Bit(std::strerror(errno));
                ::close(fd);
                ::unlink(QFile::encodeName(temporary).constData());
            }
            breakDown(error);
            return;
        }
        syncFolder(m_folder);
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

    void breakDown(const QString& reason) {
        m_broken = true;
        m_failed(reason);
    }

    int m_fd = -1; // the journal's file, once made
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
    m_writer.reset(); // what was appended is written; the file stays for the next start
    for (const int fd : m_held)
        ::close(fd);
}

qint64 TapeJournal::now() const {
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

std::vector<LostTape> TapeJournal::takeLostTapes() {
    // A file a window was writing when it ended, before it became its journal (a minute
    // old, so that one being written now is left alone).
    for (const QString& name : journalsIn(m_folder, QStringLiteral("*.new"))) {
        const QFileInfo info(QDir(m_folder).filePath(name));
        if (info.lastModified().secsTo(QDateTime::currentDateTime()) < 60)
            continue;
        const QByteArray path = QFile::encodeName(info.filePath());
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        if (fd >= 0)
            ::close(fd);
    }
    std::vector<LostTape> lost;
    for (const QString& name : journalsIn(m_folder, QStringLiteral("*.journal"))) {
        const QString path = QDir(m_folder).filePath(name);
        if (path == m_path)
            continue;
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) { // its window runs
            ::close(fd);
            continue;
        }
        std::optional<JournalTape> content = readJournalFile(path);
        if (!content) { // not even its first snapshot reads: kept aside, never offered
            QFile::rename(path, path + QStringLiteral(".damaged"));
            ::close(fd);
            continue;
        }
        if (!holdsValues(content->tape)) {
            ::unlink(QFile::encodeName(path).constData()); // nothing to give back
            ::close(fd);
            continue;
        }
        m_held.push_back(fd);
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
    const QByteArray name = QFile::encodeName(lost.path);
    if (restored) {
        ::unlink(name.constData());
    } else {
        const QString closed =
            QDir(m_folder).filePath(uniqueName(lost.content.time) + QStringLiteral(".closed"));
        ::rename(name.constData(), QFile::encodeName(closed).constData());
    }
    syncFolder(m_folder);
    const auto index = at - m_heldPaths.begin();
    ::close(m_held[static_cast<std::size_t>(index)]);
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
        fail(QStringLiteral("the folder %1 cannot be made").arg(m_folder));
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

void TapeJournal::flush(bool sync) const {
    if (m_writer)
        m_writer->flush(sync);
}

void TapeJournal::close() {
    if (!m_writer)
        return;
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
    m_note = QStringLiteral("The tape journal is off for this run: %1").arg(note);
    if (m_session != nullptr)
        disconnect(m_session, nullptr, this, nullptr);
    emit stopped(m_note);
}

void TapeJournal::append(std::string record) {
    m_fileBytes += static_cast<qint64>(record.size());
    m_writer->append(std::move(record));
    // Grown past a few times the tape's size: a snapshot begins a new file.
    if (m_fileBytes > 4 * 16 * std::max<qint64>(m_knownLines, 1) + (256 << 10))
        snapshot();
}

void TapeJournal::snapshot() {
    const bool fresh = m_fileBytes > 4 * 16 * std::max<qint64>(m_knownLines, 1) + (256 << 10);
    const qint64 bytes = qint64(m_session->lineCount()) * 16;
    m_fileBytes = fresh ? bytes : m_fileBytes + bytes;
    m_writer->append({}, std::make_shared<const Tape>(m_session->tape()), now(), fresh);
}

void TapeJournal::linesChanged(int first, int last) {
    if (m_writer->broken())
        return;
    const int count = m_session->lineCount();
    if (count > m_knownLines) { // every line the tape grew by goes in, padding too
        first = std::min(first, m_knownLines);
        last = std::max(last, count - 1);
    }
    m_knownLines = count;
    append(linesRecord(m_session->tape(), first, last, now()));
}

void TapeJournal::tapeReset() {
    if (m_writer->broken())
        return;
    m_knownLines = m_session->lineCount();
    snapshot();
}

} // namespace padrix
