#pragma once

#include "core/Decimal.h"
#include "core/NumberText.h"

#include <string>
#include <variant>

namespace padrix {

/// The operand of one tape line: never written, a decimal, a double (the pi key) or a text
/// (a function line, a percentage, a total modifier or a formula-button call).
class Value {
public:
    enum class Kind { Empty, Decimal, Double, Text };

    Value() = default;
    Value(const padrix::Decimal& d) : m_data(d) {}         // NOLINT(google-explicit-constructor)
    Value(double d) : m_data(d) {}                         // NOLINT(google-explicit-constructor)
    Value(std::string text) : m_data(std::move(text)) {}   // NOLINT(google-explicit-constructor)
    Value(const char* text) : m_data(std::string(text)) {} // NOLINT(google-explicit-constructor)

    Kind kind() const { return static_cast<Kind>(m_data.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isDecimal() const { return kind() == Kind::Decimal; }
    bool isDouble() const { return kind() == Kind::Double; }
    bool isText() const { return kind() == Kind::Text; }
    /// A decimal or a double.
    bool isNumber() const { return isDecimal() || isDouble(); }

    const padrix::Decimal& decimal() const { return std::get<padrix::Decimal>(m_data); }
    double number() const { return std::get<double>(m_data); }
    const std::string& textValue() const { return std::get<std::string>(m_data); }

    /// The value as text: the general text of a number, the text itself, "" when empty.
    std::string text(const NumberLocale& locale) const;

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, padrix::Decimal, double, std::string> m_data;
};

} // namespace padrix
