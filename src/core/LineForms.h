#pragma once

#include <optional>
#include <string_view>

namespace padrix {

/// The built-in functions that a line can hold, Sin(30) and the like.
enum class LineFunction { Sin, Cos, Tan, Log, Exp, Sqr, Cot, Csc, Sec, Asin, Acos, Atan };

/// The total modifiers: they act on the running total, whatever else their line holds.
enum class TotalModifier { Int, Fix, Roun };

/// One named line form: the marker that a line's text is searched for, and the place of its
/// name in the function button editor's list of built-in names.
template <class Kind> struct LineForm {
    std::string_view name;   // Sin; a failing line's total shows "Sin Error"
    std::string_view marker; // Sin(
    Kind kind;
    int listPlace; // 0..14 in the editor's list
};

/// The total modifiers, in the order a line's text is searched for them: a text holding "Int"
/// anywhere is an Int line, whatever follows.
inline constexpr LineForm<TotalModifier> TotalModifierForms[] = {
    {"Int", "Int", TotalModifier::Int, 13},
    {"Fix", "Fix", TotalModifier::Fix, 12},
    {"Roun", "Roun(", TotalModifier::Roun, 14},
};

/// The built-in functions, in the order a line's text is searched for them.
inline constexpr LineForm<LineFunction> FunctionForms[] = {
    {"Sin", "Sin(", LineFunction::Sin, 3},     {"Cos", "Cos(", LineFunction::Cos, 4},
    {"Tan", "Tan(", LineFunction::Tan, 5},     {"Log", "Log(", LineFunction::Log, 1},
    {"Exp", "Exp(", LineFunction::Exp, 0},     {"Sqr", "Sqr(", LineFunction::Sqr, 2},
    {"Cot", "Cot(", LineFunction::Cot, 6},     {"Csc", "Csc(", LineFunction::Csc, 7},
    {"Sec", "Sec(", LineFunction::Sec, 8},     {"Asin", "Asin(", LineFunction::Asin, 9},
    {"Acos", "Acos(", LineFunction::Acos, 10}, {"Atan", "Atan(", LineFunction::Atan, 11},
};

/// The total modifier that a line's text holds, the first of TotalModifierForms found in it.
const LineForm<TotalModifier>* totalModifierIn(std::string_view text);

/// The built-in function that a line's text holds, the first of FunctionForms found in it.
const LineForm<LineFunction>* functionIn(std::string_view text);

} // namespace padrix
