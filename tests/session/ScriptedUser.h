#pragma once

#include "session/TapeSession.h"

#include <random>
#include <string>

namespace padrix {

/// A user who types, pastes and sorts at random, the same for the same seed: each step is one
/// action of the session that changes the tape at most once, so that every state a journal
/// can hold is the tape after some step.
class ScriptedUser {
public:
    explicit ScriptedUser(unsigned seed) : m_random(seed) {}

    void step(TapeSession& session) {
        const int count = session.lineCount();
        session.beginAction(0);
        // Mostly typing; a paste, a sort, a Clear All or an undo now and then, each of which
        // the journal writes as a whole tape.
        const int kind = pick(0, 999);
        const int line = pick(0, count + 2);
        if (kind < 600) {
            session.storeRowText(line, QString::number(pick(-99999, 99999)) + "." +
                                           QString::number(pick(0, 99)));
        } else if (kind < 750) {
            session.setOperator(line, "+-x/^"[pick(0, 4)]);
        } else if (kind < 850) {
            session.growTo(count + 1, "+-x"[pick(0, 2)]);
        } else if (kind < 920) {
            session.cycleOperator(line);
        } else if (kind < 980) {
            session.setText(line, "Sin(" + QString::number(pick(0, 90)) + ")");
        } else if (kind < 988) {
            std::string column;
            for (int i = pick(0, 300); i > 0; --i)
                column += std::to_string(pick(-5000, 5000)) + ".25\r\n";
            session.paste(column);
        } else if (kind < 994) {
            session.sort();
        } else if (kind < 996) {
            session.clearAll(14);
        } else {
            session.undo(0);
        }
        session.endAction(0);
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::mt19937 m_random;
};

/// A fresh window's session: Clear All, then recording.
inline void startAsAWindow(TapeSession& session) {
    session.clearAll(14);
    session.startRecording();
}

} // namespace padrix
