#include "numbers/Value.h"

#include "numbers/CalcFailure.h"

#include <cstring>

namespace padrix {

Value::Value(std::string_view text) : m_kind(Kind::Text) {
    if (text.size() <= InlineText) {
        std::memcpy(m_bytes, text.data(), text.size());
        m_aux = static_cast<std::uint8_t>(text.size());
        return;
    }
    char* heap = new char[text.size()];
    std::memcpy(heap, text.data(), text.size());
    const auto size = static_cast<std::uint32_t>(text.size());
    std::memcpy(m_bytes, &heap, sizeof heap);
    std::memcpy(m_bytes + 8, &size, 4);
    m_aux = HeapText;
}

void Value::freeHeapText() noexcept {
    char* heap = nullptr;
    std::memcpy(&heap, m_bytes, sizeof heap);
    delete[] heap;
}

void Value::copyHeapText(const Value& other) {
    new (this) Value(other.textValue());
}

std::string_view Value::textValue() const {
    if (m_aux != HeapText)
        return {reinterpret_cast<const char*>(m_bytes), m_aux};
    const char* heap = nullptr;
    std::uint32_t size = 0;
    std::memcpy(&heap, m_bytes, sizeof heap);
    std::memcpy(&size, m_bytes + 8, 4);
    return {heap, size};
}

std::string Value::text(const NumberLocale& locale) const {
    switch (kind()) {
    case Kind::Empty:
        return {};
    case Kind::Decimal:
        return generalText(decimal(), locale);
    case Kind::Double:
        return generalText(number(), locale);
    case Kind::Text:
        return std::string(textValue());
    }
    return {};
}

std::string displayText(const Value& value, int decimalsChoice, const NumberLocale& locale) {
    switch (value.kind()) {
    case Value::Kind::Empty:
        return {};
    case Value::Kind::Decimal:
        return displayText(value.decimal(), decimalsChoice, locale);
    case Value::Kind::Double:
        try {
            return displayText(Decimal::fromDouble(value.number()), decimalsChoice, locale);
        } catch (const CalcError&) {
            return generalText(value.number(), locale); // beyond the decimal range
        }
    case Value::Kind::Text:
        if (decimalsChoice == VariableDecimals)
            return std::string(value.textValue());
        try {
            return displayText(textToDecimal(value.textValue(), locale), decimalsChoice, locale);
        } catch (const CalcError&) {
            return std::string(value.textValue()); // not a number: shown as it stands
        }
    }
    return {};
}

bool operator==(const Value& a, const Value& b) {
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case Value::Kind::Empty:
        return true;
    case Value::Kind::Decimal:
        return a.decimal() == b.decimal();
    case Value::Kind::Double:
        return a.number() == b.number();
    case Value::Kind::Text:
        return a.textValue() == b.textValue();
    }
    return false;
}

} // namespace padrix
