#include "mainwindow/WindowTest.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>

namespace padrix {
namespace {

using MenuCommands = WindowTest;

TEST_F(MenuCommands, TheMenuBarFollowsTheDesign) {
    open();
    // Each menu as it reads: its title and items, "-" for a line between them, the shortcuts,
    // and the check marks and greyed items as the window opens.
    QList<QStringList> menus;
    for (QAction* top : window->menuBar()->actions()) {
        QStringList items{top->text()};
        for (QAction* item : top->menu()->actions()) {
            QString entry = item->isSeparator() ? "-" : item->text();
            if (!item->shortcuts().isEmpty())
                entry += " [" +
                         QKeySequence::listToString(item->shortcuts(), QKeySequence::PortableText) +
                         "]";
            if (item->isChecked())
                entry += " (checked)";
            if (!item->isEnabled())
                entry += " (greyed)";
            items << entry;
        }
        menus << items;
    }
    const QList<QStringList> expected = {
        {"Options", "Clear All...", "Restore Last Tape (greyed)", "Keep Tape Journal (greyed)", "-",
         "Open Calculation... [Ctrl+O]", "Save Calculation... [Ctrl+S]", "-", "Copy Numbers...",
         "Paste Numbers...", "-", "Sort Numbers...", "-", "Print Calculation... [Ctrl+P]", "-",
         "Undo [Ctrl+Z] (greyed)", "Redo [Ctrl+Shift+Z; Ctrl+Y] (greyed)"},
        {"Decimals", "0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.000000",
         "Variable (checked)"},
        {"Total", "Numbers... (checked)", "Average...", "Mean...", "Mode..."},
        {"Games", "Start Zorb Invaders...", "Start Zorb Blaster..."}};
    EXPECT_EQ(menus, expected);
}

TEST_F(MenuCommands, CopyAndPasteGoThroughTheClipboard) {
    open();
    type("5+2.5-1,000.25");
    menu("C_m");
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("5\r\n2.5\r\n1000.25\r\n0\r\n")) << copied.toStdString();
    EXPECT_EQ(copied.count("\r\n"), state().tape.lineCount() - 1);

    menu("Clear_Total");
    menu("P_m");
    EXPECT_EQ(row(0)->text(), "5");
    EXPECT_EQ(row(2)->text(), "1000.25");
    EXPECT_EQ(state().tape.op(2), '+'); // operators are not copied: a paste adds
    EXPECT_EQ(total(), "1007.75");
}

// A paste replaces the tape by the pasted lines: its length and the scroll range are theirs,
// whatever the tape before it held, and Copy gives back just those lines.
TEST_F(MenuCommands, APasteIsAsLongAsWhatWasPasted) {
    QString lines;
    for (int i = 0; i < 30; ++i)
        lines += "+1\r\n";
    openWithTape(lines);
    QGuiApplication::clipboard()->setText("7\r\n8");
    menu("P_m");
    EXPECT_EQ(state().tape.lineCount(), 2);
    EXPECT_EQ(scroll()->ValueMax(), 0);
    EXPECT_EQ(total(), "15");
    menu("C_m");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "7\r\n8");

    // An empty line of a ledger keeps its "+": a number typed there later counts.
    QGuiApplication::clipboard()->setText("a\tb\tc\t5\r\n\r\n\tb\tc\t2\r\nDE");
    menu("P_m");
    EXPECT_EQ(total(), "3");
    EXPECT_EQ(state().tape.op(1), '+');
    QTest::mouseClick(row(1), Qt::LeftButton);
    type("10");
    EXPECT_EQ(total(), "13");

    // An empty clipboard empties the tape.
    QGuiApplication::clipboard()->setText("");
    menu("P_m");
    EXPECT_EQ(row(0)->text(), "");
    EXPECT_EQ(total(), "0");
}

TEST_F(MenuCommands, ALongPasteScrollsToItsEnd) {
    open();
    QString column;
    for (int i = 1; i <= 100000; ++i)
        column += QString::number(i) + "\r\n";
    QGuiApplication::clipboard()->setText(column);
    menu("P_m");
    EXPECT_EQ(state().tape.lineCount(), 100000); // every line, none dropped
    EXPECT_EQ(total(), "5000050000");
    EXPECT_EQ(scroll()->ValueMax(), 100000 - 14);
    scroll()->setValue(scroll()->ValueMax());
    EXPECT_EQ(row(13)->text(), "100000");
    EXPECT_EQ(row(0)->text(), "99987");
}

/// The text of a PDF file, laid out as on the page.
QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return "pdftotext failed: " + pdftotext.readAllStandardError();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

TEST_F(MenuCommands, WithoutAPrinterThePrintoutGoesToAPdfFile) {
    context.printerAvailable = [] { return false; };
    openWithTape("+10\r\n-4\r\n+0.5\r\n+0\r\n+Sin(30)\r\n+-2\r\n");
    menu("dp1_2");
    const QString pdf = dir.filePath("printout.pdf");
    QStringList asked;
    answerDialog = [&](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            asked << box->text();
            box->button(asked.size() == 1 ? QMessageBox::No : QMessageBox::Yes)->click();
            return true;
        }
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
            // As a user types the file's name into the dialog.
            files->findChild<QLineEdit*>("fileNameEdit")->setText(pdf);
            static_cast<QDialog*>(files)->accept(); // as the dialog's own button does
            return true;
        }
        return false;
    };
    menu("PrintCalc"); // "No": nothing is printed
    EXPECT_FALSE(QFileInfo::exists(pdf));
    menu("PrintCalc");
    EXPECT_EQ(asked, QStringList(2, "No printer is available. Save the printout as a PDF file "
                                    "instead?"));
    ASSERT_TRUE(QFileInfo::exists(pdf));

    // Every line with a value, the negative one and the function line too, then the total.
    QStringList lines;
    for (const QString& line : pdfText(pdf).split('\n'))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    const QStringList expected = {"+ 10.00",   "- 4.00",  "+ .50",
                                  "+ Sin(30)", "+ -2.00", "= " + total()};
    EXPECT_EQ(lines, expected);
}

} // namespace
} // namespace padrix
