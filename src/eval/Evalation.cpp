#include "eval/Evalation.h"

#include "numbers/CalcFailure.h"
#include "numbers/Decimal.h"
#include "numbers/NumberText.h"
#include "numbers/RealMath.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace padrix {

namespace {

constexpr std::string_view TokenAlphabet = "()0123456789+-^/*.,";

bool isFigure(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

bool isOperatorChar(char c) {
    return c == '+' || c == '-' || c == '/' || c == '*' || c == '^';
}

bool isSign(const std::string& t) {
    return t == "-" || t == "+";
}

/// A sign applied to a number's text: "-" on "4" is "-4", "-" on "-4" is "4"; a plus sign
/// leaves the number as it is.
std::string applySign(char sign, const std::string& text) {
    const bool hasSign = !text.empty() && (text[0] == '-' || text[0] == '+');
    const bool negative = (sign == '-') != (hasSign && text[0] == '-');
    const std::string bare = hasSign ? text.substr(1) : text;
    return negative ? "-" + bare : bare;
}

/// Token records are numbered 1..100; anything beyond is an out-of-range failure.
template <typename List> auto& record(List& list, int index) {
    if (index < 0 || index > Evalation::MaxTokens)
        throw CalcError(CalcFailure::OutOfRange);
    return list[static_cast<std::size_t>(index)];
}

} // namespace

bool Evalation::isErrorText(const std::string& result) {
    return result == ErrorEmpty || result == ErrorToken || result == ErrorBrackets ||
           result == ErrorSign || result == ErrorDivision;
}

std::string Evalation::EvalFormula(std::string& formula) {
    ErrFlag = 0;
    GroupValues.clear();
    ExprText = RemoveSpaces(formula);
    for (char& c : ExprText)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ExprText.empty())
        return ErrorEmpty;
    CheckTokens();
    if (ErrFlag != 0)
        return ErrText;
    CheckBrackets();
    if (ErrFlag != 0)
        return ErrText;
    Reduced.clear();
    Reduced.reserve(ExprText.size());
    OpenMarks.clear();
    ScanPos = 0;
    for (;;) {
        FindInnerGroup();
        SplitTokens();
        if (ErrFlag != 0)
            return ErrText;
        CalcTokens();
        if (ErrFlag != 0)
            return ErrText;
        if (OpenPos == 0)
            return GroupText;
        spliceGroupValue();
    }
}

void Evalation::spliceGroupValue() {
    const std::size_t open = static_cast<std::size_t>(OpenPos) - 1; // 0-based "("
    const char before = open > 0 ? Reduced[open - 1] : '\0';
    // The text after the closing bracket has not been read yet, so it stands as written.
    const char after = ScanPos < ExprText.size() ? ExprText[ScanPos] : '\0';
    // A number or a group directly next to a bracket group multiplies with it: 2(3), (2)(3).
    const bool timesBefore = isFigure(before) || before == '}';
    const bool timesAfter = isFigure(after) || after == '(';
    Reduced.resize(open);
    if (timesBefore)
        Reduced += '*';
    Reduced += '{';
    Reduced += std::to_string(GroupValues.size());
    Reduced += '}';
    if (timesAfter)
        Reduced += '*';
    GroupValues.push_back(GroupText);
}

std::string Evalation::RemoveSpaces(std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
    } else {
        text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    }
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            out.push_back(c);
    return out;
}

void Evalation::fail(const char* message) {
    ErrFlag = -1;
    ErrText = message;
}

void Evalation::CheckTokens() {
    for (char c : ExprText) {
        if (TokenAlphabet.find(c) == std::string_view::npos) {
            fail(ErrorToken);
            return;
        }
    }
}

void Evalation::CheckBrackets() {
    long openings = 0;
    long closings = 0;
    for (char c : ExprText) {
        if (c == '(') {
            ++openings;
        } else if (c == ')') {
            if (openings <= closings) {
                fail(ErrorBrackets);
                return;
            }
            ++closings;
        }
    }
    if (openings != closings)
        fail(ErrorBrackets);
}

void Evalation::FindInnerGroup() {
    // Reading on from where the last group closed, every character is copied once; the
    // innermost open bracket is the last one not yet closed.
    OpenPos = 0;
    ClosePos = 0;
    while (ScanPos < ExprText.size()) {
        const char c = ExprText[ScanPos++];
        if (c == ')') {
            OpenPos = static_cast<int>(OpenMarks.back()) + 1;
            OpenMarks.pop_back();
            ClosePos = static_cast<int>(Reduced.size()) + 1;
            GroupText.assign(Reduced, static_cast<std::size_t>(OpenPos), std::string::npos);
            return;
        }
        if (c == '(')
            OpenMarks.push_back(Reduced.size());
        Reduced.push_back(c);
    }
    GroupText = Reduced;
}

void Evalation::SplitTokens() {
    // Records beyond those used last time are still clear.
    for (int i = 1; i <= std::min(RawUsed, MaxTokens); ++i)
        RawTokens[i] = Token{};
    for (int i = 1; i <= std::min(TokensUsed, MaxTokens); ++i)
        Tokens[i] = Token{};
    // Until the scan and the fold finish, any record may have been written.
    RawUsed = MaxTokens;
    TokensUsed = MaxTokens;
    const int rawCount = scanRawTokens();
    RawUsed = std::min(rawCount, MaxTokens);
    if (record(RawTokens, 1).kind == Operator && record(RawTokens, 1).text != "-") {
        fail(ErrorSign);
        return;
    }
    if (!foldSigns(rawCount))
        return;
    // A power needs an exponent: 2^ and 2^* have none.
    for (int p = 1; p <= TokenCount; ++p) {
        if (Tokens[p].kind == Operator && Tokens[p].text == "^" &&
            (p == TokenCount || Tokens[p + 1].kind != Number || Tokens[p + 1].text.empty())) {
            fail(ErrorSign);
            return;
        }
    }
}

int Evalation::scanRawTokens() {
    int j = 1;
    for (std::size_t i = 0; i < GroupText.size(); ++i) {
        char c = GroupText[i];
        if (c == ',')
            c = '.';
        if ((c >= '0' && c <= '9') || c == '.') {
            Token& raw = record(RawTokens, j);
            raw.kind = Number;
            raw.text.push_back(c);
        } else if (c == '{') {
            // A reduced group: one operand with the group's value.
            const auto end = GroupText.find('}', i);
            const std::size_t index = std::stoul(GroupText.substr(i + 1, end - i - 1));
            Token& raw = record(RawTokens, j);
            raw.kind = Number;
            raw.text = GroupValues.at(index);
            i = end;
        } else if (isOperatorChar(c)) {
            if (record(RawTokens, j).kind != Empty)
                ++j;
            Token& raw = record(RawTokens, j);
            raw.kind = Operator;
            raw.text = std::string(1, c);
            ++j;
        }
    }
    return j;
}

bool Evalation::foldSigns(int rawCount) {
    int g = 1;
    for (int k = 1; k <= rawCount; ++k, ++g) {
        const Token& raw = record(RawTokens, k);
        Token& out = record(Tokens, g);
        if (!isSign(raw.text)) {
            out.kind = raw.kind == Number ? Number : Operator;
            out.text = raw.text;
            continue;
        }
        // A sign at the start of the piece or after an operator belongs to its number;
        // one after an operand is binary and applies to the whole term.
        const bool binary = g > 1 && record(Tokens, g - 1).kind == Number;
        const char sign = raw.text[0];
        const Token& next = record(RawTokens, k + 1);
        out.kind = Number;
        if (next.kind == Number) {
            out.text = binary ? next.text : applySign(sign, next.text);
            out.termSign = binary ? sign : 0;
            k += 1;
        } else if (isSign(next.text)) {
            const Token& operand = record(RawTokens, k + 2);
            if (binary) {
                out.text = applySign(next.text[0], operand.text);
                out.termSign = sign;
            } else {
                out.text = applySign(sign == next.text[0] ? '+' : '-', operand.text);
            }
            k += 2;
        } else {
            fail(ErrorSign);
            return false;
        }
    }
    TokenCount = g - 1;
    TokensUsed = std::min(g, MaxTokens);
    return true;
}

int Evalation::FindToken(const std::string& op, int start) const {
    for (int m = start; m <= TokenCount; ++m)
        if (Tokens[m].text == op)
            return m;
    return 0;
}

void Evalation::removeAfter(int p) {
    // Tokens p and p+1 go; the ones after them move down by two.
    const int remaining = std::max(p - 1, TokenCount - 2);
    for (int m = p; m <= remaining; ++m)
        Tokens[m] = std::move(Tokens[m + 2]);
    for (int m = remaining + 1; m <= TokenCount; ++m)
        Tokens[m] = Token{};
    TokenCount = remaining;
}

void Evalation::CalcTokens() {
    const NumberLocale plain = NumberLocale::english();
    for (int p = FindToken("^", 1); p != 0; p = FindToken("^", 1)) {
        Token& left = record(Tokens, p - 1);
        const double base = Decimal::parse(left.text).toDouble();
        const double exponent = leadingNumber(record(Tokens, p + 1).text);
        left.text = generalText(checkedPower(base, exponent), plain);
        removeAfter(p);
    }
    for (int p = 1; p <= TokenCount; ++p) {
        if (Tokens[p].termSign != 0) {
            Tokens[p].text = applySign(Tokens[p].termSign, Tokens[p].text);
            Tokens[p].termSign = 0;
        }
    }
    for (int p = FindToken("/", 1); p != 0; p = FindToken("/", 1)) {
        Token& left = record(Tokens, p - 1);
        const Token& right = record(Tokens, p + 1);
        if (leadingNumber(right.text) == 0.0) {
            fail(ErrorDivision);
            return;
        }
        left.text = (Decimal::parse(left.text) / Decimal::parse(right.text)).toString();
        removeAfter(p);
    }
    for (int p = FindToken("*", 1); p != 0; p = FindToken("*", 1)) {
        Token& left = record(Tokens, p - 1);
        const Token& right = record(Tokens, p + 1);
        left.text = (Decimal::parse(left.text) * Decimal::parse(right.text)).toString();
        removeAfter(p);
    }
    if (TokenCount >= 2) {
        Decimal sum;
        for (int m = 1; m <= TokenCount; ++m)
            sum = sum + Decimal::parse(Tokens[m].text);
        Tokens[1].text = sum.toString();
    }
    Tokens[1].text = Decimal::parse(Tokens[1].text).toString();
    GroupText = Tokens[1].text;
}

std::string bindVariables(std::string_view formula, std::string_view x, std::string_view t) {
    const auto count = [](std::string_view text, char name) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), name));
    };
    // Work out the length first: many X's and a long argument would otherwise ask for
    // gigabytes before anything could be evaluated.
    const std::size_t xs = x.empty() ? 0 : count(formula, 'X');
    const std::size_t ts = t.empty() ? 0 : count(formula, 'T') + xs * count(x, 'T');
    const auto grown = [](std::size_t letters, std::size_t valueSize) {
        const std::size_t each = valueSize + 1; // "(value)" stands for one letter
        return letters > MaxBoundFormulaLength / each ? MaxBoundFormulaLength + 1 : letters * each;
    };
    const std::size_t length = formula.size() + grown(xs, x.size()) + grown(ts, t.size());
    if (xs + ts > 0 && length > MaxBoundFormulaLength)
        throw CalcError(CalcFailure::OutOfRange);
    auto replaceAll = [length](std::string_view text, char name, std::string_view value) {
        if (value.empty())
            return std::string(text);
        std::string out;
        out.reserve(length);
        for (char c : text) {
            if (c == name) {
                out.push_back('(');
                out.append(value);
                out.push_back(')');
            } else {
                out.push_back(c);
            }
        }
        return out;
    };
    return replaceAll(replaceAll(formula, 'X', x), 'T', t);
}

std::string EvalFormula(std::string& formula) {
    thread_local Evalation evaluator;
    return evaluator.EvalFormula(formula);
}

} // namespace padrix
