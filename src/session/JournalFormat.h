#pragma once

#include "core/Tape.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace padrix {

/// A tape as a journal holds it: the state after its last whole record.
struct JournalTape {
    Tape tape;
    qint64 time = 0;   ///< ms since the epoch, when the last whole record was written
    bool torn = false; ///< reading stopped at a cut or damaged record before the end
};

// The journal's bytes: a header, then records of [payload length u32][CRC-32 u32][payload],
// little-endian. A payload is a type byte, the time (ms, i64) and the lines: a snapshot holds
// the whole tape, a lines record the tape's length and a run of lines written.
std::string journalHeader();
std::string snapshotRecord(const Tape& tape, qint64 time);
/// Lines first..last of `tape` and its length.
std::string linesRecord(const Tape& tape, int first, int last, qint64 time);
/// The tape after the last whole record; nothing when the bytes are no journal or hold no
/// whole snapshot to start from.
std::optional<JournalTape> readJournal(std::string_view bytes);
/// The journal file at `path`, read as readJournal does.
std::optional<JournalTape> readJournalFile(const QString& path);

} // namespace padrix
