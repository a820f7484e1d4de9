#pragma once

#include "core/Colors.h"
#include "core/Statistics.h"    // TotalNumbers and the other Total choices
#include "numbers/NumberText.h" // VariableDecimals, the Decimals choice "Variable"

namespace padrix {

/// The window's own colours, as platform colour values 0x00BBGGRR, beside those of the tape.
namespace Color {
constexpr int WindowBackground = 15790320; // #F0F0F0
constexpr int ShapeFill = 14737632;        // #E0E0E0, the frame behind the total, the scroll bar
constexpr int ShapeBorder = 8421504;       // #808080
constexpr int FocusedRow = 16382457;       // #F9F9F9, background of the row with the focus
constexpr int Memory = 12640511;           // #FFE0C0, the memory keys' frame and display
constexpr int MemoryText = 16576;          // #C04000
} // namespace Color

} // namespace padrix
