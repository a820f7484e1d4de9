// Sorting the tape's values: every number ascending, the function lines after them, zeros and
// empty lines at the end; the operators stay on their lines.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "core/Statistics.h"

namespace padrix {

void Diruvuv_Orozezadi::SortNm_Click() {
    m.tape.rearrangeValues(sortTapeValues);
    ScrollNum_Change();
    MailCalc(); // the operators stay where they were, so the total changes with the values
}

} // namespace padrix
