#pragma once

namespace padrix {

/// The colours the tape and its total are shown in, as platform colour values 0x00BBGGRR
/// (red in the low byte).
namespace Color {
constexpr int Black = 0;
constexpr int Red = 255;         // #FF0000
constexpr int DarkRed = 192;     // #C00000, negative numbers
constexpr int Green = 65280;     // #00FF00
constexpr int Blue = 16711680;   // #0000FF
constexpr int Silver = 12632256; // #C0C0C0, "+" and labels without an operator
constexpr int White = 16777215;  // #FFFFFF
} // namespace Color

} // namespace padrix
