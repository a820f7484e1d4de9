// The function buttons and the operator labels.
#include "mainwindow/Diruvuv_Orozezadi.h"

namespace padrix {

void Diruvuv_Orozezadi::createFunctionButtons() {}

} // namespace padrix
