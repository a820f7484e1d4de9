#pragma once

#include "core/Tape.h"

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace padrix::test {

/// A number from 0 to n - 1.
inline int pick(std::mt19937& random, int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random);
}

/// A random operand of every line form the tape knows, failures included; "Half" is a
/// formula button the caller defines.
inline Value randomOperand(std::mt19937& random) {
    const auto in = [&](int n) { return std::to_string(pick(random, n)); };
    switch (pick(random, 14)) {
    case 0:
        return Value();
    case 1:
        return 0.5 * pick(random, 9);
    case 2:
        return "Sin(" + in(90) + ")";
    case 3:
        return "Asin(" + in(3) + ")"; // fails above 1
    case 4:
        return in(30) + "%";
    case 5:
        return std::string(pick(random, 2) == 0 ? "Int" : "Fix");
    case 6:
        return "Roun(" + in(4) + ")";
    case 7:
        return "Svol(" + in(5) + ")";
    case 8:
        return "Half(" + in(5) + ")";
    case 9:
        return Decimal::parse("79228162514264337593543950335"); // overflows when added to
    case 10:
        return Decimal(0);
    default:
        return Decimal::fromParts(static_cast<std::uint64_t>(pick(random, 100000)), 0,
                                  pick(random, 4), pick(random, 3) == 0);
    }
}

/// One random change of any kind the window makes to its tape: a line written, the tape
/// grown, cut, cleared, reordered or replaced.
inline void randomChange(Tape& tape, std::mt19937& random) {
    const int lines = tape.lineCount();
    const int line = pick(random, lines + 3);
    switch (pick(random, 9)) {
    case 0:
    case 1:
        tape.setValue(line, randomOperand(random));
        break;
    case 2:
        tape.setOperator(line, "+-x/^"[pick(random, 5)]);
        break;
    case 3:
        tape.ensureLines(lines + pick(random, 4));
        break;
    case 4:
        tape.resize(std::max(0, lines + pick(random, 5) - 2));
        break;
    case 5:
        tape.clear(pick(random, 6));
        break;
    case 6:
        tape.rearrangeValues(
            [](std::vector<Value>& values) { std::reverse(values.begin(), values.end()); });
        break;
    case 7: {
        Tape other;
        for (int i = pick(random, 20); i > 0; --i)
            other.append('+', Decimal(i));
        tape = pick(random, 2) == 0 ? std::move(other) : Tape(other);
        break;
    }
    default:
        tape.append('-', 2.5);
        break;
    }
}

} // namespace padrix::test
