#include "core/Recalculation.h"

#include "core/LineForms.h"
#include "core/Statistics.h"
#include "eval/Evalation.h"
#include "numbers/CalcFailure.h"
#include "numbers/RealMath.h"
#include "numbers/WideInteger.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <string_view>

namespace padrix {

namespace {

/// The running total or an operand: exact decimal, or double precision after a power or a
/// trigonometric function, until the next decimal operation brings it back.
struct Number {
    bool isDouble = false;
    Decimal d;
    double x = 0;

    static Number exact(const Decimal& v) {
        Number n;
        n.d = v;
        return n;
    }
    static Number real(double v) {
        Number n;
        n.isDouble = true;
        n.x = v;
        return n;
    }
    Decimal decimal() const { return isDouble ? Decimal::fromDouble(x) : d; }
    double toDouble() const { return isDouble ? x : d.toDouble(); }
};

/// T op v; op is one of the five operators.
Number combine(const Number& t, char op, const Number& v) {
    switch (op) {
    case '+':
        return Number::exact(t.decimal() + v.decimal());
    case '-':
        return Number::exact(t.decimal() - v.decimal());
    case 'x':
        return Number::exact(t.decimal() * v.decimal());
    case '/':
        return Number::exact(t.decimal() / v.decimal());
    default:
        return Number::real(checkedPower(t.toDouble(), v.toDouble()));
    }
}

/// A percentage line p% under op: a share of the running total.
Number percentage(const Number& t, char op, const Decimal& p) {
    const Decimal total = t.decimal();
    const Decimal share = total * (p / Decimal(100));
    switch (op) {
    case '+':
        return Number::exact(total + share);
    case '-':
        return Number::exact(total - share);
    case 'x':
        return Number::exact(share);
    case '/':
        return Number::exact(total / share);
    default:
        return Number::real(checkedPower(total.toDouble(), share.toDouble()));
    }
}

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

/// The text without any occurrence of `first`, then without any of `second`.
std::string removeAll(std::string_view text, std::string_view first, std::string_view second) {
    auto strip = [](std::string_view in, std::string_view what) {
        std::string out;
        out.reserve(in.size());
        for (std::size_t i = 0; i < in.size();) {
            if (!what.empty() && in.substr(i, what.size()) == what) {
                i += what.size();
            } else {
                out.push_back(in[i]);
                ++i;
            }
        }
        return out;
    };
    return strip(strip(text, first), second);
}

double reciprocal(double v) {
    if (v == 0.0)
        throw CalcError(CalcFailure::DivisionByZero);
    return 1.0 / v;
}

/// The inverse sine and cosine through the arc tangent, exact at the ends of the domain.
double arcSine(double a) {
    if (std::fabs(a) > 1.0)
        throw CalcError(CalcFailure::InvalidArgument);
    if (std::fabs(a) == 1.0)
        return a * 2 * std::atan(1.0);
    return std::atan(a / std::sqrt(1 - a * a));
}

double arcCosine(double a) {
    if (std::fabs(a) > 1.0)
        throw CalcError(CalcFailure::InvalidArgument);
    if (a == 1.0)
        return 0.0;
    if (a == -1.0)
        return 4 * std::atan(1.0);
    return std::atan(-a / std::sqrt(1 - a * a)) + 2 * std::atan(1.0);
}

/// Everything the walk carries from one line to the next.
struct WalkState {
    Number total;
    std::optional<CalcFailure> failure; // the last failure of the walk
    std::string failedName;             // the name of the line that failed last
};

/// One recalculation: the fold of the tape into the running total, with the record of the
/// last failure.
class Walk {
public:
    explicit Walk(const RecalcSettings& settings, WalkState start = {})
        : m_settings(settings), m_total(std::move(start.total)), m_failure(start.failure),
          m_failedName(std::move(start.failedName)) {
        for (int k = 0; k < FunctionButtonCount; ++k)
            m_calls[k] = (*settings.buttons)[k].caption + "(";
    }

    WalkState state() const { return {m_total, m_failure, m_failedName}; }

    void run(const Tape& tape) { run(tape, 0, tape.lineCount()); }

    /// Folds lines `from` to `to` - 1.
    void run(const Tape& tape, int from, int to) {
        const int last = to - 1;
        for (int i = from; i <= last; ++i) {
            i = plainRun(tape, i, to);
            if (i > last)
                break;
            const Value& value = tape.value(i);
            const char op = tape.op(i);
            m_lineName = {};
            try {
                line(op, value);
            } catch (const CalcError& e) {
                // The line contributes nothing; the last failure decides the words.
                m_failure = e.kind();
                m_failedName = m_lineName;
            } catch (const std::bad_alloc&) {
                // A line too long to work on in the memory there is fails like one whose
                // pieces are too long.
                m_failure = CalcFailure::OutOfRange;
                m_failedName = m_lineName;
            }
        }
    }

    /// Folds the run of plain lines from line `i` on, "+" or "-" with a decimal (and the lines
    /// that count for nothing between them), without building a decimal per line; returns the
    /// line after the run. The sums stay below 2^64, where every addition is exact and gives
    /// what the decimal addition gives: the larger scale, and no sign on a zero.
    int plainRun(const Tape& tape, int i, int to) {
        if (m_total.isDouble || m_total.d.high() != 0)
            return i;
        const Value* values = tape.TapeValues().data();
        const char* ops = tape.TapeOperators().data();
        std::uint64_t magnitude = m_total.d.low();
        bool negative = m_total.d.isNegative();
        int scale = m_total.d.scale();
        int j = i;
        for (; j < to; ++j) {
            const Value& v = values[j];
            if (v.isEmpty())
                continue;
            if (!v.isDecimal())
                break;
            const char op = ops[j];
            if (!isOperator(op))
                continue; // a number without an operator counts for nothing
            if (op != '+' && op != '-')
                break;
            const Decimal d = v.decimal();
            if (d.scale() == scale && d.high() == 0) {
                // The everyday line: the scale the total has, the sum in 64 bits.
                const std::uint64_t b = d.low();
                const bool negativeB = d.isNegative() != (op == '-') && b != 0;
                if (negative == negativeB) {
                    if (b > std::numeric_limits<std::uint64_t>::max() - magnitude)
                        break; // the ordinary addition takes over from here
                    magnitude += b;
                } else if (magnitude >= b) {
                    magnitude -= b;
                } else {
                    magnitude = b - magnitude;
                    negative = negativeB;
                }
                negative = negative && magnitude != 0;
                continue;
            }
            const int common = std::max(scale, d.scale());
            if (d.high() != 0 || common - std::min(scale, d.scale()) > 19)
                break;
            const wide::u128 a = wide::u128(magnitude) * wide::Pow10[common - scale];
            const wide::u128 b = wide::u128(d.low()) * wide::Pow10[common - d.scale()];
            const bool negativeB = d.isNegative() != (op == '-') && !d.isZero();
            const auto [r, negativeR] = wide::signedSum(a, negative, b, negativeB);
            if ((r >> 64) != 0)
                break; // the ordinary addition takes over from here
            magnitude = static_cast<std::uint64_t>(r);
            negative = negativeR && r != 0;
            scale = common;
        }
        if (j > i)
            m_total.d = Decimal::fromParts(magnitude, 0, scale, negative);
        return j;
    }

    GrandTotal result() const {
        std::string text;
        if (m_failure == CalcFailure::Overflow) {
            text = "Overflow";
        } else if (m_failure) {
            text = m_failedName + "Error";
        } else if (!m_total.isDouble) {
            text = displayText(m_total.d, m_settings.DecimalsChoice, m_settings.locale);
        } else {
            try {
                text = displayText(Decimal::fromDouble(m_total.x), m_settings.DecimalsChoice,
                                   m_settings.locale);
            } catch (const CalcError&) {
                // Beyond the decimal range only the double's own text can show it.
                text = generalText(m_total.x, m_settings.locale);
            }
        }
        return {text, totalColorFor(text), m_failure.has_value()};
    }

private:
    void line(char op, const Value& value) {
        switch (value.kind()) {
        case Value::Kind::Empty:
            return;
        case Value::Kind::Decimal:
            if (isOperator(op)) {
                if (op == '+' && !m_total.isDouble)
                    m_total.d = m_total.d + value.decimal(); // the everyday line
                else
                    m_total = combine(m_total, op, Number::exact(value.decimal()));
            }
            return;
        case Value::Kind::Double:
            if (isOperator(op))
                m_total = combine(m_total, op, Number::exact(Decimal::fromDouble(value.number())));
            return;
        case Value::Kind::Text:
            textLine(op, value.textValue());
            return;
        }
    }

    void textLine(char op, std::string_view t) {
        // Total modifiers act on the running total and are not operands themselves.
        if (const auto* modifier = totalModifierIn(t)) {
            m_lineName = std::string(modifier->name) + " ";
            switch (modifier->kind) {
            case TotalModifier::Int:
                m_total = m_total.isDouble ? Number::real(std::floor(m_total.x))
                                           : Number::exact(m_total.d.floor());
                return;
            case TotalModifier::Fix:
                m_total = m_total.isDouble ? Number::real(std::trunc(m_total.x))
                                           : Number::exact(m_total.d.truncate());
                return;
            case TotalModifier::Roun:
                roundTotal(std::nearbyint(leadingNumber(removeAll(t, modifier->marker, ")"))));
                return;
            }
        }
        if (!isOperator(op))
            return;
        if (const auto* form = functionIn(t)) {
            m_lineName = std::string(form->name) + " ";
            const std::string argument = removeAll(t, form->marker, ")");
            m_total = combine(m_total, op, Number::real(function(form->kind, argument)));
            return;
        }
        if (contains(t, "%")) {
            m_total =
                percentage(m_total, op, textToDecimal(removeAll(t, "%", {}), m_settings.locale));
            return;
        }
        for (int k = 0; k < FunctionButtonCount; ++k) {
            if (contains(t, m_calls[k])) {
                formulaCall(k, op, t);
                return;
            }
        }
        if (!t.empty())
            m_total = combine(m_total, op, Number::exact(textToDecimal(t, m_settings.locale)));
    }

    void roundTotal(double places) {
        if (places < 0)
            throw CalcError(CalcFailure::InvalidArgument);
        const int n = places > Decimal::MaxScale ? Decimal::MaxScale : static_cast<int>(places);
        if (!m_total.isDouble) {
            m_total.d = m_total.d.roundHalfEven(n);
            return;
        }
        try {
            m_total = Number::exact(Decimal::fromDouble(m_total.x).roundHalfEven(n));
        } catch (const CalcError&) {
            // Beyond the decimal range a double has no decimals left to round.
        }
    }

    double function(LineFunction f, const std::string& argument) const {
        const NumberLocale& locale = m_settings.locale;
        switch (f) {
        case LineFunction::Asin:
            return arcSine(textToDouble(argument, locale));
        case LineFunction::Acos:
            return arcCosine(textToDecimal(argument, locale).toDouble());
        case LineFunction::Atan:
            return std::atan(textToDecimal(argument, locale).toDouble());
        default:
            break;
        }
        const double a = textToDouble(argument, locale);
        switch (f) {
        case LineFunction::Sin:
            return std::sin(a);
        case LineFunction::Cos:
            return std::cos(a);
        case LineFunction::Tan:
            return std::tan(a);
        case LineFunction::Log:
            if (a <= 0)
                throw CalcError(CalcFailure::InvalidArgument);
            return std::log(a);
        case LineFunction::Exp:
            return checkedReal(std::exp(a));
        case LineFunction::Sqr:
            if (a < 0)
                throw CalcError(CalcFailure::InvalidArgument);
            return std::sqrt(a);
        case LineFunction::Cot:
            return reciprocal(std::tan(a));
        case LineFunction::Csc:
            return reciprocal(std::sin(a));
        case LineFunction::Sec:
            return reciprocal(std::cos(a));
        default:
            return 0.0; // the inverse functions returned above
        }
    }

    void formulaCall(int k, char op, std::string_view t) {
        const FunctionDefinition& button = (*m_settings.buttons)[k];
        m_lineName = button.caption.empty() ? std::string() : button.caption + " ";
        std::string x = removeAll(t, m_calls[k], ")");
        if (x.empty())
            x.push_back('0');
        std::string formula = bindVariables(button.formula, x, totalForFormula());
        const std::string result = m_evaluator.EvalFormula(formula);
        // The evaluator writes '.' as the point; its error texts do not convert.
        const double v = textToDouble(result, NumberLocale::english());
        m_total = combine(m_total, op, Number::real(v));
    }

    /// T as the formula sees it: plain figures, never an exponent.
    std::string totalForFormula() const {
        if (!m_total.isDouble)
            return m_total.d.toString();
        try {
            return Decimal::fromDouble(m_total.x).toString();
        } catch (const CalcError&) {
            return generalText(m_total.x, NumberLocale::english());
        }
    }

    const RecalcSettings& m_settings;
    std::array<std::string, FunctionButtonCount> m_calls; // caption + "(" of each button
    Evalation m_evaluator;
    Number m_total;
    std::string m_lineName;               // name of the line being folded, "Asin " etc.
    std::optional<CalcFailure> m_failure; // the last failure of the walk
    std::string m_failedName;             // the name of the line that failed last
};

} // namespace

struct RunningTotal::Checkpoints {
    std::vector<WalkState> walk;     // walk[k]: the state before line k * interval
    std::vector<AverageSum> average; // the same for the Average
    int walkValid = 0;               // lines whose walk checkpoints still hold
    int averageValid = 0;            // the same for the Average
    FunctionButtons buttons;         // what the walk read, for telling a change
    NumberLocale locale;
    bool started = false;
};

/// The index of the last checkpoint that the first `valid` lines decide; the ones after it go.
template <class State>
int RunningTotal::lastCheckpoint(std::vector<State>& checkpoints, int valid) const {
    if (checkpoints.empty())
        checkpoints.emplace_back(); // the state before line 0
    const int k = std::min(valid / m_interval, static_cast<int>(checkpoints.size()) - 1);
    checkpoints.resize(static_cast<std::size_t>(k) + 1);
    return k;
}

RunningTotal::RunningTotal(int interval)
    : m_interval(std::max(interval, 1)), m_data(std::make_unique<Checkpoints>()) {}

RunningTotal::~RunningTotal() = default;

GrandTotal RunningTotal::total(const Tape& tape, const RecalcSettings& settings, int firstChanged,
                               const std::string& previousText, std::vector<Value>* SortedValues) {
    Checkpoints& c = *m_data;
    // Lines from firstChanged on may differ; so may every line once the buttons or the
    // locale that the walk reads are others.
    if (!c.started || c.buttons != *settings.buttons || c.locale != settings.locale) {
        c.started = true;
        c.buttons = *settings.buttons;
        c.locale = settings.locale;
        firstChanged = 0;
    }
    const int changed = std::clamp(firstChanged, 0, tape.lineCount());
    c.walkValid = std::min(c.walkValid, changed);
    c.averageValid = std::min(c.averageValid, changed);

    if (settings.TotalMode == TotalAverage) {
        const int k = lastCheckpoint(c.average, c.averageValid);
        AverageSum state = c.average[static_cast<std::size_t>(k)];
        for (int i = k * m_interval; i < tape.lineCount(); ++i) {
            if (i > k * m_interval && i % m_interval == 0)
                c.average.push_back(state);
            state.add(tape.value(i));
        }
        c.averageValid = tape.lineCount();
        if (state.count == 0)
            return {previousText, totalColorFor(previousText), true};
        const std::string text = state.text(settings.locale);
        return {text, totalColorFor(text), false};
    }
    if (settings.TotalMode != TotalNumbers)
        return MailCalc(tape, settings, previousText, SortedValues); // sorted in full anyway

    const int k = lastCheckpoint(c.walk, c.walkValid);
    Walk walk(settings, c.walk[static_cast<std::size_t>(k)]);
    for (int start = k * m_interval; start < tape.lineCount(); start += m_interval) {
        if (start > k * m_interval)
            c.walk.push_back(walk.state());
        walk.run(tape, start, std::min(start + m_interval, tape.lineCount()));
    }
    c.walkValid = tape.lineCount();
    return walk.result();
}

int totalColorFor(const std::string& text) {
    return !text.empty() && text.front() == '-' ? NegativeTotalColor : TotalColor;
}

GrandTotal MailCalc(const Tape& tape, const RecalcSettings& settings,
                    const std::string& previousText, std::vector<Value>* SortedValues) {
    if (settings.TotalMode != TotalNumbers) {
        std::optional<std::string> text;
        try {
            text =
                statisticText(tape.TapeValues(), settings.TotalMode, settings.locale, SortedValues);
        } catch (const std::bad_alloc&) {
            // No room for the sorted copy: the statistic cannot be formed.
        }
        const std::string& shown = text ? *text : previousText;
        return {shown, totalColorFor(shown), !text};
    }
    Walk walk(settings);
    walk.run(tape);
    return walk.result();
}

} // namespace padrix
