// The window: start-up, the settings file, Clear All, the layout and the shutdown; the rooms
// are made and connected here.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "mainwindow/CalculationFiles.h"
#include "mainwindow/FunctionKeys.h"
#include "mainwindow/Game.h"
#include "mainwindow/Keypad.h"
#include "mainwindow/LineEntry.h"
#include "mainwindow/MemoryKeys.h"
#include "mainwindow/Menus.h"
#include "mainwindow/Printing.h"
#include "mainwindow/TapeKeeping.h"
#include "mainwindow/TapeView.h"
#include "mainwindow/UserAction.h"
#include "mainwindow/WindowLook.h"
#include "platform/FileLimits.h"
#include "platform/SettingsLocation.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <random>

namespace padrix {

namespace {

constexpr int DesignWidth = 10065;   // twips, the design's interior
constexpr int DesignHeight = 6990;   // twips
constexpr int MinimumWidth = 7740;   // twips
constexpr int ColumnWidth = 10335;   // twips, also the widest normal window
constexpr int MinimumHeight = 7080;  // twips
constexpr int RestoredHeight = 8730; // twips

/// The context with what it leaves open filled in from the screen.
WindowContext completed(WindowContext context) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (context.twipsPerPixel <= 0) {
        const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
        context.twipsPerPixel = 1440.0 / (dpi > 0 ? dpi : 96.0);
    }
    if (context.screenSize.isEmpty())
        context.screenSize = screen != nullptr ? screen->size() : QSize(1024, 768);
    return context;
}

InvadersGame dealtGame(const WindowContext& context) {
    std::mt19937 random(context.gameSeed.value_or(std::random_device{}()));
    std::uniform_int_distribution<int> digit(0, 8);
    return InvadersGame([random, digit]() mutable { return digit(random); });
}

} // namespace

Diruvuv_Orozezadi::Diruvuv_Orozezadi(const WindowContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(completed(context)), m_scale(m_context.twipsPerPixel),
      m_session(std::make_unique<TapeSession>(m_context.locale, m_context.undoBudget)) {
    // A save past the file size limit then fails with a message; the tape stays.
    ignoreFileSizeSignal();
    setObjectName(QStringLiteral("Diruvuv_Orozezadi"));
    setWindowTitle(QStringLiteral("Padrix Calculator 6"));
    Form_Load();
    Form_Resize();
    restoreSettings();
}

Diruvuv_Orozezadi::~Diruvuv_Orozezadi() {
    // The rooms and their widgets go while the session they show still lives: a row that
    // loses the focus on the way still reaches its handlers.
    delete interior;
}

const InvadersGame& Diruvuv_Orozezadi::game() const {
    return m_game->state();
}

TapeJournal* Diruvuv_Orozezadi::journal() const {
    return m_keeping->journal();
}

Settings Diruvuv_Orozezadi::settings() const {
    Settings settings = m_tables;
    settings.buttons = m_session->buttons();
    return settings;
}

void Diruvuv_Orozezadi::GameTimer_Timer() {
    m_game->GameTimer_Timer();
}

void Diruvuv_Orozezadi::Form_Load() {
    interior = new QWidget(this);
    interior->setObjectName(QStringLiteral("interior"));
    setCentralWidget(interior);
    const ControlDesign whole{
        "interior", -1, 0, 0, DesignWidth, DesignHeight, Color::WindowBackground};
    m_scale.place(interior, whole);
    applyColors(interior, whole);
    setFont(designFont(11.25));

    m_view = new TapeView(interior, *m_session, m_scale);
    m_entry = new LineEntry(*m_view, *m_session, this);
    m_memory = new MemoryKeys(interior, m_scale, *m_view, *m_session);
    m_keypad = new Keypad(interior, m_scale, *m_view, *m_entry, *m_session);
    m_functionKeys = new FunctionKeys(interior, m_scale, *m_view, *m_session);
    m_game = new Game(interior, m_scale, *m_view, m_tables, dealtGame(m_context));
    m_menus = new Menus(*this, *m_view, *m_session);
    m_files = new CalculationFiles(*this, m_scale, *m_view, *m_session);
    m_printing = new Printing(*this, *m_session, m_context.printerAvailable);
    m_keeping = new TapeKeeping(*this, *m_view, *m_session, *m_menus, m_context.journalFolder,
                                m_tables.keepJournal);
    resize(m_scale.pixels(DesignWidth),
           m_scale.pixels(DesignHeight) + menuBar()->sizeHint().height());
    connectRooms();

    m_view->createRows(std::max(m_context.screenSize.width(), m_context.screenSize.height()));
    m_view->raiseAboveRows();
    m_game->All_Timers->raise();
    Clear_Total_Click();
}

void Diruvuv_Orozezadi::connectRooms() {
    m_entry->setTotalKeyHandler([this](short keyCode) {
        m_game->totalKeyDown(keyCode);
        return false;
    });
    m_keypad->setGame([this] { return m_game->holdsKeys(); },
                      [this](int digit) { m_game->gameShot(digit); });
    m_keypad->setClearAll([this] { Clear_Total_Click(); });
    m_menus->connect(MenuCommand::ClearAll, [this](int) { Clear_Total_Click(); });
    m_menus->connect(MenuCommand::File, [this](int index) { m_files->LD_Click(index); });
    m_menus->connect(MenuCommand::Print, [this](int) { m_printing->PrintCalc_Click(); });
    m_menus->connect(MenuCommand::Game,
                     [this](int index) { m_game->Zorb_Invaders_Go_Click(index); });
}

void Diruvuv_Orozezadi::restoreSettings() {
    // Every error here is ignored: a missing file keeps the designed buttons.
    const SettingsLocation location(m_context.executablePath, m_context.userConfigFolder);
    const QString path = location.fileToRead();
    if (path.isEmpty())
        return;
    if (auto read = loadSettingsFile(path)) {
        m_tables = std::move(*read);
        m_session->setButtons(m_tables.buttons);
        m_functionKeys->showDefinitions();
    }
}

void Diruvuv_Orozezadi::Form_Unload() {
    const SettingsLocation location(m_context.executablePath, m_context.userConfigFolder);
    const QString path = location.fileToWrite();
    // A read-only file is made writable and replaced; errors are ignored.
    if (QFileInfo::exists(path))
        QFile::setPermissions(path,
                              QFile::permissions(path) | QFile::WriteOwner | QFile::WriteUser);
    saveSettingsFile(path, settings());
    m_keeping->close();
}

void Diruvuv_Orozezadi::Form_Activate() {
    if (!m_activated) {
        Clear_Total_Click();
        m_activated = true;
        m_view->focusRow(0);
        m_keeping->start(); // the journal begins with the empty tape
        if (const QString file = fileArgument(m_context.arguments); !file.isEmpty())
            m_files->open(file, m_context.fileReading.get());
        m_session->startRecording();
    }
    m_view->refreshScroll();
}

void Diruvuv_Orozezadi::Clear_Total_Click() {
    m_session->clearAll(m_view->LineCount() + 1);
    m_view->clearRows();
}

void Diruvuv_Orozezadi::Form_Resize() {
    if (windowState().testFlag(Qt::WindowMinimized))
        return;
    if (windowState().testFlag(Qt::WindowMaximized)) {
        // After the events of the maximizing: the column is a size of the window's own.
        QTimer::singleShot(0, this, &Diruvuv_Orozezadi::toggleColumn);
        return;
    }
    // Width and height clamps of the outer size.
    const QRect frame = frameGeometry();
    const int outerWidth = std::clamp(m_scale.twips(frame.width()), MinimumWidth, ColumnWidth);
    const int outerHeight = std::max(m_scale.twips(frame.height()), MinimumHeight);
    if (outerWidth != m_scale.twips(frame.width()) || outerHeight != m_scale.twips(frame.height()))
        resize(m_scale.pixels(outerWidth) - (frame.width() - width()),
               m_scale.pixels(outerHeight) - (frame.height() - height()));
    m_view->layOut(interior->width(), interior->height());
}

void Diruvuv_Orozezadi::toggleColumn() {
    if (!windowState().testFlag(Qt::WindowMaximized))
        return; // done by an earlier call
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    const int screenHeightTwips = m_scale.twips(m_context.screenSize.height());
    setWindowState(windowState() & ~Qt::WindowMaximized);
    int heightTwips = RestoredHeight;
    if (SavedLeft == 0) {
        SavedLeft = m_scale.twips(frameGeometry().left());
        move(0, 0);
        heightTwips = static_cast<int>(std::nearbyint(0.96 * screenHeightTwips));
    } else {
        move(m_scale.pixels(SavedLeft), y());
        SavedLeft = 0;
    }
    resize(m_scale.pixels(ColumnWidth) - frameWidth, m_scale.pixels(heightTwips) - frameHeight);
}

bool Diruvuv_Orozezadi::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void Diruvuv_Orozezadi::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Some desktops start a program without activating its window: the first activation's
    // work (Clear All, the command-line file) then runs once the window shows.
    QTimer::singleShot(0, this, [this] {
        if (!m_activated)
            Form_Activate();
    });
}

void Diruvuv_Orozezadi::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Diruvuv_Orozezadi::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Diruvuv_Orozezadi::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace padrix
