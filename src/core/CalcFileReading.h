#pragma once

#include "core/Tape.h"
#include "numbers/NumberText.h"

#include <QString>

#include <future>
#include <optional>
#include <string>

namespace padrix {

/// A calculation file as read: its tape, or why it could not be read.
struct CalcFileRead {
    std::optional<Tape> tape;
    std::string error; // when there is no tape
};

/// Reads the calculation file at `path`; a path that is no file "does not exist".
CalcFileRead readCalcFile(const QString& path, const NumberLocale& locale);

/// A calculation file read on a thread of its own, so that the window is built while a long
/// file is read. Whoever opens the file takes the result, or leaves it where the file or the
/// locale turned out to be another.
class CalcFileReading {
public:
    CalcFileReading(QString path, NumberLocale locale);
    /// Waits for a reading that nobody took.
    ~CalcFileReading();
    CalcFileReading(const CalcFileReading&) = delete;
    CalcFileReading& operator=(const CalcFileReading&) = delete;

    const QString& path() const { return m_path; }
    const NumberLocale& locale() const { return m_locale; }
    /// True when the result can still be taken.
    bool pending() const { return m_result.valid(); }
    /// Waits for the reading and gives its result; once only.
    CalcFileRead take();

private:
    QString m_path;
    NumberLocale m_locale;
    std::future<CalcFileRead> m_result;
};

} // namespace padrix
