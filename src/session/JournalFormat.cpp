// The journal's bytes: records, their checksums and the reading that stops at the first one
// that is not whole.
#include "session/JournalFormat.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace padrix {

namespace {

constexpr std::string_view Magic = "PADRIXJ1";
constexpr std::uint8_t SnapshotType = 1;
constexpr std::uint8_t LinesType = 2;
constexpr std::size_t FrameBytes = 8; // payload length and CRC
/// A journal larger than this is read only this far.
constexpr qint64 MaxJournalBytes = qint64(2) << 30;
/// A line in a record takes at least its operator and its value's kind.
constexpr std::size_t MinLineBytes = 2;

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr auto CrcTable = crcTable();

/// CRC-32 (the polynomial of zip and PNG).
std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char b : bytes)
        c = CrcTable[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

template <class T> void put(std::string& out, T v) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T)); // the journal is little-endian, as the machines it runs on
    out.append(bytes, sizeof(T));
}

void putLine(std::string& out, char op, const Value& value) {
    out.push_back(op);
    out.push_back(static_cast<char>(value.kind()));
    switch (value.kind()) {
    case Value::Kind::Empty:
        break;
    case Value::Kind::Decimal: {
        const Decimal d = value.decimal();
        put<std::uint64_t>(out, d.low());
        put<std::uint32_t>(out, d.high());
        out.push_back(static_cast<char>(d.scale()));
        out.push_back(d.isNegative() ? 1 : 0);
        break;
    }
    case Value::Kind::Double:
        put<double>(out, value.number());
        break;
    case Value::Kind::Text:
        put<std::uint32_t>(out, static_cast<std::uint32_t>(value.textValue().size()));
        out.append(value.textValue());
        break;
    }
}

/// Frames a payload whose first FrameBytes bytes were left for the frame.
std::string framed(std::string payload) {
    const std::string_view body = std::string_view(payload).substr(FrameBytes);
    const auto length = static_cast<std::uint32_t>(body.size());
    const std::uint32_t crc = crc32(body);
    std::memcpy(payload.data(), &length, 4);
    std::memcpy(payload.data() + 4, &crc, 4);
    return payload;
}

std::string payloadStart(std::uint8_t type, qint64 time, std::size_t reserve) {
    std::string out;
    out.reserve(FrameBytes + 9 + reserve);
    out.resize(FrameBytes);
    out.push_back(static_cast<char>(type));
    put<qint64>(out, time);
    return out;
}

/// Reads the items of one payload; any read past its end fails.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    template <class T> bool get(T& v) {
        if (m_bytes.size() < sizeof(T))
            return false;
        std::memcpy(&v, m_bytes.data(), sizeof(T));
        m_bytes.remove_prefix(sizeof(T));
        return true;
    }
    bool line(char& op, Value& value) {
        std::uint8_t kind = 0;
        if (!get(op) || !get(kind) || !(op == NoOperator || isOperator(op)))
            return false;
        switch (static_cast<Value::Kind>(kind)) {
        case Value::Kind::Empty:
            value = Value();
            return true;
        case Value::Kind::Decimal: {
            std::uint64_t low = 0;
            std::uint32_t high = 0;
            std::uint8_t scale = 0;
            std::uint8_t negative = 0;
            if (!get(low) || !get(high) || !get(scale) || !get(negative) ||
                scale > Decimal::MaxScale || negative > 1)
                return false;
            value = Decimal::fromParts(low, high, scale, negative != 0);
            return true;
        }
        case Value::Kind::Double: {
            double d = 0;
            if (!get(d))
                return false;
            value = d;
            return true;
        }
        case Value::Kind::Text: {
            std::uint32_t n = 0;
            if (!get(n) || m_bytes.size() < n)
                return false;
            value = m_bytes.substr(0, n);
            m_bytes.remove_prefix(n);
            return true;
        }
        }
        return false;
    }
    std::size_t left() const { return m_bytes.size(); }

private:
    std::string_view m_bytes;
};

/// Applies one record's payload to `tape`; false, with the tape as it was, when the payload
/// is no record this journal writes.
bool applyRecord(std::string_view payload, JournalTape& state, bool& started) {
    Reader in(payload);
    std::uint8_t type = 0;
    qint64 time = 0;
    if (!in.get(type) || !in.get(time))
        return false;
    if (type == SnapshotType) {
        std::uint32_t count = 0;
        if (!in.get(count) || count > MaxTapeLines || count > in.left() / MinLineBytes)
            return false;
        Tape tape;
        tape.reserve(static_cast<int>(count));
        for (std::uint32_t i = 0; i < count; ++i) {
            char op = 0;
            Value value;
            if (!in.line(op, value))
                return false;
            tape.append(op, std::move(value));
        }
        if (in.left() != 0)
            return false;
        state.tape = std::move(tape);
        state.time = time;
        started = true;
        return true;
    }
    if (type != LinesType || !started)
        return false;
    std::uint32_t length = 0;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    if (!in.get(length) || !in.get(first) || !in.get(count) || length > MaxTapeLines ||
        count > in.left() / MinLineBytes || std::uint64_t(first) + count > length)
        return false;
    // Lines the tape grows by are all in the record.
    const auto before = static_cast<std::uint32_t>(state.tape.lineCount());
    if (length > before && (first > before || first + count < length))
        return false;
    std::vector<std::pair<char, Value>> lines(count);
    for (auto& [op, value] : lines)
        if (!in.line(op, value))
            return false;
    if (in.left() != 0)
        return false;
    state.tape.resize(static_cast<int>(length));
    for (std::uint32_t i = 0; i < count; ++i) {
        const int line = static_cast<int>(first + i);
        state.tape.setOperator(line, lines[i].first);
        state.tape.setValue(line, std::move(lines[i].second));
    }
    state.time = time;
    return true;
}

} // namespace

std::string journalHeader() {
    return std::string(Magic);
}

std::string snapshotRecord(const Tape& tape, qint64 time) {
    std::string out = payloadStart(SnapshotType, time, std::size_t(tape.lineCount()) * 16);
    put<std::uint32_t>(out, static_cast<std::uint32_t>(tape.lineCount()));
    for (int i = 0; i < tape.lineCount(); ++i)
        putLine(out, tape.op(i), tape.value(i));
    return framed(std::move(out));
}

std::string linesRecord(const Tape& tape, int first, int last, qint64 time) {
    first = std::max(first, 0);
    last = std::min(last, tape.lineCount() - 1);
    const int count = std::max(last - first + 1, 0);
    std::string out = payloadStart(LinesType, time, 12 + std::size_t(count) * 16);
    put<std::uint32_t>(out, static_cast<std::uint32_t>(tape.lineCount()));
    put<std::uint32_t>(out, static_cast<std::uint32_t>(first));
    put<std::uint32_t>(out, static_cast<std::uint32_t>(count));
    for (int i = first; i <= last; ++i)
        putLine(out, tape.op(i), tape.value(i));
    return framed(std::move(out));
}

std::optional<JournalTape> readJournal(std::string_view bytes) {
    if (!bytes.starts_with(Magic))
        return std::nullopt;
    bytes.remove_prefix(Magic.size());
    JournalTape state;
    bool started = false;
    while (!bytes.empty()) {
        std::uint32_t length = 0;
        std::uint32_t crc = 0;
        if (bytes.size() < FrameBytes)
            break;
        std::memcpy(&length, bytes.data(), 4);
        std::memcpy(&crc, bytes.data() + 4, 4);
        if (length > bytes.size() - FrameBytes)
            break;
        const std::string_view payload = bytes.substr(FrameBytes, length);
        if (crc32(payload) != crc || !applyRecord(payload, state, started))
            break;
        bytes.remove_prefix(FrameBytes + length);
    }
    if (!started)
        return std::nullopt;
    state.torn = !bytes.empty();
    return state;
}

std::optional<JournalTape> readJournalFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A read of the limit itself would reserve that much memory first.
    const QByteArray bytes = file.read(std::min(file.size(), MaxJournalBytes));
    return readJournal(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace padrix
