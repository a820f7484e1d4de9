#pragma once

#include <Qt>

class QKeyEvent;

namespace padrix {

/// Key codes as the handlers receive them: the codes of the Windows virtual keys, so that the
/// program's key tables read the same on every system.
namespace KeyCode {
constexpr short Backspace = 8;
constexpr short Tab = 9;
constexpr short Enter = 13;
constexpr short Shift = 16;
constexpr short Control = 17;
constexpr short Alt = 18;
constexpr short Escape = 27;
constexpr short Space = 32;
constexpr short PageUp = 33;
constexpr short PageDown = 34;
constexpr short End = 35;
constexpr short Home = 36;
constexpr short Left = 37;
constexpr short Up = 38;
constexpr short Right = 39;
constexpr short Down = 40;
constexpr short Insert = 45;
constexpr short Delete = 46;
constexpr short Pad0 = 96; ///< numeric pad digits are Pad0 .. Pad0 + 9
constexpr short PadMultiply = 106;
constexpr short PadAdd = 107;
constexpr short PadSubtract = 109;
constexpr short PadDecimal = 110;
constexpr short PadDivide = 111;
constexpr short F1 = 112; ///< F1 .. F24 follow on
/// The code of a character key that has none of its own (punctuation such as '(' or '*').
constexpr short OtherCharacterKey = 255;
} // namespace KeyCode

/// The key code of a key event: letters as their capitals, the digit row as its digits, the
/// numeric pad, function and cursor keys as in KeyCode; OtherCharacterKey for any other key
/// that types a character; 0 for a key that does neither.
short keyCodeOf(const QKeyEvent& event);

/// The shift state of handlers: 1 Shift, 2 Ctrl, 4 Alt, added up.
short shiftStateOf(Qt::KeyboardModifiers modifiers);

/// The character a key event types, as its code in the single-byte code page (Enter 13,
/// Backspace 8, Tab 9, Escape 27); 0 when the key types nothing, 63 ('?') for a character
/// beyond that code page.
short keyAsciiOf(const QKeyEvent& event);

/// The key code and shift state of a key event, held so that handlers can take them by
/// reference (and cancel the key by setting KeyCode to 0).
struct KeyArgs {
    short KeyCode;
    short Shift;
    explicit KeyArgs(const QKeyEvent& event);
};

} // namespace padrix
