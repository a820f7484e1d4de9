// Calculation files: loading and saving the tape.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/VantoVerticalScroll.h"
#include "core/CalcFile.h"

#include <QFileInfo>
#include <QMessageBox>

namespace padrix {

void Diruvuv_Orozezadi::LD_Click(int Index) {
    if (Index != 5 || m.CalcFilePath.isEmpty())
        return;
    const QFileInfo file(m.CalcFilePath.trimmed());
    if (!file.isFile() || file.isHidden())
        return; // a path that names no file loads nothing
    auto loaded = loadCalcFile(file.absoluteFilePath(), m_context.locale);
    if (!loaded) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Cannot write to read only file or drive..."));
        Clear_Total_Click();
        return;
    }
    m.tape = std::move(*loaded);
    m.tape.ensureLines(m.LastVisibleLine + 1); // every visible row shows a line
    ScrollNum->setValueMax(m.tape.lineCount() - 1 - m.LastVisibleLine);
    ScrollNum_Change();
    MailCalc();
}

} // namespace padrix
