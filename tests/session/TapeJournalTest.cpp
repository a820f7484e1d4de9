#include "session/TapeJournal.h"

#include "ScriptedUser.h"
#include "platform/FileLimits.h"
#include "session/TapeSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iostream>
#include <random>
#include <thread>

#include <sys/resource.h>

namespace padrix {
namespace {

std::string readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

/// A window's session and its journal in a folder of the test's own.
class Journal : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath("journal");
    qint64 clock = 1'700'000'000'000;
    TapeSession session{NumberLocale::english(), std::size_t(64) << 20};

    TapeJournal::Clock fixedClock() {
        return [this] { return clock; };
    }
    /// What a journal in the folder gives back after its window went.
    std::optional<JournalTape> lostTape() {
        TapeJournal other(folder);
        auto lost = other.takeLostTapes();
        if (lost.empty())
            return std::nullopt;
        EXPECT_EQ(lost.size(), 1U);
        return lost.front().content;
    }
};

// Every kind of change the session announces comes back from the journal exactly, and a
// restore of it is one step that Undo takes back.
TEST_F(Journal, GivesBackTheTapeAfterEachKindOfChange) {
    startAsAWindow(session);
    auto journal = std::make_unique<TapeJournal>(folder, fixedClock());
    ASSERT_TRUE(journal->start(session));
    const std::vector<std::pair<const char*, std::function<void()>>> rows = {
        {"type a number", [&] { session.storeRowText(0, "12.5"); }},
        {"an operator past the end", [&] { session.setOperator(30, '-'); }},
        {"a function line", [&] { session.setText(2, "Sin(30)"); }},
        {"grow by one line", [&] { session.growTo(session.lineCount() + 1, 'x'); }},
        {"cycle an operator", [&] { session.cycleOperator(1); }},
        {"paste", [&] { session.paste("3\r\n-1.5\r\n2,500.50\r\n"); }},
        {"sort", [&] { session.sort(); }},
        {"a text beyond the range",
         [&] { session.storeNumber(1, "99999999999999999999999999999999"); }},
        {"the pi key", [&] { session.setValue(4, 3.14159); }},
        {"undo", [&] { session.undo(0); }},
        {"clear all", [&] { session.clearAll(14); }},
    };
    for (const auto& [name, change] : rows) {
        session.beginAction(0);
        change();
        session.endAction(0);
        ++clock;
        journal->flush();
        const auto read = readJournal(readAll(journal->path()));
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(read->tape, session.tape()) << name;
        EXPECT_FALSE(read->torn) << name;
        EXPECT_EQ(read->time, clock - 1) << name;
        EXPECT_FALSE(lostTape()) << name << ": a running window's journal is no lost one";
    }
    session.paste("7\r\n8\r\n");
    const Tape before = session.tape();
    journal.reset(); // the window ends without closing
    auto lost = lostTape();
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->tape, before);

    session.clearAll(14);
    session.beginAction(0);
    session.restore(lost->tape);
    session.endAction(0);
    EXPECT_EQ(session.tape(), before);
    EXPECT_EQ(session.total().text, "15");
    session.undo(0);
    EXPECT_EQ(session.tape().linesWithValues(), 0);
}

// A journal cut at any byte, or with any byte damaged, gives the tape as it stood after the
// last whole record, never a mixture; bytes that are no journal give nothing.
TEST_F(Journal, TornOrDamagedGivesTheLastWholeState) {
    Tape tape;
    tape.append('+', Decimal::fromParts(125, 0, 1, false));
    tape.append('-', "Sin(30)");
    std::string bytes = journalHeader() + snapshotRecord(tape, 1);
    std::vector<std::pair<std::size_t, Tape>> states = {{bytes.size(), tape}};
    const auto add = [&](int first, int last, qint64 time) {
        bytes += linesRecord(tape, first, last, time);
        states.emplace_back(bytes.size(), tape);
    };
    tape.setValue(0, 2.5);
    add(0, 0, 2);
    tape.append('x', "a long text that does not fit in place");
    add(2, 2, 3);
    tape.resize(1);
    add(0, -1, 4);
    bytes += snapshotRecord(Tape(), 5);
    states.emplace_back(bytes.size(), Tape());
    const std::size_t firstRecord = states.front().first;

    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        const auto read = readJournal(std::string_view(bytes).substr(0, cut));
        if (cut < firstRecord) {
            EXPECT_FALSE(read) << "cut at " << cut;
            continue;
        }
        ASSERT_TRUE(read) << "cut at " << cut;
        auto whole =
            std::prev(std::upper_bound(states.begin(), states.end(), cut,
                                       [](std::size_t c, const auto& s) { return c < s.first; }));
        EXPECT_EQ(read->tape, whole->second) << "cut at " << cut;
        EXPECT_EQ(read->torn, cut != whole->first) << "cut at " << cut;
    }
    std::mt19937 random(26);
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = bytes;
        const std::size_t at = random() % damaged.size();
        damaged[at] = static_cast<char>(damaged[at] ^ (1 + random() % 255));
        const auto read = readJournal(damaged);
        if (at < firstRecord) {
            EXPECT_FALSE(read) << "byte " << at;
            continue;
        }
        // The record holding the damaged byte and all after it are left out.
        auto before =
            std::prev(std::upper_bound(states.begin(), states.end(), at,
                                       [](std::size_t c, const auto& s) { return c < s.first; }));
        ASSERT_TRUE(read) << "byte " << at;
        EXPECT_EQ(read->tape, before->second) << "byte " << at;
        EXPECT_TRUE(read->torn) << "byte " << at;
    }
    for (int round = 0; round < 200; ++round) {
        std::string noise(random() % 200, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        EXPECT_FALSE(readJournal(noise));
        EXPECT_FALSE(readJournal(journalHeader() + noise));
    }
}

// A folder that cannot be made and a file size limit turn the journal off with one note; the
// tape goes on working, and no journal is left to offer as the last tape.
TEST_F(Journal, OffWithOneNoteWhenItCannotWrite) {
    ignoreFileSizeSignal();
    for (const bool sizeLimit : {false, true}) {
        SCOPED_TRACE(sizeLimit ? "a file size limit" : "a folder that cannot be made");
        QTemporaryDir here;
        QString place = here.filePath("journal");
        if (!sizeLimit) {
            QFile file(here.filePath("file"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            place = here.filePath("file/journal"); // under a file: no folder can be made
        }
        TapeSession s(NumberLocale::english(), std::size_t(64) << 20);
        startAsAWindow(s);
        TapeJournal journal(place);
        QSignalSpy notes(&journal, &TapeJournal::stopped);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const bool started = journal.start(s);
        EXPECT_EQ(started, sizeLimit);
        if (sizeLimit) {
            rlimit small = old;
            small.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        std::string column;
        for (int i = 1; i <= 2000; ++i)
            column += std::to_string(i) + "\n";
        s.paste(column);
        s.storeRowText(0, "5");
        journal.flush(true);
        setrlimit(RLIMIT_FSIZE, &old);
        QCoreApplication::processEvents(); // the writer's word reaches the window's thread
        s.storeRowText(1, "6");
        EXPECT_EQ(s.total().text, std::to_string(2001 * 1000 + 5 - 1 + 6 - 2));
        EXPECT_FALSE(journal.isOn());
        EXPECT_EQ(notes.count(), 1);
        EXPECT_TRUE(journal.note().startsWith("The tape journal is off for this run: "))
            << journal.note().toStdString();
        journal.close();
        TapeJournal next(place);
        EXPECT_TRUE(next.takeLostTapes().empty());
        EXPECT_TRUE(next.lastTape().isEmpty());
    }
}

// Typing on and on into a tape keeps the journal within a few times the tape's size.
TEST_F(Journal, CompactsIntoOneSnapshot) {
    startAsAWindow(session);
    TapeJournal journal(folder);
    ASSERT_TRUE(journal.start(session));
    for (int i = 0; i < 30000; ++i)
        session.storeRowText(i % 20, QString::number(i));
    journal.flush();
    const qint64 size = QFileInfo(journal.path()).size();
    EXPECT_LT(size, 4 * 16 * 20 + (256 << 10) + 4096);
    const auto read = readJournalFile(journal.path());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->tape, session.tape());
}

// Several windows at once: a start offers only the journals of windows that are gone, newest
// first; one declined becomes the last tape, and a normal close makes a newer last tape.
TEST_F(Journal, OffersOnlyGoneWindowsNewestFirst) {
    struct Window {
        std::unique_ptr<TapeSession> session;
        std::unique_ptr<TapeJournal> journal;
    };
    std::vector<Window> windows;
    for (int i = 0; i < 4; ++i) {
        clock = 1000 + i;
        Window w{std::make_unique<TapeSession>(NumberLocale::english(), 1 << 20), nullptr};
        startAsAWindow(*w.session);
        w.journal = std::make_unique<TapeJournal>(folder, fixedClock());
        ASSERT_TRUE(w.journal->start(*w.session));
        w.session->storeRowText(0, QString::number(i + 1));
        windows.push_back(std::move(w));
    }
    windows[0].journal.reset(); // windows 0 and 2 crash; 1 and 3 still run
    windows[2].journal.reset();
    QFile damaged(folder + "/damaged.journal");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("PADRIXJ1 and no record");
    damaged.close();
    clock = 5000;
    TapeJournal starting(folder, fixedClock());
    auto lost = starting.takeLostTapes();
    EXPECT_TRUE(QFile::exists(folder + "/damaged.journal.damaged")) << "set aside, not offered";
    ASSERT_EQ(lost.size(), 2U);
    EXPECT_EQ(lost[0].content.tape.value(0), Value(Decimal::fromParts(3, 0, 0, false)));
    EXPECT_EQ(lost[1].content.tape.value(0), Value(Decimal::fromParts(1, 0, 0, false)));
    EXPECT_TRUE(TapeJournal(folder).takeLostTapes().empty()) << "held by the starting window";
    starting.settle(lost[0], false);
    starting.settle(lost[1], true);
    const QString declined = starting.lastTape();
    ASSERT_FALSE(declined.isEmpty());
    EXPECT_EQ(readJournalFile(declined)->tape, lost[0].content.tape);

    windows[1].session->storeRowText(1, "20");
    clock = 6000;
    windows[1].journal->close();
    const QString last = starting.lastTape();
    EXPECT_NE(last, declined);
    EXPECT_EQ(readJournalFile(last)->tape, windows[1].session->tape());
    EXPECT_FALSE(QFile::exists(declined)) << "only the newest last tape is kept";
    EXPECT_TRUE(starting.takeLostTapes().empty()) << "window 3 still runs";
}

// The kill test: a scripted user works a session with its journal in a process of its own,
// which is killed at a random moment after more than a second; the journal then gives back
// the tape as it stood at some moment of the last second before the kill. Five run at once;
// PADRIX_KILL_ROUNDS sets the rounds (50).
TEST(JournalKill, RestoresATapeOfTheLastSecondBeforeTheKill) {
    using namespace std::chrono;
    const int rounds = qEnvironmentVariableIsSet("PADRIX_KILL_ROUNDS")
                           ? qEnvironmentVariableIntValue("PADRIX_KILL_ROUNDS")
                           : 50;
    std::mt19937 random(26);
    long totalSteps = 0;
    long worstStepsBehind = 0;
    double worstMsBehind = 0;
    struct Round {
        QTemporaryDir dir;
        unsigned seed = 0;
        steady_clock::time_point killAt;
        std::unique_ptr<QProcess> helper;
    };
    for (int done = 0; done < rounds;) {
        std::vector<std::unique_ptr<Round>> batch;
        const auto now = steady_clock::now();
        for (; batch.size() < 5 && done + static_cast<int>(batch.size()) < rounds;) {
            auto r = std::make_unique<Round>();
            r->seed = random();
            r->killAt = now + milliseconds(1100 + random() % 500);
            r->helper = std::make_unique<QProcess>();
            r->helper->start(
                PADRIX_JOURNAL_HELPER,
                {r->dir.filePath("journal"), QString::number(r->seed), r->dir.filePath("log")});
            ASSERT_TRUE(r->helper->waitForStarted());
            batch.push_back(std::move(r));
        }
        std::sort(batch.begin(), batch.end(),
                  [](const auto& a, const auto& b) { return a->killAt < b->killAt; });
        for (auto& r : batch) {
            std::this_thread::sleep_until(r->killAt);
            r->killAt = steady_clock::now();
            ::kill(static_cast<pid_t>(r->helper->processId()), SIGKILL);
        }
        for (auto& r : batch) {
            r->helper->waitForFinished();
            const std::string name =
                "round " + std::to_string(done++) + " (seed " + std::to_string(r->seed) + ")";
            const long long killNs =
                duration_cast<nanoseconds>(r->killAt.time_since_epoch()).count();
            std::vector<long long> stepNs; // when each step was done
            for (const QByteArray& line :
                 QByteArray::fromStdString(readAll(r->dir.filePath("log"))).split('\n')) {
                const auto parts = line.split(' ');
                if (parts.size() == 2 && parts[0].toLong() == static_cast<long>(stepNs.size()))
                    stepNs.push_back(parts[1].toLongLong()); // a cut last line is left out
            }
            const long last = static_cast<long>(stepNs.size()) - 1;
            // The first step of the last second; the tape as it stood when that second began
            // is the one after the step before it (-1: the empty tape of the start).
            long windowStart = last + 1;
            while (windowStart > 0 && stepNs[windowStart - 1] >= killNs - 1'000'000'000LL)
                --windowStart;
            totalSteps += last + 1;

            const QDir folder(r->dir.filePath("journal"));
            const QStringList journals = folder.entryList({"*.journal"});
            ASSERT_EQ(journals.size(), 1) << name;
            const auto kept = readJournalFile(folder.filePath(journals.front()));
            ASSERT_TRUE(kept) << name;
            TapeSession replay(NumberLocale::english(), std::size_t(64) << 20);
            startAsAWindow(replay);
            ScriptedUser user(r->seed);
            long match = -2;
            for (long k = -1; k <= last + 1; ++k) {
                if (k >= 0)
                    user.step(replay);
                if (k < windowStart - 1)
                    continue;
                if (replay.tape() == kept->tape)
                    match = k;
            }
            ASSERT_NE(match, -2) << name << ", " << last + 1
                                 << " steps: the journal's tape is none of the last second";
            worstStepsBehind = std::max(worstStepsBehind, last - match);
            if (match + 1 <= last)
                worstMsBehind = std::max(worstMsBehind, (killNs - stepNs[match + 1]) / 1e6);
        }
    }
    std::cout << "[ figures  ] " << rounds << " kills after " << totalSteps
              << " steps; the restored tape was at most " << worstStepsBehind << " steps and "
              << worstMsBehind << " ms behind the last step before the kill\n";
}

} // namespace
} // namespace padrix
