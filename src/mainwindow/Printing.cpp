// Printing the tape: operators at the left margin, values right-aligned at one column, then
// "=" and the total in bold. Without a printer the printout can go to a PDF file.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "core/PrintLayout.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace padrix {

void Diruvuv_Orozezadi::PrintCalc_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (choosePrinter(printer))
        printTape(printer);
}

bool Diruvuv_Orozezadi::choosePrinter(QPrinter& printer) {
    const bool hasPrinter = m_context.printerAvailable
                                ? m_context.printerAvailable()
                                : !QPrinterInfo::availablePrinterNames().isEmpty();
    if (hasPrinter) {
        // The dialog offers every printer and "Print to File (PDF)".
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Print Calculation"));
        return dialog.exec() == QDialog::Accepted;
    }
    const auto answer = QMessageBox::question(
        this, windowTitle(),
        QStringLiteral("No printer is available. Save the printout as a PDF file instead?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return false;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Printout as PDF"),
                                                      QDir::home().filePath("Calculation.pdf"),
                                                      QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
}

void Diruvuv_Orozezadi::printTape(QPrinter& printer) {
    QFont plain(QStringLiteral("Arial"), 11);
    QFont bold = plain; // the emphasis of the measure and of the total
    bold.setBold(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("The printout could not be started."));
        return;
    }
    const QFontMetricsF plainMetrics(plain, &printer);
    const QFontMetricsF boldMetrics(bold, &printer);
    const PrintedTape printed =
        layoutPrint(m.tape, TotalAmount->text().toStdString(), m.DecimalsChoice, m_context.locale,
                    [&](std::string_view text, bool emphasis) {
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
