// The keypad and the Pi key.
#include "mainwindow/Diruvuv_Orozezadi.h"

namespace padrix {

void Diruvuv_Orozezadi::createKeypad() {}

} // namespace padrix
