// The layout that follows the window's size, and the tape view: the rows refilled from the tape
// at the scroll position, and the grand total.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "core/Recalculation.h"
#include "mainwindow/ControlDesign.h"
#include "platform/PlatformColors.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace padrix {

namespace {

constexpr int MinimumWidth = 7740;   // twips
constexpr int ColumnWidth = 10335;   // twips, also the widest normal window
constexpr int MinimumHeight = 7080;  // twips
constexpr int RestoredHeight = 8730; // twips

const ControlDesign TapeViewDesign[] = {
    {"Dzx", -1, 90, 135, 7350, 870, Color::ShapeFill, Color::ShapeBorder},
    {"Op11", -1, 225, 405, 180, 360, Color::WindowBackground, Color::Black},
    {"TotalAmount", -1, 450, 315, 6870, 495, Color::White, Color::Black},
    {"CalAmount", 0, 450, 1095, 3090, 390, Color::White, Color::Black},
    {"Op", 0, 45, 1110, 465, 390},
    {"ScrollNum", -1, 3555, 1080, 465, 5865, Color::ShapeFill},
};

} // namespace

void Diruvuv_Orozezadi::createTapeView() {
    const auto design = [](const char* name, int index = -1) -> const ControlDesign& {
        return designOf(TapeViewDesign, name, index);
    };
    Dzx = makeShape(interior, design("Dzx"));
    place(Dzx, design("Dzx"));

    Op11 = new QLabel(QStringLiteral("="), interior);
    place(Op11, design("Op11"));
    applyColors(Op11, design("Op11"));

    TotalAmount = new QLineEdit(interior);
    TotalAmount->setAccessibleName(QStringLiteral("Grand total"));
    place(TotalAmount, design("TotalAmount"));
    applyColors(TotalAmount, design("TotalAmount"));
    TotalAmount->setReadOnly(true);
    TotalAmount->setFont(designFont(14.25, true));
    TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* row0 = new QLineEdit(interior);
    place(row0, design("CalAmount", 0));
    applyColors(row0, design("CalAmount", 0));
    row0->setFont(designFont(14.25));
    row0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CalAmount.append(row0);

    auto* op0 = new LumoButton(interior);
    place(op0, design("Op", 0));
    op0->setFontSize(12);
    op0->setBorder(3);
    op0->setCaption(QStringLiteral("+"));
    op0->setFocusPolicy(Qt::NoFocus);
    Op.append(op0);

    ScrollNum = new VantoVerticalScroll(interior);
    place(ScrollNum, design("ScrollNum"));
    ScrollNum->setBackColor(design("ScrollNum").backColor);
    ScrollNum->setValueLargeChange(1);
}

void Diruvuv_Orozezadi::Form_Resize() {
    if (m.inResize)
        return; // the sizes set below come back as resize events; one layout at a time
    m.inResize = true;
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    const auto setOuterSize = [&](int widthTwips, int heightTwips) {
        resize(pixels(widthTwips) - frameWidth, pixels(heightTwips) - frameHeight);
    };

    // Maximize switches between a full-height column at the left edge and the window.
    if (windowState().testFlag(Qt::WindowMaximized)) {
        const int screenHeightTwips = twips(m_context.screenSize.height());
        setWindowState(windowState() & ~Qt::WindowMaximized);
        if (m.SavedLeft == 0) {
            m.SavedLeft = twips(frameGeometry().left());
            move(0, 0);
            setOuterSize(ColumnWidth, static_cast<int>(std::nearbyint(0.96 * screenHeightTwips)));
        } else {
            move(pixels(m.SavedLeft), y());
            m.SavedLeft = 0;
            setOuterSize(ColumnWidth, RestoredHeight);
        }
    }

    // The total and its frame follow the width; the new sizes are painted before going on.
    Dzx->resize(interior->width() - 12, Dzx->height());
    TotalAmount->resize(interior->width() - 42, TotalAmount->height());
    QApplication::processEvents();
    if (windowState().testFlag(Qt::WindowMinimized)) {
        m.inResize = false;
        return;
    }

    // Width and height clamps of the outer size.
    int outerWidth = twips(frameGeometry().width());
    int outerHeight = twips(frameGeometry().height());
    bool clamp = false;
    if (outerWidth < MinimumWidth) {
        outerWidth = MinimumWidth;
        clamp = true;
    }
    if (windowState() == Qt::WindowNoState && outerWidth > ColumnWidth) {
        outerWidth = ColumnWidth;
        clamp = true;
    }
    if (outerHeight < MinimumHeight) {
        outerHeight = MinimumHeight;
        clamp = true;
    }
    if (clamp) {
        setOuterSize(outerWidth, outerHeight);
        Dzx->resize(interior->width() - 12, Dzx->height());
        TotalAmount->resize(interior->width() - 42, TotalAmount->height());
    }

    showVisibleRows();
    m.inResize = false;
}

void Diruvuv_Orozezadi::showVisibleRows() {
    // Visible rows: as many as fit above the bottom margin. Rows stand one row height apart,
    // so the count steps by a row height too; a smaller step would count rows that lie below
    // the window's edge.
    const int h = CalAmount.front()->height();
    const int t = CalAmount.front()->y();
    const int limit = static_cast<int>(std::nearbyint(interior->height() - (1.5 * h + t)));
    const int step = std::max(h, 1);
    m.LastVisibleLine = -1;
    for (int yPos = 5; yPos <= limit && m.LastVisibleLine < m.LineCount; yPos += step) {
        ++m.LastVisibleLine;
        CalAmount[m.LastVisibleLine]->show();
        if (m.LastVisibleLine > 0)
            Op[m.LastVisibleLine]->show();
    }
    if (m.LastVisibleLine < 0) {
        m.LastVisibleLine = 0; // row 0 always shows
        CalAmount.front()->show();
    }
    for (int i = 0; i <= m.LastVisibleLine; ++i)
        CalAmount[i]->resize(200, CalAmount[i]->height());
    for (int i = m.LastVisibleLine + 1; i <= m.LineCount; ++i) {
        CalAmount[i]->hide();
        Op[i]->hide();
    }

    // The scroll bar spans the visible rows; the view returns to the first line.
    ScrollNum->setValue(0);
    ScrollNum->move(CalAmount.front()->x() + CalAmount.front()->width(), ScrollNum->y());
    ScrollNum->setValueMax(std::max(0, m.tape.lineCount() - 1 - m.LastVisibleLine));
    ScrollNum->resize(ScrollNum->width(), h + CalAmount[m.LastVisibleLine]->y() - t);
    ScrollNum_Change();
}

void Diruvuv_Orozezadi::ScrollNum_Change() {
    for (int i = 0; i <= m.LastVisibleLine && i < CalAmount.size(); ++i) {
        const int line = lineOf(i);
        // A screen reader names the row by the tape line it shows, counted from 1.
        CalAmount[i]->setAccessibleName(QStringLiteral("Line %1").arg(line + 1));
        if (line < 0 || line >= m.tape.lineCount()) {
            // Below the end of a short tape: an empty "+" line, as a fresh row shows.
            setRowText(i, QString());
            setOperatorCaption(i, QStringLiteral("+"));
            continue;
        }
        const Value& v = m.tape.value(line);
        QString text;
        if (v.isExpressionText())
            text = QString::fromStdString(std::string(v.textValue()));
        else if (!v.isBlank())
            text = QString::fromStdString(displayText(v, m.DecimalsChoice, m_context.locale));
        setRowText(i, text);
        const char op = m.tape.op(line);
        setOperatorCaption(i, op == NoOperator ? QString() : QString(QLatin1Char(op)));
        setRowTextColor(i, text.startsWith(QLatin1Char('-')) ? Color::DarkRed : Color::Black);
    }
}

void Diruvuv_Orozezadi::ScrollNum_KeyDown(short& /*KeyCode*/, short& /*Shift*/) {
    CalAmount.front()->setFocus();
}

void Diruvuv_Orozezadi::MailCalc() {
    if (m.game.running())
        return; // the game has the display; the tape is recalculated after it
    RecalcSettings recalc;
    recalc.DecimalsChoice = m.DecimalsChoice;
    recalc.TotalMode = m.TotalMode;
    recalc.buttons = &m.settings.buttons;
    recalc.locale = m_context.locale;
    // Only the lines from the first one changed on are worked again.
    const GrandTotal total = runningTotal.total(m.tape, recalc, m.tape.takeFirstChanged(),
                                                TotalAmount->text().toStdString(), &m.SortedValues);
    TotalAmount->setText(QString::fromStdString(total.text));
    TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter); // a game's end was centred
    QPalette p = TotalAmount->palette();
    p.setColor(QPalette::Text, colorOf(total.color));
    TotalAmount->setPalette(p);
}

void Diruvuv_Orozezadi::setRowText(int row, const QString& text) {
    if (CalAmount[row]->text() != text)
        CalAmount[row]->setText(text);
}

void Diruvuv_Orozezadi::setRowTextColor(int row, int bgrColor) {
    QPalette p = CalAmount[row]->palette();
    p.setColor(QPalette::Text, colorOf(bgrColor));
    CalAmount[row]->setPalette(p);
}

void Diruvuv_Orozezadi::setRowBackground(int row, int bgrColor) {
    QPalette p = CalAmount[row]->palette();
    p.setColor(QPalette::Base, colorOf(bgrColor));
    CalAmount[row]->setPalette(p);
}

void Diruvuv_Orozezadi::setOperatorCaption(int row, const QString& caption) {
    LumoButton* op = Op[row];
    if (op->Caption() != caption)
        op->setCaption(caption);
    // The label's colour follows its operator; anything else is silver.
    const int color =
        caption.size() == 1 ? operatorColor(caption.front().toLatin1()) : Color::Silver;
    if (op->RenderColor() != color)
        op->setRenderColor(color);
}

} // namespace padrix
