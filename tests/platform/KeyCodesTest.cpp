#include "platform/KeyCodes.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace padrix {
namespace {

TEST(KeyCodes, QtKeysBecomeHandlerCodesAndCharacters) {
    struct Row {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        short code;
        short ascii;
    };
    const Row rows[] = {
        {Qt::Key_Up, Qt::NoModifier, "", 38, 0},
        {Qt::Key_PageDown, Qt::NoModifier, "", 34, 0},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13, 13},
        {Qt::Key_5, Qt::NoModifier, "5", 53, 53},
        {Qt::Key_0, Qt::KeypadModifier, "0", 96, 48},
        {Qt::Key_9, Qt::KeypadModifier, "9", 105, 57},
        {Qt::Key_Asterisk, Qt::KeypadModifier, "*", 106, 42},
        {Qt::Key_A, Qt::NoModifier, "a", 65, 97},
        {Qt::Key_A, Qt::ShiftModifier, "A", 65, 65},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", 8, 8},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27, 27},
        {Qt::Key_F1, Qt::NoModifier, "", 112, 0},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", 46, 0},
        {Qt::Key_Shift, Qt::ShiftModifier, "", 16, 0},
        {Qt::Key_Comma, Qt::NoModifier, ",", 188, 44},
        {Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xc3\xa9"), 255, 233},
        {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xe2\x82\xac"), 255, 63},
        {Qt::Key_Asterisk, Qt::NoModifier, "*", 255, 42},
        {Qt::Key_ParenLeft, Qt::NoModifier, "(", 255, 40},
        {Qt::Key_Percent, Qt::NoModifier, "%", 255, 37},
        {Qt::Key_CapsLock, Qt::NoModifier, "", 0, 0},
    };
    for (const Row& r : rows) {
        const QKeyEvent event(QEvent::KeyPress, r.key, r.modifiers, r.text);
        EXPECT_EQ(keyCodeOf(event), r.code) << r.key;
        EXPECT_EQ(keyAsciiOf(event), r.ascii) << r.key;
    }
    EXPECT_EQ(shiftStateOf(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftStateOf(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

} // namespace
} // namespace padrix
