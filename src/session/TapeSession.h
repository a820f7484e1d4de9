#pragma once

// moc reads headers as C++17 and stumbles over the C++20 library headers these include.
#ifndef Q_MOC_RUN
#include "core/CalcFileReading.h"
#include "core/FunctionButtons.h"
#include "core/Recalculation.h"
#include "core/SafeSave.h"
#include "core/Tape.h"
#endif

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace padrix {

/// The one truth of a calculator window: the tape, the decimals choice and the total mode, the
/// running total, the memory, the function buttons in use, the current file and the undo
/// history. Every user action is one operation; each announces what it changed, and the views
/// redraw that. Linked with Qt Core only, so that it is tested without any widget.
///
/// Lines are counted from 0. A line at or past lineCount() is no part of the tape: a view shows
/// it as an empty "+" line, and writing there makes the tape reach that far.
class TapeSession : public QObject {
    Q_OBJECT

public:
    /// Steps the undo history keeps at most.
    static constexpr int MaxUndoSteps = 100;

    /// `undoBudget`: the memory the undo history may hold, in bytes; the oldest steps go
    /// beyond it.
    TapeSession(const NumberLocale& locale, std::size_t undoBudget, QObject* parent = nullptr);
    ~TapeSession() override;

    // What the session holds.
    const Tape& tape() const { return m_tape; }
    int lineCount() const { return m_tape.lineCount(); }
    /// A line's operand; empty past the end.
    const Value& value(int line) const;
    /// A line's operator; "+" past the end, as an empty row shows it.
    char op(int line) const;
    /// A line's operand as its row shows it: a function line or percentage as it stands, a
    /// zero or an empty operand as nothing, any other in the display format.
    QString lineText(int line) const;
    /// True when a line's row shows a negative number (dark red).
    bool lineIsNegative(int line) const;
    const NumberLocale& locale() const { return m_locale; }
    int decimalsChoice() const { return m_decimalsChoice; }
    int totalMode() const { return m_totalMode; }
    /// The grand total as last worked out; "" after Clear All.
    const GrandTotal& total() const { return m_total; }
    const Value& memory() const { return m_memory; }
    /// The memory as its display shows it.
    QString memoryText() const;
    const FunctionButtons& buttons() const { return m_buttons; }
    /// The calculation file last chosen, opened or saved; "" when none.
    const QString& currentFile() const { return m_currentFile; }
    bool canUndo() const;
    bool canRedo() const;
    /// The memory the undo history holds, in bytes.
    std::size_t undoBytes() const;

    // Writing a line. Each works the total out again unless said otherwise.
    /// A row's text as typed: a function line or percentage keeps its text, an empty row is
    /// 0, any other text is stored as the number it reads as (storeNumber).
    void storeRowText(int line, const QString& text);
    /// The number a row's text reads as, without group separators; a number beyond the decimal
    /// range keeps its text (the total then says "Overflow"); a text that is no number leaves
    /// the line as it was.
    void storeNumber(int line, const QString& text);
    /// A line form as it stands (Sin(30), 10%).
    void setText(int line, const QString& text);
    void setValue(int line, const Value& value);
    /// A line's operator; "+" past the end adds no line. The total is not worked out: an
    /// operator on its own changes no total that a view shows before the next entry.
    void setOperator(int line, char op);
    /// The next operator of the cycle + - x / ^ (the first line only + - x).
    void cycleOperator(int line);
    /// The tape grows to `lines` lines, the rows before the new last line becoming "+" lines
    /// where there were none; the last line gets `op`. The total is not worked out.
    void growTo(int lines, char op);
    /// Clear All: lines 0 .. rows - 1 become "+" with 0, the lines after them empty; the tape
    /// keeps its length. The total shows nothing until the next change.
    void clearAll(int rows);
    /// The tape becomes the lines of `text` (a column or a ledger export); the total shows
    /// nothing until they are worked out.
    void paste(std::string_view text);
    /// The tape becomes `tape` (one the journal kept), its total worked out anew.
    void restore(Tape tape);
    /// Every number ascending, the function lines after them, zeros and empty lines at the end.
    void sort();
    /// Replaces the tape by a calculation file's; nothing changes where it cannot be read,
    /// and the reason is given.
    std::optional<std::string> open(const QString& path);
    /// The same with a file read already: its result where it was read in the session's
    /// locale, else the file read again.
    std::optional<std::string> open(CalcFileReading& reading);
    /// Writes the tape to a calculation file; false, with the reason, when it cannot.
    bool save(const QString& path, std::string* error = nullptr, SaveFailure* failure = nullptr);

    // The memory.
    void memoryFromLine(int line);
    /// The total into the memory when it is a number (a function-line total as its text).
    void memoryFromTotal();
    void memoryRecall(int line);
    /// The total into the memory when it is a positive number.
    void memoryEquals();

    // Settings of the view.
    void setDecimalsChoice(int choice);
    void setTotalMode(int mode);
    void setButtons(const FunctionButtons& buttons);
    /// Works the total out again.
    void recalculate();

    // Undo. A view tells where it shows the tape (its first visible line) when an action
    // begins and ends; undo and redo give back where to show it.
    /// From here on the tape's changes are recorded (after the start-up's own).
    void startRecording();
    /// An action of the user begins; actions nest, the outermost one is the step.
    void beginAction(int position);
    /// The action ends; `typing` steps into one line merge until newEditSession().
    void endAction(int position, bool typing = false);
    /// Typing from here on is a step of its own (the focus moved to another row).
    void newEditSession() { ++m_editSession; }
    /// Takes the last step back (what is pending first becomes a step of its own, ending where
    /// the view shows the tape now, `position`); gives where to show the tape, nothing when
    /// nothing was undone.
    std::optional<int> undo(int position);
    std::optional<int> redo(int position);

signals:
    /// Lines first..last changed their operator or operand (the tape may have grown to them).
    void linesChanged(int first, int last);
    /// The whole tape was replaced, cleared or reordered.
    void tapeReset();
    void totalChanged();
    void memoryChanged();
    void undoChanged();
    /// The decimals choice or the total mode changed.
    void formatChanged();

private:
    struct Step;
    class History;
    void changed(int first, int last);
    void replaced();
    /// The tape of a file read, or why it could not be read.
    std::optional<std::string> adopt(const QString& path, CalcFileRead read);
    void commitStep(bool typing, int position);
    std::optional<int> applyStep(bool undoing, int position);

    NumberLocale m_locale;
    Tape m_tape;
    RunningTotal m_running;
    GrandTotal m_total;
    std::vector<Value> m_sortedValues; // the working copy of the Mean and the Mode
    int m_decimalsChoice = VariableDecimals;
    int m_totalMode = TotalNumbers;
    Value m_memory;
    FunctionButtons m_buttons = defaultFunctionButtons();
    QString m_currentFile;
    std::unique_ptr<History> m_history;
    TapeChanges m_pending; // recorded since the last step
    int m_depth = 0;       // actions in progress, nested
    int m_positionBefore = 0;
    int m_editSession = 0;
    bool m_recording = false;
};

} // namespace padrix
