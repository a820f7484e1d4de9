#include "mainwindow/ControlDesign.h"

#include "controls/LumoButton.h"
#include "platform/PlatformColors.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPalette>
#include <QWidget>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace padrix {

int DesignScale::pixels(double twips) const {
    return static_cast<int>(std::nearbyint(twips / m_twipsPerPixel));
}

int DesignScale::twips(int pixels) const {
    return static_cast<int>(std::nearbyint(pixels * m_twipsPerPixel));
}

void DesignScale::place(QWidget* widget, const ControlDesign& design) const {
    widget->setObjectName(objectNameOf(design));
    widget->setGeometry(pixels(design.left), pixels(design.top), pixels(design.width),
                        pixels(design.height));
}

QString objectNameOf(const ControlDesign& design) {
    const QString name = QLatin1String(design.name);
    return design.index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(design.index);
}

const ControlDesign& designOf(std::span<const ControlDesign> table, const char* name, int index) {
    for (const ControlDesign& design : table)
        if (std::strcmp(design.name, name) == 0 && design.index == index)
            return design;
    throw std::logic_error(std::string("no design for ") + name);
}

void applyColors(QWidget* widget, const ControlDesign& design) {
    QPalette p = widget->palette();
    if (design.backColor >= 0) {
        p.setColor(QPalette::Window, colorOf(design.backColor));
        p.setColor(QPalette::Base, colorOf(design.backColor));
        widget->setAutoFillBackground(true);
    }
    if (design.foreColor >= 0) {
        p.setColor(QPalette::WindowText, colorOf(design.foreColor));
        p.setColor(QPalette::Text, colorOf(design.foreColor));
    }
    widget->setPalette(p);
}

QFrame* makeShape(QWidget* parent, const ControlDesign& design) {
    auto* frame = new QFrame(parent);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3; }")
                             .arg(objectNameOf(design), colorOf(design.backColor).name(),
                                  colorOf(design.foreColor).name()));
    return frame;
}

LumoButton* makeButton(QWidget* parent, const ButtonDesign& design) {
    auto* button = new LumoButton(parent);
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Caption"), QString::fromUtf8(design.caption), {});
    bag.WriteProperty(QStringLiteral("BackColor"), design.at.backColor, {});
    bag.WriteProperty(QStringLiteral("RenderColor"), design.renderColor, {});
    bag.WriteProperty(QStringLiteral("Fontsize"), design.fontSize, {});
    bag.WriteProperty(QStringLiteral("Border"), design.border, {});
    button->ReadProperties(bag);
    if (design.toolTip != nullptr)
        button->setToolTip(QCoreApplication::translate("padrix::Keys", design.toolTip));
    return button;
}

QFont designFont(double points, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace padrix
