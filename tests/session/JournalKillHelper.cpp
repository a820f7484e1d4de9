// A calculator session with its journal, worked by a scripted user until the journal test
// kills it: padrix-journal-helper FOLDER SEED LOG. After each step it appends the step's
// number and the monotonic clock (ns) to LOG, so that the test knows what the tape was and
// when. A step a millisecond, a quick typist's pace many times over, leaves the cores to the
// journal's writer and to the other helpers.
#include "ScriptedUser.h"
#include "session/TapeJournal.h"

#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    padrix::TapeSession session(padrix::NumberLocale::english(), std::size_t(64) << 20);
    padrix::startAsAWindow(session);
    padrix::TapeJournal journal(QString::fromLocal8Bit(argv[1]));
    if (!journal.start(session))
        return 1;
    const int log = ::open(argv[3], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (log < 0)
        return 1;
    padrix::ScriptedUser user(static_cast<unsigned>(std::stoul(argv[2])));
    for (long step = 0;; ++step) {
        user.step(session);
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
        const std::string line = std::to_string(step) + " " + std::to_string(ns) + "\n";
        if (::write(log, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            return 1;
        QCoreApplication::processEvents(); // as a window's event loop between two keys
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
