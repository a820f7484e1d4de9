#pragma once

#include <Qt>

class QMouseEvent;

namespace padrix {

/// The mouse button code of handlers: 1 left, 2 right, 4 middle, added up.
short buttonCode(Qt::MouseButtons buttons);

/// The arguments of a mouse event as handlers take them, by reference: the button code, the
/// shift state and the position in the control's pixels.
struct MouseArgs {
    short Button;
    short Shift;
    float X;
    float Y;
    MouseArgs(const QMouseEvent& event, Qt::MouseButtons buttons);
};

} // namespace padrix
