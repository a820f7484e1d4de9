#pragma once

#include "numbers/Decimal.h"
#include "numbers/NumberText.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace padrix {

/// The operand of one tape line: never written, a decimal, a double (the pi key) or a text
/// (a function line, a percentage, a total modifier or a formula-button call).
///
/// Sixteen bytes, so that a tape of a million lines stays small and quick to walk: a decimal
/// or a double sits in place, and so does a text of up to 14 bytes (Sin(30), 10%, Svol(2));
/// a longer text lives on the heap.
class Value {
public:
    enum class Kind : std::uint8_t { Empty, Decimal, Double, Text };

    Value() noexcept { m_kind = Kind::Empty; }
    Value(const padrix::Decimal& d) noexcept : m_kind(Kind::Decimal) { // NOLINT
        const std::uint64_t low = d.low();
        const std::uint32_t high = d.high();
        std::memcpy(m_bytes, &low, 8);
        std::memcpy(m_bytes + 8, &high, 4);
        m_bytes[12] = static_cast<unsigned char>(d.scale());
        m_bytes[13] = d.isNegative() ? 1 : 0;
    }
    Value(double d) noexcept : m_kind(Kind::Double) { std::memcpy(m_bytes, &d, 8); } // NOLINT
    Value(std::string_view text); // NOLINT(google-explicit-constructor)
    Value(const std::string& text) : Value(std::string_view(text)) {} // NOLINT
    Value(const char* text) : Value(std::string_view(text)) {}        // NOLINT

    Value(const Value& other) {
        if (other.hasHeapText())
            copyHeapText(other);
        else
            std::memcpy(static_cast<void*>(this), &other, sizeof(Value));
    }
    Value(Value&& other) noexcept {
        std::memcpy(static_cast<void*>(this), &other, sizeof(Value));
        other.m_kind = Kind::Empty; // a heap text now belongs here
    }
    Value& operator=(const Value& other) {
        if (this != &other)
            *this = Value(other);
        return *this;
    }
    Value& operator=(Value&& other) noexcept {
        if (this != &other) {
            release();
            std::memcpy(static_cast<void*>(this), &other, sizeof(Value));
            other.m_kind = Kind::Empty;
        }
        return *this;
    }
    ~Value() { release(); }

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isDecimal() const { return m_kind == Kind::Decimal; }
    bool isDouble() const { return m_kind == Kind::Double; }
    bool isText() const { return m_kind == Kind::Text; }
    /// A decimal or a double.
    bool isNumber() const { return isDecimal() || isDouble(); }

    /// Only for a decimal value.
    padrix::Decimal decimal() const {
        std::uint64_t low = 0;
        std::uint32_t high = 0;
        std::memcpy(&low, m_bytes, 8);
        std::memcpy(&high, m_bytes + 8, 4);
        return Decimal::fromParts(low, high, m_bytes[12], m_bytes[13] != 0);
    }
    /// Only for a double value.
    double number() const {
        double d = 0;
        std::memcpy(&d, m_bytes, 8);
        return d;
    }
    /// Only for a text value.
    std::string_view textValue() const;
    /// A value that shows nothing: never written, zero, or an empty text.
    bool isBlank() const {
        switch (m_kind) {
        case Kind::Empty:
            return true;
        case Kind::Decimal:
            return decimal().isZero();
        case Kind::Double:
            return number() == 0.0;
        case Kind::Text:
            return textValue().empty();
        }
        return true;
    }
    /// A text with "(" or "%": a function line, a formula-button call or a percentage. Such a
    /// value is shown as it stands and keeps taking its row's text unconverted.
    bool isExpressionText() const {
        return isText() && textValue().find_first_of("(%") != std::string_view::npos;
    }

    /// The value as text: the general text of a number, the text itself, "" when empty.
    std::string text(const NumberLocale& locale) const;

    /// Same kind and same content; decimals compare by value.
    friend bool operator==(const Value& a, const Value& b);

private:
    static constexpr std::uint8_t HeapText = 0xFF; // m_aux of a text on the heap
    static constexpr std::size_t InlineText = 14;  // bytes of text kept in place

    bool hasHeapText() const { return m_kind == Kind::Text && m_aux == HeapText; }
    void release() noexcept {
        if (hasHeapText())
            freeHeapText();
        m_kind = Kind::Empty;
    }
    void freeHeapText() noexcept;
    void copyHeapText(const Value& other);

    // A decimal: low (8 bytes), high (4), scale (1), sign (1). A double: 8 bytes. A text:
    // its bytes, or a heap pointer (8) and length (4).
    alignas(8) unsigned char m_bytes[14] = {};
    std::uint8_t m_aux = 0; // length of an in-place text, or HeapText
    Kind m_kind = Kind::Empty;
};

static_assert(sizeof(Value) == 16);

/// A value as a tape row shows it: a number in the display format (0..6 places, or the
/// general text for VariableDecimals); a text that reads as a number likewise; any other text
/// as it stands; "" for an empty value.
std::string displayText(const Value& value, int decimalsChoice, const NumberLocale& locale);

} // namespace padrix
