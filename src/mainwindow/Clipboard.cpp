// The number column to and from the clipboard: copied as one value a line, pasted from a
// plain column (a spreadsheet's, or our own copy) or a ledger export.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/VantoVerticalScroll.h"
#include "core/ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>

#include <new>

namespace padrix {

void Diruvuv_Orozezadi::C_m_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(copyText(m.tape, m_context.locale)));
}

void Diruvuv_Orozezadi::P_m_Click() {
    // The clipboard is read before the tape is cleared: a text too large for memory leaves the
    // tape as it was.
    Tape pasted;
    try {
        pasted = pasteTape(QGuiApplication::clipboard()->text().toStdString(), m_context.locale);
    } catch (const std::bad_alloc&) {
        return;
    }
    Clear_Total_Click();
    // The tape is the pasted lines and no more (an empty clipboard pastes one empty line), so
    // that Copy and Save give back what was pasted.
    if (pasted.lineCount() == 0)
        pasted.append('+', Value());
    m.tape = std::move(pasted);
    ScrollNum->setValueMax(std::max(0, m.tape.lineCount() - 1 - m.LastVisibleLine));
    ScrollNum_Change();
    MailCalc();
}

} // namespace padrix
