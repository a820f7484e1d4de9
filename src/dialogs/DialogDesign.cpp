#include "dialogs/DialogDesign.h"

#include "controls/LumoButton.h"
#include "platform/PlatformColors.h"

#include <QWidget>

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
