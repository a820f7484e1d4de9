// Calculation files: the tape saved to and opened from a file chosen in the open/save dialog,
// or named on the command line.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/VantoVerticalScroll.h"
#include "core/CalcFile.h"
#include "dialogs/LoadSave.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>

namespace padrix {

namespace {

enum FileCommand { OpenFile = 0, SaveFile = 1, OpenWithoutDialog = 5 };

} // namespace

void Diruvuv_Orozezadi::LD_Click(int Index) {
    if (Index < OpenWithoutDialog) {
        if (loadSave == nullptr)
            loadSave = new LoadSave(m.CalcFilePath, m_context.twipsPerPixel, this);
        const QString caption = LD[Index]->text();
        loadSave->choose(caption, QString(caption).remove(QStringLiteral(" Calculation...")));
    }
    if (m.CalcFilePath.isEmpty())
        return; // cancelled
    const QFileInfo file(m.CalcFilePath.trimmed());
    if (Index == SaveFile) {
        std::string error;
        SaveFailure failure = SaveFailure::Other;
        if (saveCalcFile(file.absoluteFilePath(), m.tape, m_context.locale, &error, &failure))
            return;
        // The message names the cause once: a read-only target in the words the program has
        // always used, any other cause (a full disk, the size limit, a missing folder) as it is.
        const bool readOnly = failure == SaveFailure::ReadOnly;
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        readOnly ? QStringLiteral("Cannot write to read only file or drive...")
                                 : QStringLiteral("Cannot save calculation file..."),
                        QMessageBox::Ok, this);
        box.setInformativeText(QString::fromStdString(error));
        box.exec();
        return;
    }
    if (Index == OpenFile && (!file.isFile() || file.isHidden()))
        return; // the browser lists only files that exist
    loadCalculation(file.absoluteFilePath());
}

void Diruvuv_Orozezadi::loadCalculation(const QString& path) {
    // The file is read whole into a new tape, which replaces the tape only when it all reads.
    std::string error = "the file does not exist";
    std::optional<Tape> loaded;
    if (QFileInfo(path).isFile())
        loaded = loadCalcFile(path, m_context.locale, &error);
    if (!loaded) {
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        QStringLiteral("Cannot read calculation file..."), QMessageBox::Ok, this);
        box.setInformativeText(QString::fromStdString(path.toStdString() + ": " + error));
        box.exec();
        return;
    }
    // The tape is the file's lines, no more: rows below a short tape show empty "+" lines
    // that are no part of it until something is written there.
    m.tape = std::move(*loaded);
    ScrollNum->setValueMax(std::max(0, m.tape.lineCount() - 1 - m.LastVisibleLine));
    ScrollNum->setValue(0); // a new tape opens at its first line
    ScrollNum_Change();
    MailCalc();
}

} // namespace padrix
