#pragma once

#include "mainwindow/ControlDesign.h"

#include <QObject>
#include <QString>

class QWidget;

namespace padrix {

class CalcFileReading;

class LoadSave;
class TapeSession;
class TapeView;

/// Calculation files: the tape saved to and opened from a file chosen in the open/save dialog,
/// or named on the command line.
class CalculationFiles : public QObject {
    Q_OBJECT

public:
    enum FileCommand { OpenFile = 0, SaveFile = 1, OpenWithoutDialog = 5 };

    CalculationFiles(QWidget& window, const DesignScale& scale, TapeView& view,
                     TapeSession& session);

    /// Open (0) or Save (1) through the dialog, titled as the menu item.
    void LD_Click(int Index);
    /// Replaces the tape by the calculation file's; a file that cannot be read says so and
    /// leaves the tape as it was. `reading`, where it is that file read already, is taken.
    void open(const QString& path, CalcFileReading* reading = nullptr);

private:
    void save(const QString& path);

    QWidget& m_window;
    const DesignScale& m_scale;
    TapeView& m_view;
    TapeSession& m_session;
    LoadSave* m_dialog = nullptr; // made at its first use
};

} // namespace padrix
