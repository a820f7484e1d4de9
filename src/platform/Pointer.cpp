#include "platform/Pointer.h"

#include <QApplication>
#include <QCursor>

namespace padrix {

QPoint pointerPosition() {
    return QCursor::pos();
}

QWidget* widgetAtScreenPosition(const QPoint& position) {
    return QApplication::widgetAt(position);
}

} // namespace padrix
