// The memory register: "M+" stores a row's value or the total, "MR" recalls it into a row,
// "M=" stores a positive total; the label M_Buff shows it.
#include "mainwindow/MemoryKeys.h"

#include "controls/ControlAccessibility.h"
#include "controls/LumoButton.h"
#include "mainwindow/EventRelay.h"
#include "mainwindow/TapeView.h"
#include "mainwindow/UserAction.h"
#include "mainwindow/WindowLook.h"
#include "session/TapeSession.h"

#include <QFrame>
#include <QLabel>

namespace padrix {

namespace {

constexpr int MemoryKey = 213234; // #F24003

enum MemoryKeyIndex { MemoryPlus = 0, MemoryRecall = 1, MemoryEquals = 2 };

const ControlDesign MemoryDesign[] = {
    {"MemBorder", -1, 4050, 1080, 3390, 1005, Color::Memory, Color::ShapeBorder},
    {"M_Buff", -1, 4095, 1125, 3300, 300, Color::Memory, Color::MemoryText},
};

const ButtonDesign MemoryKeysDesign[] = {
    {{"MemoryRc", 0, 5175, 1410, 975, 600, Color::ShapeFill},
     "M+",
     QT_TRANSLATE_NOOP("padrix::Keys", "Store selected value to memory..."),
     MemoryKey,
     18,
     3},
    {{"MemoryRc", 1, 6210, 1395, 1155, 600, Color::ShapeFill},
     "MR",
     QT_TRANSLATE_NOOP("padrix::Keys", "Memory Recall..."),
     MemoryKey,
     18,
     3},
    {{"MemoryRc", 2, 4140, 1395, 975, 600, Color::ShapeFill},
     "M=",
     QT_TRANSLATE_NOOP("padrix::Keys", "Store total to memory..."),
     MemoryKey,
     18,
     3},
};

} // namespace

MemoryKeys::MemoryKeys(QWidget* interior, const DesignScale& scale, TapeView& view,
                       TapeSession& session)
    : QObject(interior), m_view(view), m_session(session) {
    const ControlDesign& border = designOf(MemoryDesign, "MemBorder");
    MemBorder = makeShape(interior, border);
    scale.place(MemBorder, border);

    M_Buff = new QLabel(interior);
    makeReadableLabel(M_Buff, tr("Memory"));
    M_Buff->setText(QStringLiteral("0"));
    scale.place(M_Buff, designOf(MemoryDesign, "M_Buff"));
    applyColors(M_Buff, designOf(MemoryDesign, "M_Buff"));
    M_Buff->setAlignment(Qt::AlignCenter);

    for (int i = 0; i < static_cast<int>(std::size(MemoryKeysDesign)); ++i) {
        LumoButton* key = makeButton(interior, MemoryKeysDesign[i]);
        scale.place(key, MemoryKeysDesign[i].at);
        MemoryRc.append(key);
        onPress(key, this, m_session, m_view, [this, i] { MemoryRc_Click(i); });
        // The total's memory highlight ends when a memory key loses the focus.
        new EventRelay(key, this, [this](QEvent* event) {
            if (event->type() == QEvent::FocusOut)
                m_view.highlightTotal(Color::White);
            return false;
        });
    }
}

void MemoryKeys::MemoryRc_Click(int Index) {
    const int row = m_view.CurrentRow;
    const int line = m_view.lineOf(row);
    switch (Index) {
    case MemoryPlus:
        if (m_view.TotalFocused) {
            m_view.highlightTotal(Color::Memory);
            m_session.memoryFromTotal();
        } else {
            m_session.memoryFromLine(line);
            m_view.highlightRow(row, Color::Memory);
        }
        setReadableText(M_Buff, m_session.memoryText());
        break;
    case MemoryRecall:
        m_session.memoryRecall(line);
        m_view.setDraft(row, m_session.memoryText());
        break;
    case MemoryEquals:
        m_session.memoryEquals();
        setReadableText(M_Buff,
                        QString::fromStdString(m_session.memory().text(m_session.locale())));
        break;
    default:
        break;
    }
}

} // namespace padrix
