#include "platform/MouseArgs.h"

#include "platform/KeyCodes.h"

#include <QMouseEvent>

namespace padrix {

short buttonCode(Qt::MouseButtons buttons) {
    short code = 0;
    if (buttons.testFlag(Qt::LeftButton))
        code |= 1;
    if (buttons.testFlag(Qt::RightButton))
        code |= 2;
    if (buttons.testFlag(Qt::MiddleButton))
        code |= 4;
    return code;
}

MouseArgs::MouseArgs(const QMouseEvent& event, Qt::MouseButtons buttons)
    : Button(buttonCode(buttons)), Shift(shiftStateOf(event.modifiers())),
      X(static_cast<float>(event.position().x())), Y(static_cast<float>(event.position().y())) {}

} // namespace padrix
