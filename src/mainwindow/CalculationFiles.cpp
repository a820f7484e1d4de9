// Calculation files: the tape saved to and opened from a file chosen in the open/save dialog,
// or named on the command line.
#include "mainwindow/CalculationFiles.h"

#include "dialogs/DialogDesign.h"
#include "dialogs/LoadSave.h"
#include "mainwindow/TapeView.h"
#include "session/TapeSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace padrix {

CalculationFiles::CalculationFiles(QWidget& window, const DesignScale& scale, TapeView& view,
                                   TapeSession& session)
    : QObject(&window), m_window(window), m_scale(scale), m_view(view), m_session(session) {}

void CalculationFiles::LD_Click(int Index) {
    if (m_dialog == nullptr)
        m_dialog = new LoadSave(m_scale.twipsPerPixel(), &m_window);
    centreOver(m_dialog, &m_window);
    // The dialog's title is the menu item's caption, its key the item's verb.
    const bool saving = Index == SaveFile;
    const QString key = saving ? tr("Save") : tr("Open");
    const QString title = saving
                              ? QCoreApplication::translate("padrix::Menus", "Save Calculation...")
                              : QCoreApplication::translate("padrix::Menus", "Open Calculation...");
    const QString chosen = m_dialog->choose(title, key);
    if (chosen.isEmpty())
        return; // cancelled
    const QFileInfo file(chosen.trimmed());
    if (saving) {
        save(file.absoluteFilePath());
        return;
    }
    if (!file.isFile() || file.isHidden())
        return; // the browser lists only files that exist
    open(file.absoluteFilePath());
}

void CalculationFiles::save(const QString& path) {
    std::string error;
    SaveFailure failure = SaveFailure::Other;
    if (m_session.save(path, &error, &failure))
        return;
    // The message names the cause once: a read-only target in the words the program has
    // always used, any other cause (a full disk, the size limit, a missing folder) as it is.
    const bool readOnly = failure == SaveFailure::ReadOnly;
    QMessageBox box(QMessageBox::Warning, m_window.windowTitle(),
                    readOnly ? tr("Cannot write to read only file or drive...")
                             : tr("Cannot save calculation file..."),
                    QMessageBox::Ok, &m_window);
    box.setInformativeText(QString::fromStdString(error));
    box.exec();
}

void CalculationFiles::open(const QString& path, CalcFileReading* reading) {
    // The file is read whole into a new tape, which replaces the tape only when it all reads.
    // The tape is the file's lines, no more: rows below a short tape show empty "+" lines
    // that are no part of it until something is written there.
    const bool read = reading != nullptr && reading->path() == path;
    if (const auto error = read ? m_session.open(*reading) : m_session.open(path)) {
        QMessageBox box(QMessageBox::Warning, m_window.windowTitle(),
                        tr("Cannot read calculation file..."), QMessageBox::Ok, &m_window);
        // The reason names the file already where it says why the file could not be read.
        QString reason = QString::fromStdString(*error);
        if (!reason.contains(path))
            reason = path + QStringLiteral(": ") + reason;
        box.setInformativeText(reason);
        box.exec();
        return;
    }
    m_view.showFrom(0); // a new tape opens at its first line
}

} // namespace padrix
