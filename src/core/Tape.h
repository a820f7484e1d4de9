#pragma once

#include "numbers/Value.h"

#include <string_view>
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
        return 255; // red
    case 'x':
        return 65280; // green
    case '/':
        return 16711680; // blue
    case '^':
        return 0; // black
    default:
        return 12632256; // silver, also for "+" and anything that is no operator
    }
}

/// The tape: line L has the operator TapeOperators[L] and the operand TapeValues[L]. Both
/// vectors always have the same size.
struct Tape {
    std::vector<Value> TapeValues;
    std::vector<char> TapeOperators;

    int lineCount() const { return static_cast<int>(TapeValues.size()); }
    void append(char op, Value value) {
        TapeOperators.push_back(op);
        TapeValues.push_back(std::move(value));
    }
    bool operator==(const Tape&) const = default;
};

/// True when a line's text is one of the line forms besides a plain number: a total modifier
/// (Int, Fix, Roun(n)), a function line such as Sin(30), a percentage such as 10%, or a
/// formula-button call Name(argument).
bool isLineForm(std::string_view text);

} // namespace padrix
