#include "core/Recalculation.h"

#include "core/RandomTape.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace padrix {

namespace {

TEST(RunningTotal, AgreesWithTheWholeWalkAfterEveryEdit) {
    std::mt19937 random(17);
    const auto pick = [&](int n) { return test::pick(random, n); };
    FunctionButtons buttons = defaultFunctionButtons();
    buttons[18] = {"Half", "T/X", ""};
    int checked = 0;
    for (int round = 0; round < 60; ++round) {
        Tape tape;
        for (int i = pick(200); i > 0; --i)
            tape.append("+-x/^ "[pick(6)], test::randomOperand(random));
        RunningTotal running(8);
        RecalcSettings settings;
        settings.buttons = &buttons;
        std::string previous = "before";
        for (int edit = 0; edit < 60; ++edit) {
            switch (pick(6)) {
            case 0:
                buttons[18].formula = pick(2) == 0 ? "T/X" : "X*2"; // the buttons change
                break;
            case 1:
                settings.TotalMode = pick(4);
                settings.DecimalsChoice = pick(3) == 0 ? 2 : VariableDecimals;
                break;
            default:
                test::randomChange(tape, random);
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
