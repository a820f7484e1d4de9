#include "core/Recalculation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace padrix {

namespace {

/// A random operand of every line form the tape knows, failures included.
Value randomOperand(std::mt19937& random) {
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    switch (pick(14)) {
    case 0:
        return Value();
    case 1:
        return 0.5 * pick(9);
    case 2:
        return std::string("Sin(") + std::to_string(pick(90)) + ")";
    case 3:
        return std::string("Asin(") + std::to_string(pick(3)) + ")"; // fails above 1
    case 4:
        return std::to_string(pick(30)) + "%";
    case 5:
        return std::string(pick(2) == 0 ? "Int" : "Fix");
    case 6:
        return "Roun(" + std::to_string(pick(4)) + ")";
    case 7:
        return "Svol(" + std::to_string(pick(5)) + ")";
    case 8:
        return "Half(" + std::to_string(pick(5)) + ")";
    case 9:
        return Decimal::parse("79228162514264337593543950335"); // overflows when added to
    case 10:
        return Decimal(0);
    default:
        return Decimal::fromParts(static_cast<std::uint64_t>(pick(100000)), 0, pick(4),
                                  pick(3) == 0);
    }
}

TEST(RunningTotal, AgreesWithTheWholeWalkAfterEveryEdit) {
    std::mt19937 random(17);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    FunctionButtons buttons = defaultFunctionButtons();
    buttons[18] = {"Half", "T/X", ""};
    int checked = 0;
    for (int round = 0; round < 60; ++round) {
        Tape tape;
        for (int i = pick(200); i > 0; --i)
            tape.append("+-x/^ "[pick(6)], randomOperand(random));
        RunningTotal running(8);
        RecalcSettings settings;
        settings.buttons = &buttons;
        std::string previous = "before";
        for (int edit = 0; edit < 60; ++edit) {
            const int lines = tape.lineCount();
            const int line = pick(lines + 2);
            switch (pick(8)) {
            case 0:
                tape.setOperator(line, "+-x/^"[pick(5)]);
                break;
            case 1:
                tape.ensureLines(lines + pick(20));
                break;
            case 2:
                tape.resize(std::max(0, lines - pick(20)));
                break;
            case 3:
                buttons[18].formula = pick(2) == 0 ? "T/X" : "X*2"; // the buttons change
                break;
            case 4:
                settings.TotalMode = pick(4);
                settings.DecimalsChoice = pick(3) == 0 ? 2 : VariableDecimals;
                break;
            default:
                tape.setValue(line, randomOperand(random));
                break;
            }
            const GrandTotal whole = MailCalc(tape, settings, previous);
            const GrandTotal worked =
                running.total(tape, settings, tape.takeFirstChanged(), previous);
            ASSERT_TRUE(worked == whole)
                << "round " << round << ", edit " << edit << ": " << worked.text << " "
                << worked.failed << " against " << whole.text << " " << whole.failed << " mode "
                << settings.TotalMode;
            previous = whole.text;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3600);
}

} // namespace
} // namespace padrix
