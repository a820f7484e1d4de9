#pragma once

#include <QDialog>
#include <QVector>

class QLabel;
class QLineEdit;

namespace padrix {

class DriveControl;
class LumoButton;

/// The dialog that chooses a calculation file to open or to save: the program's own drive and
/// file browser, a box for the file's name, and the accept and Cancel keys. Its choice is the
/// chosen path, always ending in ".Clc", or an empty text when the user cancels. It is made
/// once and then shown and hidden again; it keeps the typed name.
class LoadSave : public QDialog {
    Q_OBJECT

public:
    /// `twipsPerPixel` converts the design's sizes.
    explicit LoadSave(double twipsPerPixel, QWidget* parent = nullptr);

    /// Shows the dialog modally under a title, followed by the folder it shows ("Open
    /// Calculation – /home/ann/tapes"), with the accept key's caption ("Open", "Save"), and gives
    /// the choice.
    QString choose(const QString& title, const QString& acceptCaption);
    /// The choice so far: the name box's text while it is typed, the path once accepted, empty
    /// once cancelled.
    const QString& CalcFilePath() const { return m_calcFilePath; }

    /// Escape, the close box and Cancel all leave no choice.
    void reject() override;

    DriveControl* DriveList = nullptr;
    QLineEdit* txtSearchSpec = nullptr;
    QLabel* Label1 = nullptr;
    QVector<LumoButton*> Command1; // 1 accept, 2 Cancel; 0 is not used

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate();
    void Form_Unload();
    void txtSearchSpec_Change();
    void txtSearchSpec_KeyPress(short& KeyAscii);
    void txtSearchSpec_KeyDown(short& KeyCode, short& Shift);
    void DriveList_MouseUp();
    void DriveList_DblClick();
    void Command1_Click(int Index);
    /// The title names the folder that the browser shows.
    void showFolder();

    QString m_calcFilePath;
    QString m_title; // the title without the folder
    double m_twipsPerPixel;
};

} // namespace padrix
