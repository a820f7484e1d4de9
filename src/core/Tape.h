#pragma once

#include "core/Colors.h"
#include "numbers/Value.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace padrix {

/// No operator: a fresh line, which contributes nothing to the total.
constexpr char NoOperator = '\0';

/// True for the five operators + - x / ^.
constexpr bool isOperator(char op) {
    return op == '+' || op == '-' || op == 'x' || op == '/' || op == '^';
}

/// The label colour of an operator, as a platform colour value 0x00BBGGRR.
constexpr int operatorColor(char op) {
    switch (op) {
    case '-':
        return Color::Red;
    case 'x':
        return Color::Green;
    case '/':
        return Color::Blue;
    case '^':
        return Color::Black;
    default:
        return Color::Silver; // also for "+" and anything that is no operator
    }
}

/// The memory a tape read from a file or the clipboard may take (2 GB): a file of more lines
/// is refused, a paste stops there.
constexpr std::size_t MaxTapeBytes = std::size_t(2) << 30;
constexpr std::size_t MaxTapeLines = MaxTapeBytes / 16; // a line takes 16 bytes and its operator

class TapeChanges;

/// The tape: line L has the operator TapeOperators()[L] and the operand TapeValues()[L]. The
/// two always have the same length, whatever is done to the tape.
class Tape {
public:
    Tape() = default;
    /// A copy or a moved tape holds the lines only; recording stays with the tape it was on.
    Tape(const Tape& other) : m_values(other.m_values), m_operators(other.m_operators) {}
    Tape(Tape&& other) noexcept
        : m_values(std::move(other.m_values)), m_operators(std::move(other.m_operators)) {}
    /// Replacing a recording tape's lines records them whole (moved, not copied, for a move).
    Tape& operator=(const Tape& other);
    Tape& operator=(Tape&& other) noexcept;
    ~Tape() = default;

    const std::vector<Value>& TapeValues() const { return m_values; }
    const std::vector<char>& TapeOperators() const { return m_operators; }
    int lineCount() const { return static_cast<int>(m_values.size()); }
    /// The lines up to the last that holds a value; 0 for a tape of blanks.
    int linesWithValues() const {
        int n = lineCount();
        while (n > 0 && m_values[static_cast<std::size_t>(n) - 1].isBlank())
            --n;
        return n;
    }
    const Value& value(int line) const { return m_values[static_cast<std::size_t>(line)]; }
    char op(int line) const { return m_operators[static_cast<std::size_t>(line)]; }

    void append(char op, Value value) {
        noteGrowth();
        noteChange(lineCount());
        m_operators.push_back(op);
        m_values.push_back(std::move(value));
    }
    /// Room for `lines` lines without moving; a large tape asks for large pages.
    void reserve(int lines);
    /// Makes sure that lines 0 .. lines - 1 exist; new lines are "+" with an empty value.
    void ensureLines(int lines);
    /// Exactly `lines` lines, keeping the first ones; new lines have no operator and no value.
    void resize(int lines);
    /// `lines` lines without operator or value.
    void clear(int lines);
    /// Writes a line's operator or value, creating the lines up to it as ensureLines does.
    void setOperator(int line, char op);
    void setValue(int line, Value value);

    /// Lets `edit` reorder or rewrite the values in place; the tape keeps its length.
    template <class Edit> void rearrangeValues(Edit edit) {
        noteWhole();
        noteChange(0);
        const std::size_t n = m_values.size();
        edit(m_values);
        m_values.resize(n);
    }

    /// The lowest line changed since the last call (lineCount() when none was), for a
    /// recalculation that works from there; a new tape counts as changed from line 0.
    int takeFirstChanged() {
        const int first = std::min(m_firstChanged, lineCount());
        m_firstChanged = std::numeric_limits<int>::max();
        return first;
    }

    /// From now on every change is noted in `changes` (which must outlive the recording),
    /// so that it can be taken back; nullptr stops the recording.
    void recordChangesIn(TapeChanges* changes) { m_recording = changes; }

    bool operator==(const Tape& other) const {
        return m_values == other.m_values && m_operators == other.m_operators;
    }

private:
    friend class TapeChanges;
    void noteChange(int line) { m_firstChanged = std::min(m_firstChanged, line); }
    void noteLine(int line);
    void noteGrowth();
    void noteWhole();
    void giveWhole();

    std::vector<Value> m_values;
    std::vector<char> m_operators;
    TapeChanges* m_recording = nullptr; // not part of the tape's value
    int m_firstChanged = 0;             // the lowest line changed since takeFirstChanged
};

/// The changes made to a tape while it recorded them, kept so that they can be taken back:
/// the earlier contents of each line written and the earlier length, or, once the whole tape
/// was replaced or reordered, the whole earlier tape.
class TapeChanges {
public:
    /// True when nothing was recorded.
    bool empty() const { return m_linesBefore < 0; }
    /// True when taking the changes back would change what the tape holds: lines that only
    /// pad the tape with empty "+" lines do not count.
    bool significant(const Tape& tape) const;
    /// True when the whole tape was recorded.
    bool whole() const { return m_whole; }
    /// The one line changed, or -1 when none or several were.
    int onlyLine() const;
    /// The memory the recorded lines take, in bytes.
    std::size_t bytes() const;

    /// Takes the changes back on `tape`, which must not be recording; returns the changes
    /// that make them again.
    TapeChanges revert(Tape& tape);
    /// Adds `later` changes, recorded after these, so that taking back both goes back to
    /// the state before these.
    void absorb(TapeChanges&& later);

private:
    friend class Tape;
    struct Line {
        int line;
        char op;
        Value value;
    };
    int m_linesBefore = -1;    // the tape's length when recording began; -1: nothing yet
    std::vector<Line> m_lines; // earlier contents, oldest first; lines below m_linesBefore
    bool m_whole = false;      // the whole earlier tape is below instead
    std::vector<Value> m_values;
    std::vector<char> m_operators;
};

/// True when a line's text is one of the line forms besides a plain number: a total modifier
/// (Int, Fix, Roun(n)), a function line such as Sin(30), a percentage such as 10%, or a
/// formula-button call Name(argument).
bool isLineForm(std::string_view text);

/// True when the recalculation reads a number of a line's text by the locale's rules: the
/// argument of a built-in function, a percentage, or a text that is neither a total modifier
/// nor a formula-button call.
bool readsLocaleNumber(std::string_view text);

/// The part of a line's text that the recalculation reads as a number by the locale's rules:
/// the argument of a built-in function ("1.5" in Sin(1.5)), the share of a percentage ("12.5"
/// in 12.5%), or a whole text without brackets or "%" (a number beyond the decimal range).
/// Gives its offset and length; nothing for the total modifiers and the formula-button calls,
/// which read their figures alike in every locale, and for texts of any other shape (the
/// argument with more around it, a "%" within the text).
std::optional<std::pair<std::size_t, std::size_t>> localeNumberSpan(std::string_view text);

} // namespace padrix
