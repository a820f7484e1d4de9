#include "mainwindow/ControlDesign.h"

#include "platform/PlatformColors.h"

#include <QFrame>

#include <cstring>
#include <stdexcept>

namespace padrix {

ControlName controlNameOf(const QString& objectName) {
    const auto cut = objectName.lastIndexOf(QLatin1Char('_'));
    bool isIndex = false;
    const int index = cut > 0 ? objectName.mid(cut + 1).toInt(&isIndex) : -1;
    if (isIndex && index >= 0)
        return {objectName.left(cut), index};
    return {objectName, -1};
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

QFrame* makeShape(QWidget* parent, const ControlDesign& design) {
    auto* frame = new QFrame(parent);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3; }")
                             .arg(objectNameOf(design), colorOf(design.backColor).name(),
                                  colorOf(design.foreColor).name()));
    return frame;
}

QFont designFont(double points, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace padrix
