#include "core/Tape.h"

#include "core/LineForms.h"

#include "platform/LargePages.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace padrix {

void Tape::reserve(int lines) {
    const auto n = static_cast<std::size_t>(std::max(lines, 0));
    m_values.reserve(n);
    m_operators.reserve(n);
    preferLargePages(m_values.data(), n * sizeof(Value));
}

void Tape::ensureLines(int lines) {
    if (lines <= lineCount())
        return;
    noteGrowth();
    noteChange(lineCount());
    const auto n = static_cast<std::size_t>(lines);
    m_values.resize(n);
    m_operators.resize(n, '+');
}

void Tape::resize(int lines) {
    const auto n = static_cast<std::size_t>(std::max(lines, 0));
    if (n < m_values.size())
        noteWhole(); // lines are lost
    else
        noteGrowth();
    noteChange(static_cast<int>(std::min(n, m_values.size())));
    m_values.resize(n);
    m_operators.resize(n, NoOperator);
}

void Tape::clear(int lines) {
    giveWhole();
    noteChange(0);
    m_values.clear();
    m_operators.clear();
    resize(lines);
}

void Tape::setOperator(int line, char op) {
    noteLine(line);
    noteChange(line);
    ensureLines(line + 1);
    m_operators[static_cast<std::size_t>(line)] = op;
}

void Tape::setValue(int line, Value value) {
    noteLine(line);
    noteChange(line);
    ensureLines(line + 1);
    m_values[static_cast<std::size_t>(line)] = std::move(value);
}

Tape& Tape::operator=(const Tape& other) {
    if (this != &other) {
        noteWhole();
        m_firstChanged = 0;
        m_values = other.m_values;
        m_operators = other.m_operators;
    }
    return *this;
}

Tape& Tape::operator=(Tape&& other) noexcept {
    if (this != &other) {
        giveWhole();
        m_firstChanged = 0;
        m_values = std::move(other.m_values);
        m_operators = std::move(other.m_operators);
    }
    return *this;
}

void Tape::noteGrowth() {
    if (m_recording != nullptr && m_recording->m_linesBefore < 0)
        m_recording->m_linesBefore = lineCount();
}

void Tape::noteLine(int line) {
    if (m_recording == nullptr)
        return;
    noteGrowth();
    // A line beyond the earlier length goes when the length is restored.
    if (!m_recording->m_whole && line < m_recording->m_linesBefore) {
        const auto at = static_cast<std::size_t>(line);
        m_recording->m_lines.push_back({line, m_operators[at], m_values[at]});
    }
}

void Tape::noteWhole() {
    if (m_recording == nullptr || m_recording->m_whole)
        return;
    noteGrowth();
    // The lines noted so far are older than the whole tape and must win: put them back in a
    // copy first.
    Tape earlier(*this);
    TapeChanges& changes = *m_recording;
    for (auto line = changes.m_lines.rbegin(); line != changes.m_lines.rend(); ++line) {
        const auto at = static_cast<std::size_t>(line->line);
        earlier.m_operators[at] = line->op;
        earlier.m_values[at] = std::move(line->value);
    }
    earlier.resize(changes.m_linesBefore);
    changes.m_lines.clear();
    changes.m_whole = true;
    changes.m_values = std::move(earlier.m_values);
    changes.m_operators = std::move(earlier.m_operators);
}

void Tape::giveWhole() {
    if (m_recording == nullptr || m_recording->m_whole)
        return;
    if (m_recording->empty() || m_recording->m_lines.empty()) {
        // Nothing noted but growth: the lines themselves are the earlier tape, moved away.
        noteGrowth();
        TapeChanges& changes = *m_recording;
        m_values.resize(static_cast<std::size_t>(changes.m_linesBefore));
        m_operators.resize(static_cast<std::size_t>(changes.m_linesBefore));
        changes.m_whole = true;
        changes.m_values = std::move(m_values);
        changes.m_operators = std::move(m_operators);
        m_values = {};
        m_operators = {};
        return;
    }
    noteWhole();
}

bool TapeChanges::significant(const Tape& tape) const {
    if (m_whole)
        return true;
    // The first record of a line is its earlier contents; later ones are steps in between.
    std::unordered_set<int> seen; // a step writes a few lines, however long the tape
    for (const Line& line : m_lines) {
        if (!seen.insert(line.line).second)
            continue;
        if (tape.op(line.line) != line.op || !(tape.value(line.line) == line.value))
            return true;
    }
    for (int i = std::max(m_linesBefore, 0); i < tape.lineCount(); ++i)
        if ((tape.op(i) != '+' && tape.op(i) != NoOperator) || !tape.value(i).isEmpty())
            return true;
    return false;
}

int TapeChanges::onlyLine() const {
    if (m_whole || m_lines.empty())
        return -1;
    for (const Line& line : m_lines)
        if (line.line != m_lines.front().line)
            return -1;
    return m_lines.front().line;
}

std::size_t TapeChanges::bytes() const {
    return m_values.capacity() * sizeof(Value) + m_operators.capacity() +
           m_lines.capacity() * sizeof(Line);
}

TapeChanges TapeChanges::revert(Tape& tape) {
    TapeChanges again;
    if (empty())
        return again;
    // Taking changes back is no change to record.
    TapeChanges* const recording = std::exchange(tape.m_recording, nullptr);
    if (m_whole) {
        again.m_linesBefore = 0;
        again.m_whole = true;
        again.m_values = std::move(tape.m_values);
        again.m_operators = std::move(tape.m_operators);
        tape.m_values = std::move(m_values);
        tape.m_operators = std::move(m_operators);
        tape.noteChange(0);
        *this = {};
        tape.m_recording = recording;
        return again;
    }
    // What the lines hold now, once each: the earlier lines written, and the lines added.
    again.m_linesBefore = tape.lineCount();
    tape.ensureLines(m_linesBefore);
    std::unordered_set<int> seen;
    for (const Line& line : m_lines)
        if (seen.insert(line.line).second)
            again.m_lines.push_back({line.line, tape.op(line.line), tape.value(line.line)});
    for (int i = m_linesBefore; i < again.m_linesBefore; ++i)
        again.m_lines.push_back({i, tape.op(i), tape.value(i)});
    for (auto line = m_lines.rbegin(); line != m_lines.rend(); ++line) {
        const auto at = static_cast<std::size_t>(line->line);
        tape.noteChange(line->line);
        tape.m_operators[at] = line->op;
        tape.m_values[at] = std::move(line->value);
    }
    tape.resize(m_linesBefore);
    *this = {};
    tape.m_recording = recording;
    return again;
}

void TapeChanges::absorb(TapeChanges&& later) {
    if (later.empty())
        return;
    if (empty()) {
        *this = std::move(later);
        return;
    }
    if (m_whole)
        return; // the whole earlier tape stands for both
    if (later.m_whole) {
        // Later's earlier tape is this one's later state: take these changes back on it.
        Tape earlier;
        earlier.m_values = std::move(later.m_values);
        earlier.m_operators = std::move(later.m_operators);
        revert(earlier);
        later.m_values = std::move(earlier.m_values);
        later.m_operators = std::move(earlier.m_operators);
        *this = std::move(later);
        return;
    }
    for (Line& line : later.m_lines)
        if (line.line < m_linesBefore)
            m_lines.push_back(std::move(line));
}

namespace {

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

} // namespace

bool isLineForm(std::string_view text) {
    if (totalModifierIn(text) || functionIn(text) || contains(text, "%"))
        return true;
    // A formula-button call: a caption (possibly empty), "(", the argument, ")".
    return !text.empty() && contains(text, "(") && text.back() == ')';
}

bool readsLocaleNumber(std::string_view text) {
    if (text.empty() || totalModifierIn(text))
        return false;
    return functionIn(text) || contains(text, "%") || !contains(text, "(");
}

std::optional<std::pair<std::size_t, std::size_t>> localeNumberSpan(std::string_view text) {
    if (!readsLocaleNumber(text))
        return std::nullopt;
    if (const auto* form = functionIn(text)) {
        const std::string_view marker = form->marker;
        // Only the plain form Name(argument), where the argument is all that is read; the
        // recalculation drops every ")", so a missing or doubled one changes nothing.
        if (!text.starts_with(marker))
            return std::nullopt;
        std::string_view argument = text.substr(marker.size());
        while (!argument.empty() && argument.back() == ')')
            argument.remove_suffix(1);
        if (argument.find_first_of("()%") != std::string_view::npos)
            return std::nullopt;
        return std::pair(marker.size(), argument.size());
    }
    if (contains(text, "%")) {
        if (text.find('%') != text.size() - 1 || contains(text, "(") || contains(text, ")"))
            return std::nullopt;
        return std::pair(std::size_t(0), text.size() - 1);
    }
    if (contains(text, ")"))
        return std::nullopt;
    return std::pair(std::size_t(0), text.size());
}

} // namespace padrix
