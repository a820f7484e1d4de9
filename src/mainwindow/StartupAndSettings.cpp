// Start-up, the settings file, Clear All and shutdown.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "mainwindow/ControlDesign.h"
#include "platform/FileLimits.h"
#include "platform/PlatformColors.h"
#include "platform/SettingsLocation.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QUndoStack>

#include <cmath>
#include <random>

namespace padrix {

namespace {

constexpr int DesignWidth = 10065; // twips, the design's interior
constexpr int DesignHeight = 6990; // twips

} // namespace

Diruvuv_Orozezadi::Diruvuv_Orozezadi(const WindowContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context) {
    // A save past the file size limit then fails with a message; the tape stays.
    ignoreFileSizeSignal();
    if (m_context.twipsPerPixel <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
        m_context.twipsPerPixel = 1440.0 / (dpi > 0 ? dpi : 96.0);
    }
    if (m_context.screenSize.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        m_context.screenSize = screen != nullptr ? screen->size() : QSize(1024, 768);
    }
    std::mt19937 random(m_context.gameSeed.value_or(std::random_device{}()));
    std::uniform_int_distribution<int> digit(0, 8);
    m.game = InvadersGame([random, digit]() mutable { return digit(random); });
    setObjectName(QStringLiteral("Diruvuv_Orozezadi"));
    setWindowTitle(QStringLiteral("Padrix Calculator 6"));
    Form_Load();
    routeEvents();
    Form_Resize();
    restoreSettings();
}

Diruvuv_Orozezadi::~Diruvuv_Orozezadi() {
    // The history goes first: its steps refer to the window, and it reports its clearing.
    undoStack->disconnect(this);
    delete undoStack;
}

int Diruvuv_Orozezadi::pixels(double twipsValue) const {
    return static_cast<int>(std::nearbyint(twipsValue / m_context.twipsPerPixel));
}

int Diruvuv_Orozezadi::twips(int pixelsValue) const {
    return static_cast<int>(std::nearbyint(pixelsValue * m_context.twipsPerPixel));
}

void Diruvuv_Orozezadi::place(QWidget* widget, const ControlDesign& design) const {
    widget->setObjectName(objectNameOf(design));
    widget->setGeometry(pixels(design.left), pixels(design.top), pixels(design.width),
                        pixels(design.height));
}

void Diruvuv_Orozezadi::Form_Load() {
    interior = new QWidget(this);
    interior->setObjectName(QStringLiteral("interior"));
    setCentralWidget(interior);
    const ControlDesign whole{
        "interior", -1, 0, 0, DesignWidth, DesignHeight, Color::WindowBackground};
    place(interior, whole);
    applyColors(interior, whole);
    setFont(designFont(11.25));
    m.GroupSeparator = QString::fromStdString(m_context.locale.groupSeparator);
    m.DecimalSeparator = QString::fromStdString(m_context.locale.decimalSeparator);
    createTapeView();
    createMemory();
    createKeypad();
    createFunctionButtons();
    createGame();
    createMenus();
    resize(pixels(DesignWidth), pixels(DesignHeight) + menuBar()->sizeHint().height());

    CalC_Button[10]->setCaption(m.DecimalSeparator);
    m.DecimalsChoice = VariableDecimals;
    createRows();
    m.LastVisibleLine = m.LineCount;
    TotalAmount->raise();
    ScrollNum->raise();
    All_Timers->raise();
    Clear_Total_Click();
}

void Diruvuv_Orozezadi::createRows() {
    // Rows to fill the larger screen dimension; the layout decides how many show.
    const int s = std::max(m_context.screenSize.width(), m_context.screenSize.height());
    QLineEdit* row0 = CalAmount.front();
    LumoButton* op0 = Op.front();
    const int h = row0->height();
    for (int y = h + 5; y <= s; y += h) {
        ++m.LineCount;
        auto* row = new QLineEdit(interior);
        row->setObjectName(QStringLiteral("CalAmount_%1").arg(m.LineCount));
        row->setFont(row0->font());
        row->setAlignment(row0->alignment());
        row->setGeometry(row0->x(), row0->y() + y - 5, row0->width(), h);
        row->hide();
        auto* op = new LumoButton(interior);
        op->setObjectName(QStringLiteral("Op_%1").arg(m.LineCount));
        op->setFontSize(op0->FontSize());
        op->setBorder(op0->Border());
        op->setCaption(op0->Caption());
        op->setFocusPolicy(Qt::NoFocus);
        op->setGeometry(op0->x(), row->y() + 1, op0->width(), op0->height());
        op->hide();
        op->raise();
        row->raise();
        CalAmount.append(row);
        Op.append(op);
    }
    m.tape.ensureLines(m.LineCount + 1);
}

void Diruvuv_Orozezadi::restoreSettings() {
    // Every error here is ignored: a missing file keeps the designed buttons.
    const SettingsLocation location(m_context.executablePath, m_context.userConfigFolder);
    const QString path = location.fileToRead();
    if (path.isEmpty())
        return;
    if (auto read = loadSettingsFile(path)) {
        m.settings = std::move(*read);
        showFunctionButtons();
    }
}

void Diruvuv_Orozezadi::Form_Unload() {
    const SettingsLocation location(m_context.executablePath, m_context.userConfigFolder);
    const QString path = location.fileToWrite();
    // A read-only file is made writable and replaced; errors are ignored.
    if (QFileInfo::exists(path))
        QFile::setPermissions(path,
                              QFile::permissions(path) | QFile::WriteOwner | QFile::WriteUser);
    saveSettingsFile(path, m.settings);
}

void Diruvuv_Orozezadi::Form_Activate() {
    if (!m.Activated) {
        Clear_Total_Click();
        m.Activated = true;
        CalAmount.front()->setFocus();
        // A file manager passes "tape.clc" as readily as "tape.Clc".
        if (m_context.commandLine.contains(QStringLiteral(".Clc"), Qt::CaseInsensitive)) {
            QString path = m_context.commandLine;
            path.remove(QLatin1Char('"'));
            // Absolute now: browsing in the open/save dialog changes the current folder.
            m.CalcFilePath = QFileInfo(path.trimmed()).absoluteFilePath();
            LD_Click(5);
        }
        startRecordingTape();
    }
    ScrollNum->Refresh();
}

void Diruvuv_Orozezadi::Clear_Total_Click() {
    ScrollNum->setValue(0);
    ScrollNum->setValueMax(0);
    m.tape.clear(std::max(m.tape.lineCount(), m.LineCount + 1));
    for (int i = 0; i <= m.LineCount; ++i) {
        m.tape.setOperator(i, '+');
        m.tape.setValue(i, Decimal{});
        Op[i]->setCaption(QStringLiteral("+"));
        Op[i]->setRenderColor(Color::Silver);
        CalAmount[i]->setText(QString());
    }
    m.LastVisibleLine = m.tape.lineCount() - 1;
    for (int i = 0; i <= m.LineCount; ++i) {
        if (CalAmount[i]->isHidden()) {
            m.LastVisibleLine = i - 1;
            break;
        }
    }
    TotalAmount->setText(QString());
    if (isVisible())
        CalAmount.front()->setFocus();
}

} // namespace padrix
