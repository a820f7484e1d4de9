// The memory register: its keys and the display M_Buff.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "mainwindow/ControlDesign.h"

#include <QFrame>
#include <QLabel>

namespace padrix {

namespace {

const ControlDesign MemoryDesign[] = {
    {"MemBorder", -1, 4050, 1080, 3390, 1005, Color::Memory, Color::ShapeBorder},
    {"M_Buff", -1, 4095, 1125, 3300, 300, Color::Memory, Color::MemoryText},
};

} // namespace

void Diruvuv_Orozezadi::createMemory() {
    const ControlDesign& border = designOf(MemoryDesign, "MemBorder");
    MemBorder = makeShape(interior, border);
    place(MemBorder, border);

    M_Buff = new QLabel(QStringLiteral("0"), interior);
    place(M_Buff, designOf(MemoryDesign, "M_Buff"));
    applyColors(M_Buff, designOf(MemoryDesign, "M_Buff"));
    M_Buff->setAlignment(Qt::AlignCenter);
}

} // namespace padrix
