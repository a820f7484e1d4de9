#pragma once

#include <QObject>

#include <functional>

class QPrinter;
class QWidget;

namespace padrix {

class TapeSession;

/// Printing the tape: operators at the left margin, values right-aligned at one column, then
/// "=" and the total in bold. Without a printer the printout can go to a PDF file.
class Printing : public QObject {
    Q_OBJECT

public:
    /// `printerAvailable` says whether a printer is there; empty means ask the system.
    Printing(QWidget& window, const TapeSession& session, std::function<bool()> printerAvailable);

    void PrintCalc_Click();

private:
    /// Lets the user choose where the printout goes; false when the user cancels.
    bool choosePrinter(QPrinter& printer);
    /// Prints the tape and the total, page after page.
    void printTape(QPrinter& printer);

    QWidget& m_window;
    const TapeSession& m_session;
    std::function<bool()> m_printerAvailable;
};

} // namespace padrix
