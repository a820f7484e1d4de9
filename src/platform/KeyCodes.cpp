#include "platform/KeyCodes.h"

#include <QKeyEvent>

namespace padrix {

short keyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<short>(keypad ? KeyCode::Pad0 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<short>(key); // Qt's letter keys are the capitals' codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<short>(KeyCode::F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return KeyCode::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return KeyCode::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCode::Enter;
    case Qt::Key_Shift:
        return KeyCode::Shift;
    case Qt::Key_Control:
        return KeyCode::Control;
    case Qt::Key_Alt:
        return KeyCode::Alt;
    case Qt::Key_Escape:
        return KeyCode::Escape;
    case Qt::Key_Space:
        return KeyCode::Space;
    case Qt::Key_PageUp:
        return KeyCode::PageUp;
    case Qt::Key_PageDown:
        return KeyCode::PageDown;
    case Qt::Key_End:
        return KeyCode::End;
    case Qt::Key_Home:
        return KeyCode::Home;
    case Qt::Key_Left:
        return KeyCode::Left;
    case Qt::Key_Up:
        return KeyCode::Up;
    case Qt::Key_Right:
        return KeyCode::Right;
    case Qt::Key_Down:
        return KeyCode::Down;
    case Qt::Key_Insert:
        return KeyCode::Insert;
    case Qt::Key_Delete:
        return KeyCode::Delete;
    case Qt::Key_Asterisk:
        if (keypad)
            return KeyCode::PadMultiply;
        break;
    case Qt::Key_Plus:
        return keypad ? KeyCode::PadAdd : 187;
    case Qt::Key_Minus:
        return keypad ? KeyCode::PadSubtract : 189;
    case Qt::Key_Period:
        return keypad ? KeyCode::PadDecimal : 190;
    case Qt::Key_Comma:
        return keypad ? KeyCode::PadDecimal : 188;
    case Qt::Key_Slash:
        return keypad ? KeyCode::PadDivide : 191;
    case Qt::Key_Semicolon:
        return 186;
    case Qt::Key_Equal:
        return 187;
    case Qt::Key_QuoteLeft:
        return 192;
    case Qt::Key_BracketLeft:
        return 219;
    case Qt::Key_Backslash:
        return 220;
    case Qt::Key_BracketRight:
        return 221;
    case Qt::Key_Apostrophe:
        return 222;
    default:
        break;
    }
    // Any other key that types a character has some code: handlers test "KeyCode > 0" for
    // every real key. It must not be one of the cursor codes 33..40, which '!' .. '(' would
    // be if their characters were taken as codes.
    return event.text().isEmpty() ? 0 : KeyCode::OtherCharacterKey;
}

short shiftStateOf(Qt::KeyboardModifiers modifiers) {
    short state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        state |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        state |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        state |= 4;
    return state;
}

short keyAsciiOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Delete:
        return 0; // an editing key, not a character
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const char16_t c = text.at(0).unicode();
    return static_cast<short>(c < 256 ? c : '?');
}

KeyArgs::KeyArgs(const QKeyEvent& event)
    : KeyCode(keyCodeOf(event)), Shift(shiftStateOf(event.modifiers())) {}

} // namespace padrix
