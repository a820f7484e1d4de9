#include "core/CalcFile.h"

#include "core/CalcFileLines.h"
#include "core/TextEncoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace padrix {

namespace {

std::string shortened(std::string_view text) {
    constexpr std::size_t Shown = 40;
    std::string s(text.substr(0, Shown));
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20)
            c = '?';
    return text.size() > Shown ? s + "..." : s;
}

void setError(std::string* error, std::string message) {
    if (error != nullptr)
        *error = std::move(message);
}

} // namespace

std::string formatCalcText(const Tape& tape, const NumberLocale& locale) {
    std::string out;
    out.reserve(CalcFileHeader.size() + 2 + static_cast<std::size_t>(tape.lineCount()) * 16);
    out += CalcFileHeader;
    out += "\r\n";
    for (int i = 0; i < tape.lineCount(); ++i) {
        const char op = tape.op(i);
        // A line without an operator keeps its place with a blank, so that its value is not
        // read back as an operator.
        out.push_back(op == NoOperator ? ' ' : op);
        appendLineValue(out, tape.value(i), locale);
        out += "\r\n";
    }
    return out;
}

namespace {

/// A header with a CR before its end belongs to a file whose lines end at CR alone.
bool headerHasLoneReturn(std::string_view header) {
    const auto cr = header.find('\r');
    return cr != std::string_view::npos && cr + 1 < header.size();
}

/// The text up to the next LF, which `rest` then leaves behind; a text without LF is one line.
std::string_view cutLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return line;
}

/// The message for a file whose first line is a tape line, or nothing.
std::optional<std::string> missingHeader(std::string_view header, const NumberLocale& locale) {
    if (!isTapeLine(header, locale))
        return std::nullopt;
    return QCoreApplication::translate(
               "padrix::CalcFile",
               "its first line (%1) is a tape line: the header line \"%2\" is missing")
        .arg(QString::fromStdString(shortened(header)), QLatin1String(CalcFileHeader))
        .toStdString();
}

/// The lines of a text after its header: its line ends, and one more where the last line has
/// none.
std::size_t countLines(std::string_view body) {
    const auto ends = static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n'));
    return ends + (!body.empty() && body.back() != '\n' ? 1 : 0);
}

/// The tape of a text whose lines end at LF or CR LF; sets `loneReturn` and gives nothing
/// for a text whose lines end at CR alone.
std::optional<Tape> parseLines(std::string_view text, const NumberLocale& locale,
                               std::string* error, bool& loneReturn, std::size_t maxLines) {
    std::string_view body = text;
    const std::string_view header = cutLine(body);
    if (headerHasLoneReturn(header)) {
        loneReturn = true;
        return std::nullopt;
    }
    if (auto message = missingHeader(header, locale)) {
        setError(error, std::move(*message));
        return std::nullopt;
    }

    Tape tape;
    const std::size_t lines = countLines(body);
    if (lines == 0) {
        setError(error, QCoreApplication::translate("padrix::CalcFile",
                                                    "it holds no line after its header")
                            .toStdString());
        return std::nullopt;
    }
    if (lines > maxLines) {
        setError(error, QCoreApplication::translate(
                            "padrix::CalcFile",
                            "the file has %1 lines; a tape holds at most %2 lines (2 GB)")
                            .arg(QString::number(lines), QString::number(maxLines))
                            .toStdString());
        return std::nullopt;
    }
    tape.reserve(static_cast<int>(std::min<std::size_t>(lines, INT_MAX)));
    int lineNumber = 1; // the header
    while (!body.empty()) {
        ++lineNumber;
        const std::string_view line = cutLine(body);
        switch (takeLine(line, locale, tape)) {
        case LineRead::Taken:
            break;
        case LineRead::LoneReturn:
            loneReturn = true;
            return std::nullopt;
        case LineRead::Unreadable:
            setError(error, QCoreApplication::translate(
                                "padrix::CalcFile",
                                "line %1 is neither a number nor a calculation line: %2")
                                .arg(lineNumber)
                                .arg(QString::fromStdString(shortened(line)))
                                .toStdString());
            return std::nullopt;
        }
    }
    return tape;
}

/// The bytes read from a file at a time while it is parsed: few enough to stay in the cache
/// between the read and the parse, many enough that the reads cost nothing.
constexpr std::size_t PieceBytes = std::size_t(128) << 10;

/// The bytes at the start of a file that must hold no NUL: a text file has none, and UTF-16
/// (NULs between its letters) and other binary files show one early.
constexpr std::size_t TextProbeBytes = std::size_t(64) << 10;

/// True when the text, which starts `offset` bytes into a file, holds a NUL within the first
/// TextProbeBytes of the file.
bool nulInProbe(std::string_view text, std::size_t offset = 0) {
    return offset < TextProbeBytes &&
           text.substr(0, TextProbeBytes - offset).find('\0') != std::string_view::npos;
}

/// Reads an ordinary calculation file (UTF-8, lines ending at LF or CR LF, every line
/// readable) from a device that can go back to its start, parsing each piece as it arrives
/// instead of holding the whole file. Gives nothing for any other file, which the caller
/// then reads whole from the start again; whatever this gives, that reading gives too.
std::optional<Tape> readOrdinaryFile(QIODevice& device, const NumberLocale& locale, qint64 maxBytes,
                                     std::size_t maxLines) {
    const qint64 size = device.size() - device.pos();
    if (device.isSequential() || size <= 0 || size > maxBytes)
        return std::nullopt;
    const char point = onePoint(locale);
    std::vector<char> buffer(PieceBytes);
    std::size_t held = 0;     // bytes of an unfinished line at the front of the buffer
    std::size_t consumed = 0; // bytes of the file before the buffer's start
    bool headerRead = false;
    Tape tape;
    for (;;) {
        if (held == buffer.size())
            buffer.resize(2 * buffer.size()); // a line longer than the buffer
        const qint64 n =
            device.read(buffer.data() + held, static_cast<qint64>(buffer.size() - held));
        if (n < 0)
            return std::nullopt;
        const bool atEnd = n == 0;
        const std::string_view text(buffer.data(), held + static_cast<std::size_t>(n));
        if (consumed + text.size() > static_cast<std::size_t>(maxBytes))
            return std::nullopt;
        if (nulInProbe(text, consumed))
            return std::nullopt;
        const std::size_t lastEnd = text.rfind('\n');
        std::string_view lines = atEnd                               ? text
                                 : lastEnd == std::string_view::npos ? std::string_view{}
                                                                     : text.substr(0, lastEnd + 1);
        if (!isValidUtf8(lines))
            return std::nullopt;
        const std::string_view complete = lines;
        while (!lines.empty()) {
            if (headerRead) {
                // The everyday lines straight from the text; any other goes the long way.
                const char* p = lines.data();
                const char* const end = p + lines.size();
                while (p != end && takePlainLine(p, end, point, tape)) {
                }
                lines = std::string_view(p, static_cast<std::size_t>(end - p));
                if (static_cast<std::size_t>(tape.lineCount()) > maxLines)
                    return std::nullopt;
                if (lines.empty())
                    break;
            }
            const std::string_view line = cutLine(lines);
            if (!headerRead) {
                if (headerHasLoneReturn(line) || isTapeLine(line, locale))
                    return std::nullopt;
                headerRead = true;
                // Room for as many lines as the file seems to hold; untouched room costs
                // address space only.
                const auto ends = std::count(complete.begin(), complete.end(), '\n');
                const double perLine = static_cast<double>(complete.size()) /
                                       static_cast<double>(std::max<std::ptrdiff_t>(ends, 1));
                const double guess = static_cast<double>(size) / perLine * 1.125 + 256;
                tape.reserve(static_cast<int>(std::min<double>(guess, double(maxLines))));
                continue;
            }
            if (takeLine(line, locale, tape) != LineRead::Taken ||
                static_cast<std::size_t>(tape.lineCount()) > maxLines)
                return std::nullopt;
        }
        if (atEnd)
            break;
        consumed += complete.size();
        held = text.size() - complete.size();
        std::memmove(buffer.data(), buffer.data() + complete.size(), held);
    }
    if (tape.lineCount() == 0)
        return std::nullopt;
    return tape;
}

} // namespace

std::optional<Tape> parseCalcText(std::string_view text, const NumberLocale& locale,
                                  std::string* error, std::size_t maxLines) {
    if (text.empty()) {
        setError(error, QCoreApplication::translate(
                            "padrix::CalcFile",
                            "the file is empty: a calculation file starts with its header line")
                            .toStdString());
        return std::nullopt;
    }
    // UTF-16 and other binary files are no calculation file, and their bytes would only make
    // a garbled message.
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") || nulInProbe(text)) {
        setError(error,
                 QCoreApplication::translate(
                     "padrix::CalcFile", "it is not a text file (a calculation file is plain text)")
                     .toStdString());
        return std::nullopt;
    }
    std::string converted;
    if (!isValidUtf8(text)) {
        converted = toUtf8(text);
        text = converted;
    }
    bool loneReturn = false;
    auto tape = parseLines(text, locale, error, loneReturn, maxLines);
    if (!loneReturn)
        return tape;
    // A line ends at CR LF, LF or CR alone: lone CRs (old Mac files) become LFs.
    std::string unified(text);
    for (std::size_t i = 0; i < unified.size(); ++i)
        if (unified[i] == '\r' && (i + 1 == unified.size() || unified[i + 1] != '\n'))
            unified[i] = '\n';
    return parseLines(unified, locale, error, loneReturn, maxLines);
}

bool saveCalcFile(const QString& path, const Tape& tape, const NumberLocale& locale,
                  std::string* error, SaveFailure* failure) {
    const QFileInfo info(path);
    // A file without any write permission bit is read-only, even to the administrator.
    constexpr auto WriteBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() &&
        (!info.isFile() || !info.isWritable() || !(info.permissions() & WriteBits))) {
        setError(error, QCoreApplication::translate("padrix::CalcFile",
                                                    "cannot write to %1: the file is read-only")
                            .arg(path)
                            .toStdString());
        if (failure != nullptr)
            *failure = SaveFailure::ReadOnly;
        return false;
    }
    QString reason;
    if (!saveWholeFile(path, formatCalcText(tape, locale), &reason, failure)) {
        setError(error, QCoreApplication::translate("padrix::CalcFile", "cannot write to %1: %2")
                            .arg(path, reason)
                            .toStdString());
        return false;
    }
    return true;
}

std::optional<Tape> loadCalcStream(QIODevice& device, const std::string& name,
                                   const NumberLocale& locale, std::string* error, qint64 maxBytes,
                                   std::size_t maxLines) {
    const qint64 start = device.pos();
    try {
        if (auto tape = readOrdinaryFile(device, locale, maxBytes, maxLines))
            return tape;
    } catch (const std::bad_alloc&) {
        setError(error, QCoreApplication::translate("padrix::CalcFile",
                                                    "cannot read %1: not enough memory")
                            .arg(QString::fromStdString(name))
                            .toStdString());
        return std::nullopt;
    }
    if (!device.isSequential() && !device.seek(start)) {
        setError(error, QCoreApplication::translate("padrix::CalcFile", "cannot read %1: %2")
                            .arg(QString::fromStdString(name), device.errorString())
                            .toStdString());
        return std::nullopt;
    }
    // Any other file is read whole by plain reads, counted by what arrives: a file that
    // shrinks meanwhile, a pipe or standard input (whose size is 0) are bounded alike.
    // The buffer is not cleared before it is read into: that would cost as much as reading.
    std::unique_ptr<char[]> data;
    std::size_t capacity = 0;
    std::size_t used = 0;
    const auto limit = static_cast<std::size_t>(maxBytes) + 1;
    try {
        const qint64 expected = device.isSequential() ? 0 : device.size();
        std::size_t want = static_cast<std::size_t>(std::min(expected, maxBytes)) + 1;
        for (;;) {
            if (used == capacity) {
                if (used >= limit)
                    break;
                std::unique_ptr<char[]> bigger(new char[want]);
                if (used > 0)
                    std::memcpy(bigger.get(), data.get(), used);
                data = std::move(bigger);
                capacity = want;
                want = std::min(std::max<std::size_t>(2 * want, 1 << 20), limit);
            }
            const qint64 n = device.read(data.get() + used, static_cast<qint64>(capacity - used));
            if (n <= 0)
                break;
            used += static_cast<std::size_t>(n);
        }
    } catch (const std::bad_alloc&) {
        setError(error, QCoreApplication::translate("padrix::CalcFile",
                                                    "cannot read %1: not enough memory")
                            .arg(QString::fromStdString(name))
                            .toStdString());
        return std::nullopt;
    }
    if (used > static_cast<std::size_t>(maxBytes)) {
        setError(error, QCoreApplication::translate("padrix::CalcFile",
                                                    "cannot read %1: it is larger than %2 MiB")
                            .arg(QString::fromStdString(name), QString::number(maxBytes >> 20))
                            .toStdString());
        return std::nullopt;
    }
    std::string message;
    try {
        auto tape = parseCalcText(std::string_view(data.get(), used), locale, &message, maxLines);
        if (!tape)
            setError(error, name + ": " + message);
        return tape;
    } catch (const std::bad_alloc&) {
        setError(error, QCoreApplication::translate("padrix::CalcFile",
                                                    "cannot read %1: not enough memory")
                            .arg(QString::fromStdString(name))
                            .toStdString());
        return std::nullopt;
    }
}

std::optional<Tape> loadCalcFile(const QString& path, const NumberLocale& locale,
                                 std::string* error) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        const QString cause =
            QFileInfo(path).isDir()
                ? QCoreApplication::translate("padrix::CalcFile", "it is a folder")
                : file.errorString();
        setError(error, QCoreApplication::translate("padrix::CalcFile", "cannot read %1: %2")
                            .arg(path, cause)
                            .toStdString());
        return std::nullopt;
    }
    return loadCalcStream(file, path.toStdString(), locale, error);
}

QString StripExtension(const QString& name) {
    const auto dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace padrix
