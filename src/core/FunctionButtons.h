#pragma once

#include <array>
#include <string>

namespace padrix {

/// What one function button holds: the name shown and written into lines, the formula in X
/// and T (empty for the built-in functions) and the tool tip.
struct FunctionDefinition {
    std::string caption;
    std::string formula;
    std::string toolTip;
    bool operator==(const FunctionDefinition&) const = default;
};

/// The 23 function buttons that take part in the line forms, by index.
constexpr int FunctionButtonCount = 23;
using FunctionButtons = std::array<FunctionDefinition, FunctionButtonCount>;

/// The buttons as the program ships them.
const FunctionButtons& defaultFunctionButtons();

} // namespace padrix
