// The function buttons, which wrap the current row's number in a function, and "Edit".
#include "mainwindow/FunctionKeys.h"

#include "controls/LumoButton.h"
#include "dialogs/DialogDesign.h"
#include "dialogs/EFbutton.h"
#include "mainwindow/TapeView.h"
#include "mainwindow/UserAction.h"
#include "mainwindow/WindowLook.h"
#include "session/TapeSession.h"

namespace padrix {

namespace {

constexpr int EditButton = FunctionButtonCount; // the 24th button, "Edit"
constexpr int FunctionColumns[] = {7515, 8370, 9225};
constexpr int FunctionRows[] = {1170, 1890, 2610, 3330, 4095, 4815, 5535, 6255};

/// Where function button `index` stands and how it looks; the caption and tool tip come from
/// the button's definition.
ButtonDesign functionButtonDesign(int index) {
    const ControlDesign at{
        "Stific", index,           FunctionColumns[index % 3], FunctionRows[index / 3], 810,
        690,      Color::ShapeFill};
    const int render = index <= 11 ? 99 : 9999; // #630000 for the functions, #0F2700 below
    return {at, "", nullptr, render, 12, 3};
}

} // namespace

FunctionKeys::FunctionKeys(QWidget* interior, const DesignScale& scale, TapeView& view,
                           TapeSession& session)
    : QObject(interior), m_interior(interior), m_scale(scale), m_view(view), m_session(session) {
    for (int i = 0; i <= EditButton; ++i) {
        const ButtonDesign design = functionButtonDesign(i);
        LumoButton* button = makeButton(interior, design);
        scale.place(button, design.at);
        Stific.append(button);
        onPress(button, this, m_session, m_view, [this, i] { Stific_Click(i); });
    }
    Stific[EditButton]->setCaption(QStringLiteral("Edit")); // a caption of the design, as "Del"
    Stific[EditButton]->setToolTip(tr("Edit function buttons..."));
    showDefinitions();
}

void FunctionKeys::showDefinitions() {
    for (int i = 0; i < FunctionButtonCount; ++i) {
        const FunctionDefinition& definition = m_session.buttons()[i];
        Stific[i]->setCaption(QString::fromStdString(definition.caption));
        Stific[i]->setToolTip(QString::fromStdString(definition.toolTip));
        nameFunctionButton(*Stific[i], i);
    }
}

void FunctionKeys::Stific_Click(int Index) {
    if (Index == EditButton) {
        openEditor();
        return;
    }
    const int row = m_view.CurrentRow;
    QString text = m_view.draft(row);
    // A row that holds a function already is wrapped anew around its bare figures.
    if (text.contains(QLatin1Char('(')) || text.contains(QLatin1Char(')')))
        text = m_view.digitsOf(text);
    const QString e = QString::fromStdString(m_session.buttons()[Index].caption) +
                      QLatin1Char('(') + text + QLatin1Char(')');
    m_view.setDraft(row, e);
    m_session.setText(m_view.lineOf(row), e);
    m_view.focusCurrentRow(static_cast<int>(e.size()) - 1);
}

void FunctionKeys::openEditor() {
    if (m_editor != nullptr) {
        m_editor->raise(); // one editor at a time: the open one comes to the front
        m_editor->activateWindow();
        return;
    }
    m_editor = new EFbutton(m_session.buttons(), m_scale.twipsPerPixel(), m_interior->window());
    m_editor->setAttribute(Qt::WA_DeleteOnClose); // closed is unloaded
    connect(m_editor, &EFbutton::used, this, [this](const FunctionButtons& definitions) {
        m_session.setButtons(definitions); // lines that call a changed button follow it
        showDefinitions();
    });
    m_editor->show(); // the window stays usable meanwhile
    placeBeside(m_editor, m_interior->window());
}

} // namespace padrix
