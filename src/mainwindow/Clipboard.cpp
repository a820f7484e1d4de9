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
    // The pasted lines replace the cleared ones; the rows below them stay cleared.
    const int lines = std::max(pasted.lineCount(), m.tape.lineCount());
    for (int i = pasted.lineCount(); i < lines; ++i)
        pasted.append(m.tape.op(i), m.tape.value(i));
    m.tape = std::move(pasted);
    ScrollNum->setValueMax(std::max(0, m.tape.lineCount() - 1 - m.LastVisibleLine));
    ScrollNum_Change();
    MailCalc();
}

} // namespace padrix
