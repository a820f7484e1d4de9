// Start-up, the settings file, Clear All, the command-line file and shutdown.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/PixelDrawing.h"
#include "controls/VantoVerticalScroll.h"
#include "core/CalcFile.h"
#include "platform/SettingsLocation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace padrix {

namespace {

constexpr int Silver = 12632256; // #C0C0C0

void setBackground(QWidget* widget, int bgr) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colorOf(bgr));
    p.setColor(QPalette::Base, colorOf(bgr));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QFrame* shape(QWidget* parent, const char* name, int fill, int border) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setStyleSheet(
        QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3; }")
            .arg(QLatin1String(name), colorOf(fill).name(), colorOf(border).name()));
    return frame;
}

} // namespace

Diruvuv_Orozezadi::Diruvuv_Orozezadi(const WindowContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context) {
    if (m_context.twipsPerPixel <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
        m_context.twipsPerPixel = 1440.0 / (dpi > 0 ? dpi : 96.0);
    }
    if (m_context.screenSize.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        m_context.screenSize = screen != nullptr ? screen->size() : QSize(1024, 768);
    }
    setObjectName(QStringLiteral("Diruvuv_Orozezadi"));
    setWindowTitle(QStringLiteral("Padrix Calculator 6"));
    createControls();

    // Window load: separators, rows to fill the screen, a clear tape.
    applyNumberLocale();
    DecimalsChoice = 25;
    createRows();
    LastVisibleLine = LineCount;
    TotalAmount->raise();
    ScrollNum->raise();
    All_Timers->raise();
    Clear_Total_Click();

    Form_Resize();
    restoreSettings();
}

Diruvuv_Orozezadi::~Diruvuv_Orozezadi() = default;

int Diruvuv_Orozezadi::pixels(double twipsValue) const {
    return static_cast<int>(std::nearbyint(twipsValue / m_context.twipsPerPixel));
}

int Diruvuv_Orozezadi::twips(int pixelsValue) const {
    return static_cast<int>(std::nearbyint(pixelsValue * m_context.twipsPerPixel));
}

void Diruvuv_Orozezadi::createControls() {
    interior = new QWidget(this);
    interior->setObjectName(QStringLiteral("interior"));
    setCentralWidget(interior);
    setBackground(interior, 15790320); // #F0F0F0
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11.25);
    setFont(font);
    const auto place = [this](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
    };

    Dzx = shape(interior, "Dzx", 14737632, 8421504);
    place(Dzx, 90, 135, 7350, 870);

    Op11 = new QLabel(QStringLiteral("="), interior);
    Op11->setObjectName(QStringLiteral("Op11"));
    setBackground(Op11, 15790320);
    place(Op11, 225, 405, 180, 360);

    TotalAmount = new QLineEdit(interior);
    TotalAmount->setObjectName(QStringLiteral("TotalAmount"));
    TotalAmount->setReadOnly(true);
    QFont totalFont(QStringLiteral("Arial"));
    totalFont.setPointSizeF(14.25);
    totalFont.setBold(true);
    TotalAmount->setFont(totalFont);
    TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setBackground(TotalAmount, 16777215);
    place(TotalAmount, 450, 315, 6870, 495);
    TotalAmount->installEventFilter(this);

    auto* row0 = new QLineEdit(interior);
    row0->setObjectName(QStringLiteral("CalAmount_0"));
    QFont rowFont(QStringLiteral("Arial"));
    rowFont.setPointSizeF(14.25);
    row0->setFont(rowFont);
    row0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(row0, 450, 1095, 3090, 390);
    row0->installEventFilter(this);
    CalAmount.append(row0);

    auto* op0 = new LumoButton(interior);
    op0->setObjectName(QStringLiteral("Op_0"));
    op0->setFontSize(12);
    op0->setBorder(3);
    op0->setCaption(QStringLiteral("+"));
    op0->setFocusPolicy(Qt::NoFocus);
    place(op0, 45, 1110, 465, 390);
    Op.append(op0);

    ScrollNum = new VantoVerticalScroll(interior);
    ScrollNum->setObjectName(QStringLiteral("ScrollNum"));
    ScrollNum->setBackColor(14737632);
    ScrollNum->setValueLargeChange(1);
    place(ScrollNum, 3555, 1080, 465, 5865);
    connect(ScrollNum, &VantoVerticalScroll::Change, this, &Diruvuv_Orozezadi::ScrollNum_Change);
    connect(ScrollNum, &VantoVerticalScroll::KeyDown, this, &Diruvuv_Orozezadi::ScrollNum_KeyDown);

    MemBorder = shape(interior, "MemBorder", 12640511, 8421504);
    place(MemBorder, 4050, 1080, 3390, 1005);

    M_Buff = new QLabel(QStringLiteral("0"), interior);
    M_Buff->setObjectName(QStringLiteral("M_Buff"));
    M_Buff->setAlignment(Qt::AlignCenter);
    setBackground(M_Buff, 12640511);
    QPalette memory = M_Buff->palette();
    memory.setColor(QPalette::WindowText, colorOf(16576));
    M_Buff->setPalette(memory);
    place(M_Buff, 4095, 1125, 3300, 300);

    All_Timers = new QWidget(interior);
    All_Timers->setObjectName(QStringLiteral("All_Timers"));
    setBackground(All_Timers, 12640511);
    place(All_Timers, 45, 1080, 3975, 5865);
    All_Timers->hide();

    GameTimer = new QTimer(this);
    GameTimer->setObjectName(QStringLiteral("GameTimer"));
    GameTimer->setInterval(1000);

    // The design's interior: 10065 x 6990 twips.
    resize(pixels(10065), pixels(6990));
}

void Diruvuv_Orozezadi::applyNumberLocale() {
    GroupSeparator = QString::fromStdString(m_context.locale.groupSeparator);
    DecimalSeparator = QString::fromStdString(m_context.locale.decimalSeparator);
}

void Diruvuv_Orozezadi::createRows() {
    const int s = std::max(m_context.screenSize.width(), m_context.screenSize.height());
    QLineEdit* row0 = CalAmount.front();
    LumoButton* op0 = Op.front();
    const int h = row0->height();
    for (int y = h + 5; y <= s; y += h) {
        ++LineCount;
        auto* row = new QLineEdit(interior);
        row->setObjectName(QStringLiteral("CalAmount_%1").arg(LineCount));
        row->setFont(row0->font());
        row->setAlignment(row0->alignment());
        row->setGeometry(row0->x(), row0->y() + y - 5, row0->width(), h);
        row->hide();
        row->installEventFilter(this);
        auto* op = new LumoButton(interior);
        op->setObjectName(QStringLiteral("Op_%1").arg(LineCount));
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
        tape.append('+', Value());
    }
    while (tape.lineCount() < LineCount + 1)
        tape.append('+', Value());
}

void Diruvuv_Orozezadi::restoreSettings() {
    // Every error here is ignored: a missing file keeps the designed buttons.
    const SettingsLocation location(m_context.executablePath, m_context.userConfigFolder);
    const QString path = location.fileToRead();
    if (path.isEmpty())
        return;
    if (const auto read = loadSettingsFile(path)) {
        settings = *read;
        functions = read->buttons;
    }
}

void Diruvuv_Orozezadi::Form_Unload() {
    const SettingsLocation location(m_context.executablePath, m_context.userConfigFolder);
    const QString path = location.fileToWrite();
    // A read-only file is made writable and replaced; errors are ignored.
    if (QFileInfo::exists(path))
        QFile::setPermissions(path,
                              QFile::permissions(path) | QFile::WriteOwner | QFile::WriteUser);
    Settings out = settings;
    out.buttons = functions;
    saveSettingsFile(path, out);
}

void Diruvuv_Orozezadi::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool Diruvuv_Orozezadi::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void Diruvuv_Orozezadi::Form_Activate() {
    if (!Activated) {
        Clear_Total_Click();
        Activated = true;
        CalAmount.front()->setFocus();
        if (m_context.commandLine.contains(QStringLiteral(".Clc"))) {
            CalcFilePath = m_context.commandLine;
            CalcFilePath.remove(QLatin1Char('"'));
            LD_Click(5);
        }
    }
    ScrollNum->Refresh();
}

void Diruvuv_Orozezadi::Clear_Total_Click() {
    ScrollNum->setValue(0);
    ScrollNum->setValueMax(0);
    const int entries = std::max(tape.lineCount(), LineCount + 1);
    tape = Tape{};
    tape.TapeValues.resize(static_cast<std::size_t>(entries));
    tape.TapeOperators.assign(static_cast<std::size_t>(entries), NoOperator);
    for (int i = 0; i <= LineCount; ++i) {
        tape.TapeOperators[i] = '+';
        tape.TapeValues[i] = Decimal{};
        Op[i]->setCaption(QStringLiteral("+"));
        Op[i]->setRenderColor(Silver);
        CalAmount[i]->setText(QString());
    }
    LastVisibleLine = tape.lineCount() - 1;
    for (int i = 0; i <= LineCount; ++i) {
        if (CalAmount[i]->isHidden()) {
            LastVisibleLine = i - 1;
            break;
        }
    }
    TotalAmount->setText(QString());
    if (isVisible())
        CalAmount.front()->setFocus();
}

void Diruvuv_Orozezadi::LD_Click(int Index) {
    if (Index != 5 || CalcFilePath.isEmpty())
        return;
    const QFileInfo file(CalcFilePath.trimmed());
    if (!file.isFile() || file.isHidden())
        return; // a path that names no file loads nothing
    auto loaded = loadCalcFile(file.absoluteFilePath(), m_context.locale);
    if (!loaded) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Cannot write to read only file or drive..."));
        Clear_Total_Click();
        return;
    }
    tape = std::move(*loaded);
    padTapeToVisibleRows();
    ScrollNum->setValueMax(tape.lineCount() - 1 - LastVisibleLine);
    ScrollNum_Change();
    MailCalc();
}

} // namespace padrix
