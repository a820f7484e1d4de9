#pragma once

#include <QPoint>

class QWidget;

namespace padrix {

/// The pointer's position on the screen.
QPoint pointerPosition();

/// The widget of this program that shows at a screen position: the topmost one, a popup or
/// a dialog above the main window included; nullptr over another program or the desktop.
QWidget* widgetAtScreenPosition(const QPoint& position);

} // namespace padrix
