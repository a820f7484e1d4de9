// Printing the tape: operators at the left margin, values right-aligned at one column, then
// "=" and the total in bold. Without a printer the printout can go to a PDF file.
#include "mainwindow/Printing.h"

#include "session/TapeSession.h"

#include "core/PrintLayout.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace padrix {

Printing::Printing(QWidget& window, const TapeSession& session,
                   std::function<bool()> printerAvailable)
    : QObject(&window), m_window(window), m_session(session),
      m_printerAvailable(std::move(printerAvailable)) {}

void Printing::PrintCalc_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (choosePrinter(printer))
        printTape(printer);
}

bool Printing::choosePrinter(QPrinter& printer) {
    const bool hasPrinter = m_printerAvailable ? m_printerAvailable()
                                               : !QPrinterInfo::availablePrinterNames().isEmpty();
    if (hasPrinter) {
        // The dialog offers every printer and "Print to File (PDF)".
        QPrintDialog dialog(&printer, &m_window);
        dialog.setWindowTitle(tr("Print Calculation"));
        return dialog.exec() == QDialog::Accepted;
    }
    const auto answer = QMessageBox::question(
        &m_window, m_window.windowTitle(),
        tr("No printer is available. Save the printout as a PDF file instead?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return false;
    const QString path = QFileDialog::getSaveFileName(
        &m_window, tr("Save Printout as PDF"),
        QDir::home().filePath(tr("Calculation") + QStringLiteral(".pdf")), tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
}

void Printing::printTape(QPrinter& printer) {
    QFont plain(QStringLiteral("Arial"), 11);
    QFont bold = plain; // the emphasis of the measure and of the total
    bold.setBold(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(&m_window, m_window.windowTitle(),
                             tr("The printout could not be started."));
        return;
    }
    const QFontMetricsF plainMetrics(plain, &printer);
    const QFontMetricsF boldMetrics(bold, &printer);
    const PrintedTape printed =
        layoutPrint(m_session.tape(), m_session.total().text, m_session.decimalsChoice(),
                    m_session.locale(), [&](std::string_view text, bool emphasis) {
                        const QString s =
                            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
                        return (emphasis ? boldMetrics : plainMetrics).horizontalAdvance(s);
                    });
    const double lineHeight = std::max(plainMetrics.lineSpacing(), boldMetrics.lineSpacing());
    const double ascent = std::max(plainMetrics.ascent(), boldMetrics.ascent());
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    double y = 0;
    for (const PrintLine& line : printed.lines) {
        if (y > 0 && y + lineHeight > pageHeight) {
            printer.newPage(); // a long tape goes on on the next page
            y = 0;
        }
        painter.setFont(line.emphasis ? bold : plain);
        painter.drawText(QPointF(0, y + ascent), QString::fromStdString(line.op));
        painter.drawText(QPointF(line.valueLeft, y + ascent), QString::fromStdString(line.value));
        y += lineHeight;
    }
    painter.end();
}

} // namespace padrix
