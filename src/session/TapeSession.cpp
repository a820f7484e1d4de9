#include "session/TapeSession.h"

#include "core/CalcFile.h"
#include "core/ClipboardText.h"
#include "core/Statistics.h"
#include "numbers/CalcFailure.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace padrix {

/// One step of the undo history: the changes to take back (after an undo, the changes to make
/// again) and where the tape was shown before and after it.
struct TapeSession::Step {
    TapeChanges changes;
    int positionBefore = 0;
    int positionAfter = 0;
    int typedLine = -1; // the line typed into, -1 for any other step
    int editSession = 0;
    bool dropped = false; // dropped for the memory budget: it can no longer be taken back
};

/// The steps, the oldest first; the ones at `done` and after it can be made again.
class TapeSession::History {
public:
    explicit History(std::size_t budget) : m_budget(budget) {}

    void push(Step step) {
        m_steps.resize(m_done); // what was undone can no longer be made again
        Step* top = m_done > 0 ? &m_steps[m_done - 1] : nullptr;
        if (top != nullptr && step.typedLine >= 0 && top->typedLine == step.typedLine &&
            top->editSession == step.editSession && !top->dropped) {
            top->changes.absorb(std::move(step.changes));
            top->positionAfter = step.positionAfter;
        } else {
            m_steps.push_back(std::move(step));
            if (static_cast<int>(m_steps.size()) > MaxUndoSteps)
                m_steps.erase(m_steps.begin());
        }
        m_done = m_steps.size();
        keepBudget();
    }

    bool canUndo() const { return m_done > 0 && !m_steps[m_done - 1].dropped; }
    bool canRedo() const { return m_done < m_steps.size(); }
    Step& toUndo() { return m_steps[--m_done]; }
    Step& toRedo() { return m_steps[m_done++]; }

    std::size_t bytes() const {
        std::size_t total = 0;
        for (const Step& step : m_steps)
            total += step.changes.bytes();
        return total;
    }

private:
    /// The newest steps are kept, the oldest dropped, until the steps fit the budget.
    void keepBudget() {
        std::size_t total = 0;
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
            if (step->dropped)
                continue;
            total += step->changes.bytes();
            if (total > m_budget) {
                step->changes = {};
                step->dropped = true;
            }
        }
    }

    std::size_t m_budget;
    std::vector<Step> m_steps;
    std::size_t m_done = 0; // steps made; the last of them is the one to undo
};

namespace {

/// A line's text when it reads as a number; group separators are left out first.
std::string withoutGroups(const QString& text, const NumberLocale& locale) {
    QString plain = text;
    if (!locale.groupSeparator.empty())
        plain.remove(QString::fromStdString(locale.groupSeparator));
    return plain.toStdString();
}

/// The operator that follows `op` when its label is clicked; line 0 never divides or raises.
char nextOperator(char op, bool firstLine) {
    switch (op) {
    case '+':
        return '-';
    case '-':
        return 'x';
    case 'x':
        return firstLine ? '+' : '/';
    case '/':
        return '^';
    case '^':
        return '+';
    default:
        return op;
    }
}

const Value NoValue;

} // namespace

TapeSession::TapeSession(const NumberLocale& locale, std::size_t undoBudget, QObject* parent)
    : QObject(parent), m_locale(locale), m_history(std::make_unique<History>(undoBudget)) {}

TapeSession::~TapeSession() {
    m_tape.recordChangesIn(nullptr);
}

const Value& TapeSession::value(int line) const {
    return line >= 0 && line < m_tape.lineCount() ? m_tape.value(line) : NoValue;
}

char TapeSession::op(int line) const {
    return line >= 0 && line < m_tape.lineCount() ? m_tape.op(line) : '+';
}

QString TapeSession::lineText(int line) const {
    const Value& v = value(line);
    if (v.isExpressionText())
        return QString::fromUtf8(v.textValue().data(),
                                 static_cast<qsizetype>(v.textValue().size()));
    if (v.isBlank())
        return {};
    return QString::fromStdString(displayText(v, m_decimalsChoice, m_locale));
}

bool TapeSession::lineIsNegative(int line) const {
    const Value& v = value(line);
    switch (v.kind()) {
    case Value::Kind::Decimal:
        return v.decimal().isNegative() && !v.decimal().isZero();
    case Value::Kind::Double:
        return v.number() < 0;
    case Value::Kind::Text:
        return v.textValue().starts_with('-');
    case Value::Kind::Empty:
        break;
    }
    return false;
}

QString TapeSession::memoryText() const {
    return QString::fromStdString(m_decimalsChoice == VariableDecimals
                                      ? m_memory.text(m_locale)
                                      : displayText(m_memory, m_decimalsChoice, m_locale));
}

bool TapeSession::canUndo() const {
    return m_history->canUndo();
}

bool TapeSession::canRedo() const {
    return m_history->canRedo();
}

std::size_t TapeSession::undoBytes() const {
    return m_history->bytes() + m_pending.bytes();
}

void TapeSession::changed(int first, int last) {
    emit linesChanged(first, last);
    recalculate();
}

void TapeSession::replaced() {
    emit tapeReset();
    recalculate();
}

void TapeSession::storeRowText(int line, const QString& text) {
    if (line >= m_tape.lineCount() && text.isEmpty())
        return; // an empty row past the end is no line yet
    if (value(line).isExpressionText())
        setText(line, text); // a function line or percentage keeps its text
    else if (text.isEmpty())
        setValue(line, Decimal{});
    else
        storeNumber(line, text);
}

void TapeSession::storeNumber(int line, const QString& text) {
    const std::string plain = withoutGroups(text, m_locale);
    try {
        setValue(line, textToDecimal(plain, m_locale));
    } catch (const CalcError& e) {
        // A number beyond the decimal range stays what the row shows, so the total says
        // "Overflow" as it does for such a line loaded from a file; a text that is no number
        // (a lone separator while typing) leaves the line as it was.
        if (e.kind() == CalcFailure::Overflow)
            setValue(line, plain);
    }
}

void TapeSession::setText(int line, const QString& text) {
    setValue(line, text.toStdString());
}

void TapeSession::setValue(int line, const Value& value) {
    m_tape.setValue(line, value);
    changed(line, line);
}

void TapeSession::setOperator(int line, char op) {
    if (line >= m_tape.lineCount() && op == '+')
        return; // a row past the end shows "+" already
    m_tape.setOperator(line, op);
    emit linesChanged(line, line);
}

void TapeSession::cycleOperator(int line) {
    m_tape.ensureLines(line + 1);
    m_tape.setOperator(line, nextOperator(m_tape.op(line), line == 0));
    changed(line, line);
}

void TapeSession::growTo(int lines, char op) {
    m_tape.ensureLines(lines - 1); // the "+" rows of a short tape become lines
    m_tape.resize(lines);
    m_tape.setOperator(lines - 1, op);
    emit linesChanged(std::max(lines - 2, 0), lines - 1);
}

void TapeSession::clearAll(int rows) {
    m_tape.clear(std::max(m_tape.lineCount(), rows));
    for (int i = 0; i < rows; ++i) {
        m_tape.setOperator(i, '+');
        m_tape.setValue(i, Decimal{});
    }
    emit tapeReset();
    m_total = {};
    emit totalChanged();
}

void TapeSession::paste(std::string_view text) {
    // The text is read before the tape is cleared: one too large for memory leaves the tape
    // as it was (the caller sees the exception).
    Tape pasted = pasteTape(text, m_locale);
    // It replaces the tape as Clear All would, and then is the tape: the pasted lines and no
    // more (an empty text pastes one empty line), so that Copy and Save give back what was
    // pasted.
    if (pasted.lineCount() == 0)
        pasted.append('+', Value());
    m_tape = std::move(pasted);
    m_total = {};
    replaced();
}

void TapeSession::restore(Tape tape) {
    m_tape = std::move(tape);
    m_total = {};
    replaced();
}

void TapeSession::sort() {
    m_tape.rearrangeValues(sortTapeValues);
    replaced(); // the operators stay where they were, so the total changes with the values
}

std::optional<std::string> TapeSession::open(const QString& path) {
    return adopt(path, readCalcFile(path, m_locale));
}

std::optional<std::string> TapeSession::open(CalcFileReading& reading) {
    if (!reading.pending() || reading.locale() != m_locale)
        return open(reading.path());
    CalcFileRead read = reading.take();
    // The early reading may have run before the texts' language was chosen: a failure is
    // read again here, to say why in the user's language.
    if (!read.tape)
        return open(reading.path());
    return adopt(reading.path(), std::move(read));
}

std::optional<std::string> TapeSession::adopt(const QString& path, CalcFileRead read) {
    if (!read.tape)
        return std::move(read.error);
    m_currentFile = path;
    m_tape = std::move(*read.tape);
    replaced();
    return std::nullopt;
}

bool TapeSession::save(const QString& path, std::string* error, SaveFailure* failure) {
    m_currentFile = path;
    return saveCalcFile(path, m_tape, m_locale, error, failure);
}

void TapeSession::memoryFromLine(int line) {
    m_memory = value(line);
    emit memoryChanged();
}

void TapeSession::memoryFromTotal() {
    const std::string& t = m_total.text;
    if (t.find('(') != std::string::npos) {
        m_memory = t;
    } else if (t.empty()) {
        m_memory = Decimal{};
    } else {
        try {
            m_memory = textToDecimal(t, m_locale);
        } catch (const CalcError&) {
            return; // an error word or a statistic is no number: the memory stays as it was
        }
    }
    emit memoryChanged();
}

void TapeSession::memoryRecall(int line) {
    setValue(line, m_memory);
}

void TapeSession::memoryEquals() {
    // Only a positive total: a zero, a negative total or an error word leave it alone.
    try {
        const Decimal t = textToDecimal(m_total.text, m_locale);
        if (t > Decimal{})
            m_memory = t;
    } catch (const CalcError&) {
        // not a number
    }
    emit memoryChanged();
}

void TapeSession::setDecimalsChoice(int choice) {
    m_decimalsChoice = choice;
    emit formatChanged();
    emit memoryChanged();
    recalculate(); // the total in the new format at once, like the rows
}

void TapeSession::setTotalMode(int mode) {
    m_totalMode = mode;
    emit formatChanged();
    recalculate();
}

void TapeSession::setButtons(const FunctionButtons& buttons) {
    m_buttons = buttons;
    recalculate(); // lines that call a changed button follow it
}

void TapeSession::recalculate() {
    RecalcSettings settings;
    settings.DecimalsChoice = m_decimalsChoice;
    settings.TotalMode = m_totalMode;
    settings.buttons = &m_buttons;
    settings.locale = m_locale;
    // Only the lines from the first one changed on are worked again.
    m_total =
        m_running.total(m_tape, settings, m_tape.takeFirstChanged(), m_total.text, &m_sortedValues);
    emit totalChanged();
}

void TapeSession::startRecording() {
    m_tape.recordChangesIn(&m_pending);
    m_recording = true;
}

void TapeSession::beginAction(int position) {
    if (m_depth++ == 0)
        m_positionBefore = position;
}

void TapeSession::endAction(int position, bool typing) {
    if (--m_depth == 0)
        commitStep(typing, position);
}

void TapeSession::commitStep(bool typing, int position) {
    if (!m_recording || m_pending.empty())
        return;
    if (!m_pending.significant(m_tape)) {
        m_pending = {}; // padding, or a change made and taken back within the action
        return;
    }
    const int line = typing ? m_pending.onlyLine() : -1;
    if (line < 0)
        ++m_editSession; // typing after any other step is a step of its own
    m_history->push(
        {std::exchange(m_pending, {}), m_positionBefore, position, line, m_editSession, false});
    emit undoChanged();
}

std::optional<int> TapeSession::applyStep(bool undoing, int position) {
    commitStep(false, position); // whatever is pending is a step of its own first
    m_pending = {};
    if (undoing ? !m_history->canUndo() : !m_history->canRedo())
        return std::nullopt;
    ++m_editSession; // typing after an undo or a redo is a new step
    Step& step = undoing ? m_history->toUndo() : m_history->toRedo();
    m_tape.recordChangesIn(nullptr);
    step.changes = step.changes.revert(m_tape);
    m_tape.recordChangesIn(&m_pending);
    m_pending = {};
    replaced();
    emit undoChanged();
    return undoing ? step.positionBefore : step.positionAfter;
}

std::optional<int> TapeSession::undo(int position) {
    return applyStep(true, position);
}

std::optional<int> TapeSession::redo(int position) {
    return applyStep(false, position);
}

} // namespace padrix
