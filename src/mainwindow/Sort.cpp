// Sorting the tape's values: the positive ones ascending at the front, zeros after them; the
// operators stay on their lines.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "core/Statistics.h"

namespace padrix {

void Diruvuv_Orozezadi::SortNm_Click() {
    m.tape.rearrangeValues([](std::vector<Value>& values) { Selectionsort(values); });
    ScrollNum_Change();
    MailCalc(); // the operators stay where they were, so the total changes with the values
}

} // namespace padrix
