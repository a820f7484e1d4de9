#include "eval/Evalation.h"
#include "numbers/CalcFailure.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace padrix {
namespace {

std::string eval(std::string formula) {
    return EvalFormula(formula);
}

struct Case {
    const char* formula;
    const char* result;
};

/// The kind of failure that leaves the evaluator, or none when the formula gives a text.
std::optional<CalcFailure> failureOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const CalcError& e) {
        return e.kind();
    }
    return std::nullopt;
}

void expectResults(std::initializer_list<Case> cases) {
    for (const auto& c : cases) {
        try {
            EXPECT_EQ(eval(c.formula), c.result) << "formula: " << c.formula;
        } catch (const CalcError& e) {
            ADD_FAILURE() << "formula: " << c.formula << " failed with " << e.what();
        }
    }
}

TEST(Evaluator, ArithmeticAndPrecedence) {
    expectResults({
        {"(4*3.14159265358979*2^3)/3", "33.510321638291093333333333333"},
        {"1,5 * 2", "3"},
        {"2^3^2", "64"},
        {"2+3*4", "14"},
        {"8/2/2", "2"},
        {"10/4", "2.5"},
        {"0.1+0.2", "0.3"},
        {"2^0.5", "1.4142135623731"},
        {"2^70*3", "3541774862152230000000"},
        {"1.50*2", "3"},
        {"  7 ", "7"},
        {"-5", "-5"},
        {"5--3", "8"},
        {"5+-3", "2"},
        {"5 * -3", "-15"},
        {"2*(1-3)", "-4"},
        {"(5)", "5"},
        {"-(2)", "-2"},
        {"5*-(1-3)", "10"},
    });
}

TEST(Evaluator, AVanishingExponentIsZero) {
    // 2 to a power of 1E-401 is 1, not the 0 of an exponent taken for infinite.
    EXPECT_EQ(eval("2^-0." + std::string(400, '0') + "1"), "1");
    EXPECT_EQ(eval("2^0." + std::string(400, '0') + "1"), "1");
}

// A binary plus or minus takes the whole power as its term; a sign at the start or after
// another operator stays with its number.
TEST(Evaluator, SignsAndPowers) {
    expectResults({
        {"3 - 2^2", "-1"},
        {"3-2^2", "-1"},
        {"3+2^2", "7"},
        {"-2^2", "4"},
        {"5*-2^2", "20"},
        {"2^-1", "0.5"},
        {"1-2^3*2", "-15"},
        {"3--2^2", "-1"},
        {"10-3^2^2", "-71"},
    });
}

// A reduced bracket group is one operand: its sign and figures never merge with the text
// around it, and a number or group next to it multiplies.
TEST(Evaluator, BracketGroupsAreOneOperand) {
    expectResults({
        {"(1-3)^2", "4"},
        {"10-(1-4)^2", "1"},
        {"3-(0-2)^3", "11"},
        {"-(1-3)^2", "4"},
        {"2^(0-1)", "0.5"},
        {"2(3)", "6"},
        {"(2)(3)", "6"},
        {"(1)2", "2"},
        {"2(1+1)(1+2)", "12"},
        {"1.5(2)", "3"},
    });
}

TEST(Evaluator, ErrorTextsInCheckOrder) {
    expectResults({
        {"", "Error"},
        {"    ", "Error"},
        {"x+1", "Error - Token"},
        {"2e3", "Error - Token"},
        {"1\t+1", "Error - Token"},
        {"x+(", "Error - Token"},
        {"(2", "Error - ()"},
        {")(", "Error - ()"},
        {"(1))+((2)", "Error - ()"},
        {"5-", "Error - Sign"},
        {"+5", "Error - Sign"},
        {"5-*3", "Error - Sign"},
        {"*5", "Error - Sign"},
        {"2^", "Error - Sign"},
        {"2^*3", "Error - Sign"},
        {"(2^)+1", "Error - Sign"},
        {"6/0", "Error - Division"},
        {"6/", "Error - Division"},
        {"6/0.0", "Error - Division"},
        {"(5-)+6/0", "Error - Sign"},
        {"6/0+(5-)", "Error - Sign"},
        {"(6/0)+(5-)", "Error - Division"},
    });
}

TEST(Evaluator, FailuresThatLeaveTheEvaluator) {
    const struct {
        const char* formula;
        CalcFailure kind;
    } cases[] = {
        {"()", CalcFailure::TypeMismatch},
        {"2*", CalcFailure::TypeMismatch},
        {"1.2.3+1", CalcFailure::TypeMismatch},
        {".", CalcFailure::TypeMismatch},
        {"5---3", CalcFailure::TypeMismatch},
        {"79228162514264337593543950335+1", CalcFailure::Overflow},
        {"10^30", CalcFailure::Overflow},
        {"10^400", CalcFailure::Overflow},
        {"(0-8)^0.5", CalcFailure::InvalidArgument},
        {"0^-1", CalcFailure::DivisionByZero},
        {"1/0.00000000000000000000000000001", CalcFailure::DivisionByZero},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureOf([&] { eval(c.formula); }), c.kind) << c.formula;
    // The evaluator recovers fully after a failure.
    EXPECT_EQ(eval("1+1"), "2");
}

TEST(Evaluator, HundredTokensAPiece) {
    auto ones = [](int n) {
        std::string s = "1";
        for (int i = 1; i < n; ++i)
            s += "+1";
        return s;
    };
    EXPECT_EQ(eval(ones(50)), "50");                                        // 99 tokens
    EXPECT_EQ(failureOf([&] { eval(ones(51)); }), CalcFailure::OutOfRange); // 101 tokens
    // The limit is per bracket piece, not per formula.
    std::string twoPieces = "(";
    twoPieces += ones(50);
    twoPieces += ")+(";
    twoPieces += ones(50);
    twoPieces += ")";
    EXPECT_EQ(eval(twoPieces), "100");
}

TEST(Evaluator, LongAndDeepTextsReduceInOneReading) {
    // 20,000 nested groups around one value, and a long row of groups each added on.
    const int depth = 20000;
    std::string nested = std::string(depth, '(') + "-2" + std::string(depth, ')') + "^2";
    EXPECT_EQ(eval(nested), "4");
    std::string row;
    for (int i = 0; i < 30; ++i)
        row += "(1+(2*(3)))+";
    EXPECT_EQ(eval(row + "(0)"), "210");
    // The first failing group from the left decides, however far along the text it is.
    EXPECT_EQ(eval(std::string(depth, '(') + "1" + std::string(depth, ')') + "+(5-)+(6/0)"),
              "Error - Sign");
    EXPECT_EQ(eval("(6/0)+" + std::string(depth, '(') + "5-" + std::string(depth, ')')),
              "Error - Division");
    // A group's value next to a figure or a group still multiplies, at any depth.
    EXPECT_EQ(eval("((2)(3))((1)+(1))"), "12");
}

TEST(Evaluator, BoundVariablesHaveALengthLimit) {
    const std::string manyX(65535, 'X');
    EXPECT_EQ(failureOf([&] { bindVariables(manyX, std::string(100, '1'), ""); }),
              CalcFailure::OutOfRange);
    // T's inside the argument count too: 1000 X's each holding 1000 T's.
    EXPECT_EQ(
        failureOf([] { bindVariables(std::string(1000, 'X'), std::string(1000, 'T'), "12345"); }),
        CalcFailure::OutOfRange);
    // Just under the limit the text is built whole.
    const std::size_t letters = MaxBoundFormulaLength / 4 - 1; // "(1)" for each X
    EXPECT_EQ(bindVariables(std::string(letters, 'X'), "1", "").size(), letters * 3);
    // Without a value to bind, a long text is left as it is.
    EXPECT_EQ(bindVariables(manyX, "", "").size(), manyX.size());
}

TEST(Evaluator, TrimsTheCallersFormulaAndBindsVariables) {
    std::string formula = "  1 + 2  ";
    Evalation evaluator;
    EXPECT_EQ(evaluator.EvalFormula(formula), "3");
    EXPECT_EQ(formula, "1 + 2");

    EXPECT_EQ(bindVariables("X^2+T", "-3", "10"), "(-3)^2+(10)");
    EXPECT_EQ(eval(bindVariables("X^2", "-3", "")), "9");
    EXPECT_EQ(eval(bindVariables("T-X^2", "-3", "10")), "1");
    EXPECT_EQ(eval(bindVariables("2X", "-3", "")), "-6");
    EXPECT_EQ(bindVariables("X+T", "", ""), "X+T");
    EXPECT_EQ(eval(bindVariables("x+1", "2", "")), "Error - Token");
    EXPECT_TRUE(Evalation::isErrorText("Error - Sign"));
    EXPECT_FALSE(Evalation::isErrorText("3"));
}

} // namespace
} // namespace padrix
