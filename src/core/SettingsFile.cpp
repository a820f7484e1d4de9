#include "core/SettingsFile.h"

#include "core/SafeSave.h"
#include "core/TextEncoding.h"
#include "numbers/NumberText.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace padrix {

namespace {

// Type tags of the stored values.
constexpr std::uint16_t TagEmpty = 0;
constexpr std::uint16_t TagNull = 1;
constexpr std::uint16_t TagInteger = 2;
constexpr std::uint16_t TagLong = 3;
constexpr std::uint16_t TagSingle = 4;
constexpr std::uint16_t TagDouble = 5;
constexpr std::uint16_t TagCurrency = 6;
constexpr std::uint16_t TagDate = 7;
constexpr std::uint16_t TagText = 8;
constexpr std::uint16_t TagBoolean = 11;
constexpr std::uint16_t TagByte = 17;

/// The item after the high scores that turns the tape journal off.
constexpr std::string_view JournalItem = "TapeJournal";

void putU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void putText(std::string& out, std::string_view text) {
    // A text read from a Latin-1 file may be too long as UTF-8 but fits as it was read: it is
    // written back in Latin-1, which the reader recognises as not being UTF-8.
    std::optional<std::string> latin1;
    if (text.size() > 0xFFFF && (latin1 = toLatin1(text)) && latin1->size() <= 0xFFFF &&
        !isValidUtf8(*latin1))
        text = *latin1;
    // The length is 16 bits: a longer text is cut at a character boundary.
    std::size_t n = std::min<std::size_t>(text.size(), 0xFFFF);
    while (n < text.size() && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    putU16(out, TagText);
    putU16(out, static_cast<std::uint16_t>(n));
    out.append(text.substr(0, n));
}

/// Reads items from the front of the bytes; every read past the end or of an unknown tag
/// fails, and so do all reads after it.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    /// A tagged value as text; nothing for a never-set value or a failed read.
    std::optional<std::string> tagged() {
        std::uint16_t tag = 0;
        if (!read(tag))
            return std::nullopt;
        switch (tag) {
        case TagEmpty:
        case TagNull:
            return std::nullopt;
        case TagText: {
            std::uint16_t n = 0;
            if (!read(n) || m_bytes.size() < n)
                return fail();
            std::string text(m_bytes.substr(0, n));
            m_bytes.remove_prefix(n);
            return toUtf8(text);
        }
        case TagInteger:
        case TagBoolean: {
            std::int16_t v = 0;
            if (!read(v))
                return fail();
            if (tag == TagBoolean)
                return v != 0 ? "True" : "False";
            return std::to_string(v);
        }
        case TagByte: {
            std::uint8_t v = 0;
            return read(v) ? std::optional<std::string>(std::to_string(v)) : fail();
        }
        case TagLong: {
            std::int32_t v = 0;
            return read(v) ? std::optional<std::string>(std::to_string(v)) : fail();
        }
        case TagSingle: {
            float v = 0;
            return read(v) ? std::optional<std::string>(number(v)) : fail();
        }
        case TagDouble:
        case TagDate: {
            double v = 0;
            return read(v) ? std::optional<std::string>(number(v)) : fail();
        }
        case TagCurrency: {
            std::int64_t v = 0;
            return read(v) ? std::optional<std::string>(number(static_cast<double>(v) / 10000))
                           : fail();
        }
        default:
            return fail();
        }
    }

    std::int16_t integer() {
        std::int16_t v = 0;
        read(v);
        return v;
    }

private:
    template <typename T> bool read(T& v) {
        if (m_failed || m_bytes.size() < sizeof v) {
            m_failed = true;
            return false;
        }
        std::memcpy(&v, m_bytes.data(), sizeof v); // the file is little-endian, as we are
        m_bytes.remove_prefix(sizeof v);
        return true;
    }
    std::optional<std::string> fail() {
        m_failed = true;
        return std::nullopt;
    }
    static std::string number(double v) { return generalText(v, NumberLocale::english()); }
    std::string_view m_bytes;
    bool m_failed = false;
};

} // namespace

std::string formatSettings(const Settings& settings) {
    std::string out;
    for (const FunctionDefinition& d : settings.buttons) {
        putText(out, d.caption);
        putText(out, d.formula);
        putText(out, d.toolTip);
    }
    for (int i = 0; i < StoredHiScores; ++i) {
        if (settings.HiScoreNames[i])
            putText(out, *settings.HiScoreNames[i]);
        else
            putU16(out, TagEmpty);
        putU16(out, static_cast<std::uint16_t>(settings.HiScores[i]));
    }
    if (!settings.keepJournal) {
        putText(out, JournalItem);
        putU16(out, 0);
    }
    return out;
}

Settings parseSettings(std::string_view bytes) {
    Settings settings;
    Reader reader(bytes);
    for (FunctionDefinition& d : settings.buttons) {
        d.caption = reader.tagged().value_or("");
        d.formula = reader.tagged().value_or("");
        d.toolTip = reader.tagged().value_or("");
    }
    for (int i = 0; i < StoredHiScores; ++i) {
        settings.HiScoreNames[i] = reader.tagged();
        settings.HiScores[i] = reader.integer();
    }
    if (reader.tagged() == JournalItem)
        settings.keepJournal = reader.integer() != 0;
    return settings;
}

std::optional<Settings> loadSettingsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A settings file of a few kilobytes; anything beyond what the items can hold is not read.
    const QByteArray data = file.read(1 << 22);
    return parseSettings(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
}

bool saveSettingsFile(const QString& path, const Settings& settings) {
    return saveWholeFile(path, formatSettings(settings));
}

} // namespace padrix
