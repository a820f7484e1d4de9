#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace padrix {

/// The formula evaluator of the function buttons. It knows numbers, brackets and the
/// operators + - * / ^, and works by reduction: the innermost bracket group is evaluated and
/// replaced by its value until no bracket is left. The text is read once from the left, so the
/// time grows with its length, not with its length times its groups.
///
/// EvalFormula returns the value as general text ('.' as the point) or one of the error texts
/// below. A malformed number, a piece of more than 100 tokens, or a result beyond the decimal
/// range throws CalcError (TypeMismatch, OutOfRange, Overflow, DivisionByZero,
/// InvalidArgument), which the caller reports in its own words.
class Evalation {
public:
    static constexpr const char* ErrorEmpty = "Error";
    static constexpr const char* ErrorToken = "Error - Token";
    static constexpr const char* ErrorBrackets = "Error - ()";
    static constexpr const char* ErrorSign = "Error - Sign";
    static constexpr const char* ErrorDivision = "Error - Division";

    /// Token records 1..MaxTokens are usable; record 0 is never used.
    static constexpr int MaxTokens = 100;

    /// Evaluates `formula`, which comes back with its leading and trailing blanks trimmed.
    std::string EvalFormula(std::string& formula);

    /// True for the five error texts that EvalFormula can return.
    static bool isErrorText(const std::string& result);

private:
    enum TokenKind { Empty = 0, Number = 1, Operator = 2 };
    struct Token {
        int kind = Empty;
        std::string text;
        // '-' when a binary minus stands before this term: it negates the term after its
        // powers are taken, so 3 - 2^2 is 3 - (2^2).
        char termSign = 0;
    };
    using TokenList = std::array<Token, MaxTokens + 1>;

    static std::string RemoveSpaces(std::string& text);
    void CheckTokens();
    void CheckBrackets();
    void FindInnerGroup();
    void SplitTokens();
    /// The piece's figures, operators and reduced groups as raw tokens; the index past the
    /// last one written.
    int scanRawTokens();
    /// Joins signs to their numbers into Tokens; false after an operator where none may stand.
    bool foldSigns(int rawCount);
    void CalcTokens();
    int FindToken(const std::string& op, int start) const;
    void fail(const char* message);
    void spliceGroupValue();
    void removeAfter(int p);

    std::string ExprText;  // expression being reduced: upper case, no blanks
    std::string GroupText; // bracket-free piece; after evaluation its value
    int ErrFlag = 0;       // 0 normally, -1 once a check failed
    std::string ErrText;   // message of the last failed check
    TokenList Tokens;      // tokens of GroupText after sign folding, from index 1
    TokenList RawTokens;   // tokens of GroupText before sign folding, from index 1
    int TokenCount = 0;    // tokens in use in Tokens, from index 1
    int RawUsed = 0;       // highest record of RawTokens written since it was last cleared
    int TokensUsed = 0;    // the same for Tokens
    // ExprText is read once from the left. Reduced is what has been read, with every closed
    // group replaced by its value; the groups close in the order of their ")".
    std::string Reduced;
    std::size_t ScanPos = 0;            // next character of ExprText to read
    std::vector<std::size_t> OpenMarks; // 0-based places in Reduced of the open "("
    int OpenPos = 0;  // 1-based position in Reduced of the innermost "(", 0 when none
    int ClosePos = 0; // 1-based position its ")" would have in Reduced, 0 when none
    // Values of reduced bracket groups. A group's value stands in ExprText as "{n}", so it
    // is read back as one operand and never merged with the figures or signs around it.
    std::vector<std::string> GroupValues;
};

/// The longest text a formula may become once its variables are bound (4 MiB): far beyond any
/// formula the editor can store, and small enough to evaluate at once.
constexpr std::size_t MaxBoundFormulaLength = std::size_t(4) << 20;

/// EvalFormula of one evaluator kept for the calling thread.
std::string EvalFormula(std::string& formula);

/// The formula with every "X" replaced by the argument and then every "T" by the running
/// total, each in brackets so that it is read as one operand: X^2 with X = -3 is (-3)^2.
/// An empty value leaves its letter in place. A text longer than MaxBoundFormulaLength
/// throws CalcError(OutOfRange) before any of it is built.
std::string bindVariables(std::string_view formula, std::string_view x, std::string_view t);

} // namespace padrix
