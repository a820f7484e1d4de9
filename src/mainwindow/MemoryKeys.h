#pragma once

#include "mainwindow/ControlDesign.h"

#include <QObject>
#include <QVector>

class QFrame;
class QLabel;
class QWidget;

namespace padrix {

class LumoButton;
class TapeSession;
class TapeView;

/// The memory register's keys MemoryRc ("M+" stores the row's value, or the total after a click
/// into the total box; "MR" recalls it into the row; "M=" stores a positive total) and its
/// display M_Buff in the frame MemBorder.
class MemoryKeys : public QObject {
    Q_OBJECT

public:
    MemoryKeys(QWidget* interior, const DesignScale& scale, TapeView& view, TapeSession& session);

    QLabel* M_Buff = nullptr;
    QVector<LumoButton*> MemoryRc;

private:
    void MemoryRc_Click(int Index);

    TapeView& m_view;
    TapeSession& m_session;
    QFrame* MemBorder = nullptr;
};

} // namespace padrix
