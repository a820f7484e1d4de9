// Undo and redo of the tape: every user action that changes the tape becomes one step of a
// QUndoStack, holding only what it changed (a line's earlier contents, or the whole earlier
// tape), with the scroll position before and after.
#include "mainwindow/Diruvuv_Orozezadi.h"

#include "controls/VantoVerticalScroll.h"

#include <QAction>
#include <QUndoCommand>
#include <QUndoStack>

namespace padrix {

namespace {

constexpr int TypingStepId = 1; // steps of typing into one row merge into one

} // namespace

/// One step: the changes to take back, and after an undo, the changes to make again.
class TapeStepCommand : public QUndoCommand {
public:
    TapeStepCommand(Diruvuv_Orozezadi& window, TapeChanges changes, int scrollBefore,
                    int scrollAfter, int typedLine, int session)
        : m_window(window), m_changes(std::move(changes)), m_scrollBefore(scrollBefore),
          m_scrollAfter(scrollAfter), m_typedLine(typedLine), m_session(session) {}

    void undo() override { m_window.applyTapeStep(m_changes, m_scrollBefore); }
    void redo() override {
        if (std::exchange(m_made, false))
            return; // pushed after the change was made
        m_window.applyTapeStep(m_changes, m_scrollAfter);
    }
    int id() const override { return m_typedLine >= 0 ? TypingStepId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        auto* later = const_cast<TapeStepCommand*>(static_cast<const TapeStepCommand*>(other));
        if (later->m_typedLine != m_typedLine || later->m_session != m_session)
            return false;
        m_changes.absorb(std::move(later->m_changes));
        m_scrollAfter = later->m_scrollAfter;
        return true;
    }

    std::size_t bytes() const { return m_changes.bytes(); }
    /// Frees the step's memory; a dropped step can no longer be taken back.
    void drop() {
        m_changes = {};
        m_dropped = true;
    }
    bool dropped() const { return m_dropped; }

private:
    Diruvuv_Orozezadi& m_window;
    TapeChanges m_changes;
    int m_scrollBefore;
    int m_scrollAfter;
    int m_typedLine; // the line typed into, -1 for any other step
    int m_session;   // typing steps merge within one session of editing a row
    bool m_made = true;
    bool m_dropped = false;
};

namespace {

TapeStepCommand* stepAt(const QUndoStack* stack, int index) {
    return const_cast<TapeStepCommand*>(static_cast<const TapeStepCommand*>(stack->command(index)));
}

} // namespace

void Diruvuv_Orozezadi::createUndo() {
    undoStack = new QUndoStack(this);
    undoStack->setUndoLimit(MaxUndoSteps);
    connect(undoStack, &QUndoStack::indexChanged, this, &Diruvuv_Orozezadi::updateUndoActions);
    updateUndoActions();
}

void Diruvuv_Orozezadi::startRecordingTape() {
    m.tape.recordChangesIn(&pendingChanges);
}

void Diruvuv_Orozezadi::beginTapeStep() {
    if (stepDepth++ == 0)
        scrollBeforeStep = ScrollNum->Value();
}

void Diruvuv_Orozezadi::endTapeStep(bool typing) {
    if (--stepDepth == 0)
        commitTapeStep(typing);
}

void Diruvuv_Orozezadi::commitTapeStep(bool typing) {
    if (undoStack == nullptr || pendingChanges.empty())
        return;
    if (!pendingChanges.significant(m.tape)) {
        pendingChanges = {}; // padding, or a change made and taken back within the action
        return;
    }
    const int line = typing ? pendingChanges.onlyLine() : -1;
    if (line < 0)
        ++editSession; // typing after any other step is a step of its own
    undoStack->push(new TapeStepCommand(*this, std::exchange(pendingChanges, {}), scrollBeforeStep,
                                        ScrollNum->Value(), line, editSession));
    keepUndoBudget();
}

void Diruvuv_Orozezadi::keepUndoBudget() {
    // The newest steps are kept, the oldest dropped, until the steps fit the budget.
    std::size_t bytes = 0;
    for (int i = undoStack->count() - 1; i >= 0; --i) {
        TapeStepCommand* command = stepAt(undoStack, i);
        if (command->dropped())
            continue;
        bytes += command->bytes();
        if (bytes > m_context.undoBudget)
            command->drop();
    }
    updateUndoActions();
}

std::size_t Diruvuv_Orozezadi::undoHistoryBytes() const {
    std::size_t bytes = pendingChanges.bytes();
    for (int i = 0; i < undoStack->count(); ++i)
        bytes += stepAt(undoStack, i)->bytes();
    return bytes;
}

void Diruvuv_Orozezadi::applyTapeStep(TapeChanges& changes, int scroll) {
    changes = changes.revert(m.tape);
    ScrollNum->setValueMax(std::max(0, m.tape.lineCount() - 1 - m.LastVisibleLine));
    ScrollNum->setValue(std::min(scroll, ScrollNum->ValueMax()));
    ScrollNum_Change(); // the rows show the lines even where the position stays
    MailCalc();
}

void Diruvuv_Orozezadi::UndoStep_Click() {
    commitTapeStep(false); // whatever is pending is a step of its own first
    pendingChanges = {};
    if (!UndoStep->isEnabled())
        return;
    ++editSession; // typing after an undo is a new step
    undoStack->undo();
    pendingChanges = {}; // the rows' refill is no change of the user's
}

void Diruvuv_Orozezadi::RedoStep_Click() {
    commitTapeStep(false);
    pendingChanges = {};
    if (!undoStack->canRedo())
        return;
    ++editSession;
    undoStack->redo();
    pendingChanges = {};
}

void Diruvuv_Orozezadi::updateUndoActions() {
    const int index = undoStack->index();
    UndoStep->setEnabled(index > 0 && !stepAt(undoStack, index - 1)->dropped());
    RedoStep->setEnabled(undoStack->canRedo());
}

} // namespace padrix
