// The layout that follows the window's size, and the tape view: the rows refilled from the tape
// at the scroll position.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/LumoButton.h"
#include "controls/PixelDrawing.h"
#include "controls/VantoVerticalScroll.h"
#include "numbers/NumberText.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QResizeEvent>

#include <cmath>

namespace padrix {

namespace {

constexpr int Silver = 12632256;     // #C0C0C0
constexpr int NegativeText = 192;    // #C00000
constexpr int MinimumWidth = 7740;   // twips
constexpr int ColumnWidth = 10335;   // twips, also the widest normal window
constexpr int MinimumHeight = 7080;  // twips
constexpr int RestoredHeight = 8730; // twips

/// A value that shows as an empty row: zero, or never written.
bool showsAsZero(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Empty:
        return true;
    case Value::Kind::Decimal:
        return v.decimal().isZero();
    case Value::Kind::Double:
        return v.number() == 0.0;
    case Value::Kind::Text:
        return v.textValue().empty();
    }
    return false;
}

} // namespace

void Diruvuv_Orozezadi::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Diruvuv_Orozezadi::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Diruvuv_Orozezadi::Form_Resize() {
    if (m_inResize)
        return; // the sizes set below come back as resize events; one layout at a time
    m_inResize = true;
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    const auto setOuterSize = [&](int widthTwips, int heightTwips) {
        resize(pixels(widthTwips) - frameWidth, pixels(heightTwips) - frameHeight);
    };

    // 1. Maximize switches between a full-height column at the left edge and the window.
    if (windowState().testFlag(Qt::WindowMaximized)) {
        const int screenHeightTwips = twips(m_context.screenSize.height());
        setWindowState(windowState() & ~Qt::WindowMaximized);
        if (SavedLeft == 0) {
            SavedLeft = twips(frameGeometry().left());
            move(0, 0);
            setOuterSize(ColumnWidth, static_cast<int>(std::nearbyint(0.96 * screenHeightTwips)));
        } else {
            move(pixels(SavedLeft), y());
            SavedLeft = 0;
            setOuterSize(ColumnWidth, RestoredHeight);
        }
    }

    // 2. The total and its frame follow the width.
    Dzx->resize(interior->width() - 12, Dzx->height());
    TotalAmount->resize(interior->width() - 42, TotalAmount->height());

    // 3., 4.
    QApplication::processEvents();
    if (windowState().testFlag(Qt::WindowMinimized)) {
        m_inResize = false;
        return;
    }

    // 5. Width and height clamps.
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

    // 6. Visible rows: as many as fit above the bottom margin.
    const int h = CalAmount.front()->height();
    const int t = CalAmount.front()->y();
    const int s = interior->height();
    const int limit = static_cast<int>(std::nearbyint(s - (1.5 * h + t)));
    // Rows stand one row height apart, so the count steps by a row height too; a smaller
    // step would count rows that lie below the window's edge.
    const int step = std::max(h, 1);
    LastVisibleLine = -1;
    for (int yPos = 5; yPos <= limit && LastVisibleLine < LineCount; yPos += step) {
        ++LastVisibleLine;
        CalAmount[LastVisibleLine]->show();
        if (LastVisibleLine > 0)
            Op[LastVisibleLine]->show();
    }
    if (LastVisibleLine < 0) {
        LastVisibleLine = 0; // row 0 always shows
        CalAmount.front()->show();
    }
    // 7., 8.
    for (int i = 0; i <= LastVisibleLine; ++i)
        CalAmount[i]->resize(200, CalAmount[i]->height());
    for (int i = LastVisibleLine + 1; i <= LineCount; ++i) {
        CalAmount[i]->hide();
        Op[i]->hide();
    }

    // 9.-11. The scroll bar spans the visible rows; the view returns to the first line.
    padTapeToVisibleRows();
    ScrollNum->setValue(0);
    if (ScrollNum->ValueMax() < 0)
        ScrollNum->setValueMax(0);
    ScrollNum->move(CalAmount.front()->x() + CalAmount.front()->width(), ScrollNum->y());
    ScrollNum->setValueMax(tape.lineCount() - 1 - LastVisibleLine);
    ScrollNum->resize(ScrollNum->width(), h + CalAmount[LastVisibleLine]->y() - t);
    ScrollNum_Change();
    m_inResize = false;
}

void Diruvuv_Orozezadi::padTapeToVisibleRows() {
    // Every visible row shows a line of the tape.
    while (tape.lineCount() < LastVisibleLine + 1)
        tape.append('+', Value());
}

void Diruvuv_Orozezadi::ScrollNum_Change() {
    const int first = ScrollNum->Value();
    for (int i = 0; i <= LastVisibleLine && i < CalAmount.size(); ++i) {
        const int line = first + i;
        if (line < 0 || line >= tape.lineCount()) {
            setRowText(i, QString());
            setOperatorCaption(i, QString());
            continue;
        }
        const Value& v = tape.TapeValues[line];
        const std::string form = v.text(m_context.locale);
        QString text;
        if (form.find_first_of("(%") != std::string::npos)
            text = QString::fromStdString(form);
        else if (!showsAsZero(v))
            text = QString::fromStdString(displayText(v, DecimalsChoice, m_context.locale));
        setRowText(i, text);
        const char op = tape.TapeOperators[line];
        setOperatorCaption(i, op == NoOperator ? QString() : QString(QLatin1Char(op)));
        setRowTextColor(i, text.startsWith(QLatin1Char('-')) ? NegativeText : 0);
    }
}

void Diruvuv_Orozezadi::setRowText(int row, const QString& text) {
    if (CalAmount[row]->text() != text)
        CalAmount[row]->setText(text);
}

void Diruvuv_Orozezadi::setRowTextColor(int row, int bgrColor) {
    QPalette p = CalAmount[row]->palette();
    p.setColor(QPalette::Text, QColor(rgbOf(bgrColor)));
    CalAmount[row]->setPalette(p);
}

void Diruvuv_Orozezadi::setRowBackground(int row, int bgrColor) {
    QPalette p = CalAmount[row]->palette();
    p.setColor(QPalette::Base, QColor(rgbOf(bgrColor)));
    CalAmount[row]->setPalette(p);
}

void Diruvuv_Orozezadi::setOperatorCaption(int row, const QString& caption) {
    LumoButton* op = Op[row];
    if (op->Caption() != caption)
        op->setCaption(caption);
    // The label's colour follows its operator; anything else is silver.
    const int color = caption.size() == 1 && isOperator(caption.front().toLatin1())
                          ? operatorColor(caption.front().toLatin1())
                          : Silver;
    if (op->RenderColor() != color)
        op->setRenderColor(color);
}

void Diruvuv_Orozezadi::ScrollNum_KeyDown(short& /*KeyCode*/, short& /*Shift*/) {
    CalAmount.front()->setFocus();
}

} // namespace padrix
