#pragma once

#include "mainwindow/ControlDesign.h"

#include <QObject>
#include <QPointer>
#include <QVector>

class QWidget;

namespace padrix {

class EFbutton;
class LumoButton;
class TapeSession;
class TapeView;

/// The function buttons Stific 0..22, which wrap the current row's number in their function,
/// and Stific 23, "Edit", which opens their editor beside the window.
class FunctionKeys : public QObject {
    Q_OBJECT

public:
    FunctionKeys(QWidget* interior, const DesignScale& scale, TapeView& view, TapeSession& session);

    /// Shows the session's definitions (captions and tool tips) on the buttons.
    void showDefinitions();

    QVector<LumoButton*> Stific;

private:
    void Stific_Click(int Index);
    /// Opens the editor of the function buttons, or brings the open one to the front.
    void openEditor();

    QWidget* m_interior;
    const DesignScale& m_scale;
    TapeView& m_view;
    TapeSession& m_session;
    QPointer<EFbutton> m_editor; // while the editor is open
};

} // namespace padrix
