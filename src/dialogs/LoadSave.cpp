#include "dialogs/LoadSave.h"

#include "controls/DriveControl.h"
#include "controls/LumoButton.h"
#include "core/CalcFile.h"
#include "dialogs/DialogDesign.h"
#include "platform/KeyCodes.h"
#include "platform/PlatformColors.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace padrix {

namespace {

constexpr int DialogBackground = 15790320; // #F0F0F0
constexpr int LabelText = 4210752;         // #404040
constexpr int KeyFace = 13421721;          // #99CCCC, as the calculator's keys
constexpr int AcceptKey = 1;
constexpr int CancelKey = 2;

constexpr Place DialogSize{0, 0, 7095, 4665};
constexpr Place DriveListPlace{90, 135, 6855, 3210};
constexpr Place Label1Place{405, 3555, 1110, 270};
constexpr Place SearchSpecPlace{1575, 3480, 5355, 420};
constexpr Place CancelPlace{3825, 4005, 1545, 555};
constexpr Place AcceptPlace{5400, 4005, 1545, 555};

/// The characters a file's name cannot have: a name can be typed here, not a path.
bool isPathCharacter(short c) {
    return c == '|' || c == '*' || c == '"' || c == '/' || c == ':' || c == '<' || c == '>' ||
           c == '?' || c == '\\';
}

} // namespace

LoadSave::LoadSave(double twipsPerPixel, QWidget* parent)
    : QDialog(parent), m_twipsPerPixel(twipsPerPixel) {
    setObjectName(QStringLiteral("LoadSave"));
    setModal(true);
    const auto place = [this](QWidget* w, const char* name, const Place& at) {
        placeControl(w, QLatin1String(name), at, m_twipsPerPixel);
    };
    designDialog(this, DialogSize, DialogBackground, m_twipsPerPixel);

    DriveList = new DriveControl(this);
    place(DriveList, "DriveList", DriveListPlace);
    Label1 = new QLabel(tr("File Name:"), this);
    place(Label1, "Label1", Label1Place);
    QPalette labelText = Label1->palette();
    labelText.setColor(QPalette::WindowText, colorOf(LabelText));
    Label1->setPalette(labelText);
    txtSearchSpec = new QLineEdit(this);
    place(txtSearchSpec, "txtSearchSpec", SearchSpecPlace);
    Command1 = {nullptr,
                makeDialogKey(this, "Command1_1", QString(), AcceptPlace, DialogBackground, KeyFace,
                              m_twipsPerPixel),
                makeDialogKey(this, "Command1_2", tr("Cancel"), CancelPlace, DialogBackground,
                              KeyFace, m_twipsPerPixel)};
    for (int i : {AcceptKey, CancelKey})
        connect(Command1[i], &LumoButton::Click, this, [this, i] { Command1_Click(i); });

    connect(txtSearchSpec, &QLineEdit::textChanged, this, &LoadSave::txtSearchSpec_Change);
    txtSearchSpec->installEventFilter(this);
    connect(DriveList, &DriveControl::MouseUp, this, [this] {
        DriveList_MouseUp();
        showFolder();
    });
    connect(DriveList, &DriveControl::DblClick, this, [this] {
        DriveList_DblClick();
        showFolder();
    });
    connect(DriveList, &DriveControl::KeyUp, this, [this] { showFolder(); });
    // Escape cancels from anywhere in the dialog, the list too, which takes every other key.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &LoadSave::reject);
}

QString LoadSave::choose(const QString& title, const QString& acceptCaption) {
    m_title = title;
    showFolder();
    Command1[AcceptKey]->setCaption(acceptCaption);
    exec(); // until the dialog is hidden again
    return m_calcFilePath;
}

void LoadSave::showFolder() {
    QString title = m_title;
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3); // "Open Calculation..." is the menu's item, "Open Calculation" the title's
    setWindowTitle(title + QStringLiteral(" \u2013 ") +
                   QDir::toNativeSeparators(QDir::currentPath()));
}

void LoadSave::reject() {
    m_calcFilePath.clear();
    QDialog::reject();
}

void LoadSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void LoadSave::Form_Activate() {
    DriveList->FileExtention(QStringLiteral(".Clc"));
    showFolder();
    m_calcFilePath = txtSearchSpec->text(); // what the box shows is the choice
    txtSearchSpec->setFocus();
}

void LoadSave::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QDialog::closeEvent(event);
}

void LoadSave::Form_Unload() {
    m_calcFilePath.clear(); // the close box cancels
}

void LoadSave::txtSearchSpec_Change() {
    m_calcFilePath = txtSearchSpec->text();
}

bool LoadSave::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtSearchSpec || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    KeyArgs a(*key);
    const short pressed = a.KeyCode;
    txtSearchSpec_KeyDown(a.KeyCode, a.Shift);
    if (pressed != 0 && a.KeyCode == 0)
        return true;
    short ascii = keyAsciiOf(*key);
    if (ascii == 0)
        return false;
    txtSearchSpec_KeyPress(ascii);
    return ascii == 0;
}

void LoadSave::txtSearchSpec_KeyPress(short& KeyAscii) {
    if (KeyAscii == KeyCode::Enter) {
        KeyAscii = 0;
        Command1[AcceptKey]->setFocus();
    } else if (isPathCharacter(KeyAscii)) {
        KeyAscii = 0;
    }
}

void LoadSave::txtSearchSpec_KeyDown(short& KeyCode, short& /*Shift*/) {
    if (KeyCode == KeyCode::Up || KeyCode == KeyCode::Down || KeyCode == KeyCode::PageUp ||
        KeyCode == KeyCode::PageDown) {
        DriveList->setFocus();
        KeyCode = 0;
    }
}

void LoadSave::DriveList_MouseUp() {
    txtSearchSpec->setText(DriveList->FileName());
}

void LoadSave::DriveList_DblClick() {
    // The pair's first click has already entered a folder, a drive or the profile, or chosen
    // a file: only a file is accepted, never the name of a file clicked before.
    if (!QFileInfo(DriveList->DrivePathFile()).isFile())
        return;
    txtSearchSpec->setText(DriveList->FileName());
    if (!txtSearchSpec->text().isEmpty())
        Command1_Click(AcceptKey);
}

void LoadSave::Command1_Click(int Index) {
    if (Index == AcceptKey) {
        if (m_calcFilePath.isEmpty())
            return; // nothing to open or save yet: the dialog stays
        m_calcFilePath = StripExtension(txtSearchSpec->text()) + QStringLiteral(".Clc");
        accept();
    } else if (Index == CancelKey) {
        m_calcFilePath.clear();
        reject();
    }
}

} // namespace padrix
