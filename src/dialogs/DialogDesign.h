#pragma once

#include <QString>

class QWidget;

namespace padrix {

class LumoButton;

/// Where a control of a dialog stands: left, top, width, height in twips.
struct Place {
    int left, top, width, height;
};

/// Gives a dialog's control its design name, position and size.
void placeControl(QWidget* widget, const QString& name, const Place& at, double twipsPerPixel);

/// Gives a dialog its fixed design size and background colour (0x00BBGGRR).
void designDialog(QWidget* dialog, const Place& size, int background, double twipsPerPixel);

/// Names function button `index` (from 0) for a screen reader: a button with a caption by its
/// caption, one without by its place, since the empty buttons share their tool tip.
void nameFunctionButton(LumoButton& button, int index);

/// Moves a window of its own (a dialog) so that it stands centred over `anchor`, kept on the
/// screen that `anchor` shows on.
void centreOver(QWidget* window, const QWidget* anchor);

/// Moves a window of its own beside `anchor`: at its right where the screen has room, else at
/// its left, top edges level, kept on the screen.
void placeBeside(QWidget* window, const QWidget* anchor);

/// A key of a dialog: a framed key of the given face colour on the dialog's background.
LumoButton* makeDialogKey(QWidget* dialog, const QString& name, const QString& caption,
                          const Place& at, int background, int face, double twipsPerPixel);

} // namespace padrix
