#include "core/Tape.h"

#include "platform/LargePages.h"

#include <algorithm>

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
    const auto n = static_cast<std::size_t>(lines);
    m_values.resize(n);
    m_operators.resize(n, '+');
}

void Tape::resize(int lines) {
    const auto n = static_cast<std::size_t>(std::max(lines, 0));
    m_values.resize(n);
    m_operators.resize(n, NoOperator);
}

void Tape::clear(int lines) {
    m_values.clear();
    m_operators.clear();
    resize(lines);
}

void Tape::setOperator(int line, char op) {
    ensureLines(line + 1);
    m_operators[static_cast<std::size_t>(line)] = op;
}

void Tape::setValue(int line, Value value) {
    ensureLines(line + 1);
    m_values[static_cast<std::size_t>(line)] = std::move(value);
}

bool isLineForm(std::string_view text) {
    static constexpr std::string_view Markers[] = {
        "Int",  "Fix",  "Roun(", "Sin(", "Cos(",  "Tan(",  "Log(",  "Exp(",
        "Sqr(", "Cot(", "Csc(",  "Sec(", "Asin(", "Acos(", "Atan(", "%"};
    for (std::string_view marker : Markers)
        if (text.find(marker) != std::string_view::npos)
            return true;
    // A formula-button call: a caption (possibly empty), "(", the argument, ")".
    return text.find('(') != std::string_view::npos && text.back() == ')';
}

} // namespace padrix
