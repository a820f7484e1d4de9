// The formula evaluator on any text: it answers with a number or one of its error texts, or
// fails with a typed failure; a number it gives evaluates to itself.
#include "FuzzCheck.h"

#include "eval/Evalation.h"
#include "numbers/Decimal.h"

#include <cstdint>

using namespace padrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string formula(reinterpret_cast<const char*>(data), size);
    const std::string given = formula;
    std::string result;
    try {
        result = EvalFormula(formula);
    } catch (const CalcError&) {
        return 0; // a malformed number, a piece too long, a value beyond the range
    }
    const auto first = given.find_first_not_of(' ');
    const std::string trimmed = first == std::string::npos
                                    ? std::string()
                                    : given.substr(first, given.find_last_not_of(' ') - first + 1);
    fuzz::check(formula == trimmed, "the caller's formula comes back trimmed", given);
    if (Evalation::isErrorText(result))
        return 0;
    try {
        fuzz::check(Decimal::parse(result).toString() == result,
                    "the result is a decimal's general text", result);
    } catch (const CalcError&) {
        fuzz::broken("the result reads as a decimal", result);
    }
    std::string again = result;
    fuzz::check(EvalFormula(again) == result, "a result evaluates to itself", result);
    return 0;
}
