#pragma once

#include <exception>

namespace padrix {

/// Why a calculation step failed. The recalculation maps each kind to the words the total shows.
enum class CalcFailure {
    TypeMismatch,    ///< a text that is not a number where a number is needed
    DivisionByZero,  ///< a divisor that is zero
    InvalidArgument, ///< an argument outside a function's domain
    Overflow,        ///< a result beyond the range of the number type
    OutOfRange,      ///< an index beyond a fixed table (the evaluator's 100 tokens)
};

/// Lower-case words for a failure kind, as the command line prints them.
const char* failureName(CalcFailure kind) noexcept;

/// A failed calculation step, carrying its kind.
class CalcError : public std::exception {
public:
    explicit CalcError(CalcFailure kind) noexcept : m_kind(kind) {}
    CalcFailure kind() const noexcept { return m_kind; }
    const char* what() const noexcept override { return failureName(m_kind); }

private:
    CalcFailure m_kind;
};

} // namespace padrix
