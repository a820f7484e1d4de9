#include "dialogs/DialogDesign.h"

#include "controls/LumoButton.h"
#include "platform/PlatformColors.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace padrix {

void placeControl(QWidget* widget, const QString& name, const Place& at, double twipsPerPixel) {
    const auto px = [twipsPerPixel](int twips) {
        return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
    };
    widget->setObjectName(name);
    widget->setGeometry(px(at.left), px(at.top), px(at.width), px(at.height));
}

void designDialog(QWidget* dialog, const Place& size, int background, double twipsPerPixel) {
    placeControl(dialog, dialog->objectName(), size, twipsPerPixel);
    dialog->setFixedSize(dialog->size());
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, colorOf(background));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}

namespace {

/// The top-left corner that keeps a window of `size` (its frame included) on `screen`.
QPoint keptOn(QPoint topLeft, QSize size, const QRect& screen) {
    const int x = std::clamp(topLeft.x(), screen.left(),
                             std::max(screen.left(), screen.right() + 1 - size.width()));
    const int y = std::clamp(topLeft.y(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

QRect screenOf(const QWidget* anchor) {
    const QScreen* screen = anchor->screen();
    return screen != nullptr ? screen->availableGeometry() : anchor->frameGeometry();
}

} // namespace

void nameFunctionButton(LumoButton& button, int index) {
    button.setAccessibleName(
        button.Caption().isEmpty()
            ? QCoreApplication::translate("padrix::FunctionButtons", "Empty function button %1")
                  .arg(index + 1)
            : QString());
}

void centreOver(QWidget* window, const QWidget* anchor) {
    const QRect over = anchor->frameGeometry();
    const QSize size = window->frameGeometry().size();
    const QPoint topLeft = over.center() - QPoint(size.width() / 2, size.height() / 2);
    window->move(keptOn(topLeft, size, screenOf(anchor)));
}

void placeBeside(QWidget* window, const QWidget* anchor) {
    const QRect of = anchor->frameGeometry();
    const QRect screen = screenOf(anchor);
    const QSize size = window->frameGeometry().size();
    const bool roomAtRight = of.right() + 1 + size.width() <= screen.right() + 1;
    const QPoint topLeft(roomAtRight ? of.right() + 1 : of.left() - size.width(), of.top());
    window->move(keptOn(topLeft, size, screen));
}

LumoButton* makeDialogKey(QWidget* dialog, const QString& name, const QString& caption,
                          const Place& at, int background, int face, double twipsPerPixel) {
    auto* key = new LumoButton(dialog);
    placeControl(key, name, at, twipsPerPixel);
    key->setCaption(caption);
    key->setBackColor(background);
    key->setRenderColor(face);
    key->setBorder(3);
    key->setFontSize(10);
    return key;
}

} // namespace padrix
