// The tape's column: the rows refilled from the session at the scroll position, the scroll bar
// over the visible rows, and the grand total.
#include "mainwindow/TapeView.h"

#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"
#include "mainwindow/EventRelay.h"
#include "mainwindow/UserAction.h"
#include "mainwindow/WindowLook.h"
#include "platform/PlatformColors.h"
#include "session/TapeSession.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <string_view>

namespace padrix {

namespace {

const ControlDesign TapeViewDesign[] = {
    {"Dzx", -1, 90, 135, 7350, 870, Color::ShapeFill, Color::ShapeBorder},
    {"Op11", -1, 225, 405, 180, 360, Color::WindowBackground, Color::Black},
    {"TotalAmount", -1, 450, 315, 6870, 495, Color::White, Color::Black},
    {"CalAmount", 0, 450, 1095, 3090, 390, Color::White, Color::Black},
    {"Op", 0, 45, 1110, 465, 390},
    {"ScrollNum", -1, 3555, 1080, 465, 5865, Color::ShapeFill},
};

const ControlDesign& design(const char* name, int index = -1) {
    return designOf(TapeViewDesign, name, index);
}

} // namespace

TapeView::TapeView(QWidget* interior, TapeSession& session, const DesignScale& scale)
    : QObject(interior), m_session(session), m_scale(scale), m_interior(interior),
      m_rowName(tr("Line %1")), m_operatorName(tr("Operator of line %1: %2; press to change")),
      m_operatorWords({tr("addition"), tr("subtraction"), tr("multiplication"), tr("division"),
                       tr("power"), tr("none")}) {
    createControls();
    // A changed line's row keeps the text being typed in it; its colour and its operator
    // follow the line.
    connect(&m_session, &TapeSession::linesChanged, this, [this](int first, int last) {
        for (int row = 0; row <= m_lastVisibleLine; ++row) {
            const int line = lineOf(row);
            if (line >= first && line <= last) {
                colorRowFromLine(row);
                setOperatorCaption(row, m_session.op(line));
            }
        }
    });
    connect(&m_session, &TapeSession::tapeReset, this, &TapeView::ScrollNum_Change);
    connect(&m_session, &TapeSession::formatChanged, this, &TapeView::ScrollNum_Change);
    connect(&m_session, &TapeSession::totalChanged, this, &TapeView::showTotal);
}

void TapeView::createControls() {
    Dzx = makeShape(m_interior, design("Dzx"));
    m_scale.place(Dzx, design("Dzx"));

    Op11 = new QLabel(QStringLiteral("="), m_interior);
    m_scale.place(Op11, design("Op11"));
    applyColors(Op11, design("Op11"));

    TotalAmount = new QLineEdit(m_interior);
    TotalAmount->setAccessibleName(tr("Grand total"));
    m_scale.place(TotalAmount, design("TotalAmount"));
    applyColors(TotalAmount, design("TotalAmount"));
    TotalAmount->setReadOnly(true);
    TotalAmount->setFont(designFont(14.25, true));
    TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    new EventRelay(TotalAmount, this, [this](QEvent* event) { return rowEvent(-1, event); });

    auto* row0 = new QLineEdit(m_interior);
    m_scale.place(row0, design("CalAmount", 0));
    applyColors(row0, design("CalAmount", 0));
    row0->setFont(designFont(14.25));
    row0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CalAmount.append(row0);
    new EventRelay(row0, this, [this](QEvent* event) { return rowEvent(0, event); });

    auto* op0 = new LumoButton(m_interior);
    m_scale.place(op0, design("Op", 0));
    op0->setFontSize(12);
    op0->setBorder(3);
    op0->setCaption(QStringLiteral("+"));
    op0->setFocusPolicy(Qt::NoFocus);
    Op.append(op0);
    // Row 0's label stands behind its row, as every later row's does.
    row0->raise();

    ScrollNum = new VantoVerticalScroll(m_interior);
    m_scale.place(ScrollNum, design("ScrollNum"));
    ScrollNum->setBackColor(design("ScrollNum").backColor);
    ScrollNum->setValueLargeChange(1);
    connect(ScrollNum, &VantoVerticalScroll::Change, this, &TapeView::ScrollNum_Change);
    connect(ScrollNum, &VantoVerticalScroll::KeyDown, this,
            [this](short&, short&) { CalAmount.front()->setFocus(); });
}

void TapeView::createRows(int screenPixels) {
    // Rows to fill the larger screen dimension; the layout decides how many show.
    QLineEdit* row0 = CalAmount.front();
    LumoButton* op0 = Op.front();
    const int h = row0->height();
    for (int y = h + 5; y <= screenPixels; y += h) {
        const int index = ++m_lineCount;
        auto* row = new QLineEdit(m_interior);
        row->setObjectName(QStringLiteral("CalAmount_%1").arg(index));
        row->setFont(row0->font());
        row->setAlignment(row0->alignment());
        row->setGeometry(row0->x(), row0->y() + y - 5, row0->width(), h);
        row->hide();
        auto* op = new LumoButton(m_interior);
        op->setObjectName(QStringLiteral("Op_%1").arg(index));
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
        new EventRelay(row, this, [this, index](QEvent* event) { return rowEvent(index, event); });
    }
    m_lastVisibleLine = m_lineCount;
    for (int i = 0; i <= m_lineCount; ++i) {
        onPress(Op[i], this, m_session, *this, [this, i] {
            ScrollNum_Change();
            m_session.cycleOperator(lineOf(i));
        });
    }
}

bool TapeView::rowEvent(int row, QEvent* event) {
    return m_handler ? m_handler(row, event) : false;
}

void TapeView::raiseAboveRows() {
    TotalAmount->raise();
    ScrollNum->raise();
}

void TapeView::refreshScroll() {
    ScrollNum->Refresh();
}

void TapeView::layOut(int interiorWidth, int interiorHeight) {
    Dzx->resize(interiorWidth - 12, Dzx->height());
    TotalAmount->resize(interiorWidth - 42, TotalAmount->height());

    // Visible rows: as many as fit above the bottom margin. Rows stand one row height apart,
    // so the count steps by a row height too; a smaller step would count rows that lie below
    // the window's edge.
    const int h = CalAmount.front()->height();
    const int t = CalAmount.front()->y();
    const int limit = static_cast<int>(std::nearbyint(interiorHeight - (1.5 * h + t)));
    const int step = std::max(h, 1);
    m_lastVisibleLine = -1;
    for (int yPos = 5; yPos <= limit && m_lastVisibleLine < m_lineCount; yPos += step) {
        ++m_lastVisibleLine;
        CalAmount[m_lastVisibleLine]->show();
        if (m_lastVisibleLine > 0)
            Op[m_lastVisibleLine]->show();
    }
    if (m_lastVisibleLine < 0) {
        m_lastVisibleLine = 0; // row 0 always shows
        CalAmount.front()->show();
    }
    for (int i = 0; i <= m_lastVisibleLine; ++i)
        CalAmount[i]->resize(200, CalAmount[i]->height());
    for (int i = m_lastVisibleLine + 1; i <= m_lineCount; ++i) {
        CalAmount[i]->hide();
        Op[i]->hide();
    }

    // The scroll bar spans the visible rows; the view returns to the first line.
    ScrollNum->setValue(0);
    ScrollNum->move(CalAmount.front()->x() + CalAmount.front()->width(), ScrollNum->y());
    updateRange();
    ScrollNum->resize(ScrollNum->width(), h + CalAmount[m_lastVisibleLine]->y() - t);
    ScrollNum_Change();
}

int TapeView::lineOf(int row) const {
    return ScrollNum->Value() + row;
}

int TapeView::position() const {
    return ScrollNum->Value();
}

int TapeView::ValueMax() const {
    return ScrollNum->ValueMax();
}

void TapeView::updateRange() {
    ScrollNum->setValueMax(std::max(0, m_session.lineCount() - 1 - m_lastVisibleLine));
}

void TapeView::showFrom(int first) {
    updateRange();
    ScrollNum->setValue(std::clamp(first, 0, ScrollNum->ValueMax()));
    ScrollNum_Change(); // the rows show the lines even where the position stays
}

void TapeView::scrollBy(int lines) {
    ScrollNum->setValue(ScrollNum->Value() + lines);
}

void TapeView::growByOne() {
    const int n = ScrollNum->ValueMax() + 1;
    ScrollNum->setValueMax(n);
    ScrollNum->setValue(n);
}

void TapeView::ScrollNum_Change() {
    for (int i = 0; i <= m_lastVisibleLine && i < CalAmount.size(); ++i) {
        const int line = lineOf(i);
        // A screen reader names the row by the tape line it shows, counted from 1.
        const QString name = m_rowName.arg(line + 1);
        if (CalAmount[i]->accessibleName() != name)
            CalAmount[i]->setAccessibleName(name);
        setDraft(i, m_session.lineText(line));
        setOperatorCaption(i, m_session.op(line));
        colorRowFromLine(i);
    }
}

void TapeView::clearRows() {
    ScrollNum->setValue(0);
    ScrollNum->setValueMax(0);
    for (int i = 0; i <= m_lineCount; ++i) {
        setOperatorCaption(i, '+'); // the rows start at line 1 again
        CalAmount[i]->setText(QString());
        setRowTextColor(i, Color::Black);
    }
    m_lastVisibleLine = m_lineCount;
    for (int i = 0; i <= m_lineCount; ++i) {
        if (CalAmount[i]->isHidden()) {
            m_lastVisibleLine = i - 1;
            break;
        }
    }
    if (m_interior->isVisible())
        CalAmount.front()->setFocus();
}

QString TapeView::draft(int row) const {
    return CalAmount[row]->text();
}

QString TapeView::digitsOf(const QString& text) const {
    const QString point = QString::fromStdString(m_session.locale().decimalSeparator);
    QString kept;
    for (const QChar c : text)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || QString(c) == point)
            kept += c;
    return kept;
}

void TapeView::setDraft(int row, const QString& text) {
    if (CalAmount[row]->text() != text)
        CalAmount[row]->setText(text);
}

void TapeView::focusCurrentRow(int position) {
    QLineEdit* box = CalAmount[CurrentRow];
    box->setFocus();
    box->setCursorPosition(position);
    CaretPos = box->cursorPosition();
    SelLength = 0;
}

void TapeView::focusRow(int row) {
    CalAmount[row]->setFocus();
}

void TapeView::colorRowFromLine(int row) {
    setRowTextColor(row, m_session.lineIsNegative(lineOf(row)) ? Color::DarkRed : Color::Black);
}

void TapeView::setRowTextColor(int row, int bgrColor) {
    QPalette p = CalAmount[row]->palette();
    if (p.color(QPalette::Text) == colorOf(bgrColor))
        return; // a new palette costs a polish of the box
    p.setColor(QPalette::Text, colorOf(bgrColor));
    CalAmount[row]->setPalette(p);
}

void TapeView::highlightRow(int row, int bgrColor) {
    QPalette p = CalAmount[row]->palette();
    p.setColor(QPalette::Base, colorOf(bgrColor));
    CalAmount[row]->setPalette(p);
}

void TapeView::showOperator(int row, char op) {
    setOperatorCaption(row, op);
}

void TapeView::setOperatorCaption(int row, char op) {
    LumoButton* label = Op[row];
    const QString caption = op == NoOperator ? QString() : QString(QLatin1Char(op));
    if (label->Caption() != caption)
        label->setCaption(caption);
    // The label's colour follows its operator; anything else is silver.
    const int color = operatorColor(op);
    if (label->RenderColor() != color)
        label->setRenderColor(color);
    // A screen reader tells the labels apart by their lines, and the keypad's "+" from them.
    const QString name = operatorLabelName(lineOf(row), op);
    if (label->accessibleName() != name)
        label->setAccessibleName(name);
}

QString TapeView::operatorLabelName(int line, char op) const {
    const auto at = std::string_view("+-x/^").find(op);
    const QString& word = m_operatorWords[at == std::string_view::npos ? 5 : qsizetype(at)];
    return m_operatorName.arg(line + 1).arg(word);
}

void TapeView::showOnTotal(const QString& text, bool centred) {
    TotalAmount->setAlignment(centred ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
    TotalAmount->setText(text);
}

void TapeView::focusTotal() {
    TotalAmount->setFocus();
}

void TapeView::highlightTotal(int bgrColor) {
    applyColors(TotalAmount, {"", -1, 0, 0, 0, 0, bgrColor});
}

void TapeView::holdTotal(bool held) {
    m_totalHeld = held;
    if (held) // the game's digits march in from the right
        TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TapeView::showTotal() {
    if (m_totalHeld)
        return; // the game has the display; the total comes back after it
    const GrandTotal& total = m_session.total();
    TotalAmount->setText(QString::fromStdString(total.text));
    TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter); // a game's end was centred
    QPalette p = TotalAmount->palette();
    p.setColor(QPalette::Text, colorOf(total.color));
    TotalAmount->setPalette(p);
}

} // namespace padrix
