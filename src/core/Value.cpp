#include "core/Value.h"

namespace padrix {

std::string Value::text(const NumberLocale& locale) const {
    switch (kind()) {
    case Kind::Empty:
        return {};
    case Kind::Decimal:
        return generalText(decimal(), locale);
    case Kind::Double:
        return generalText(number(), locale);
    case Kind::Text:
        return textValue();
    }
    return {};
}

} // namespace padrix
