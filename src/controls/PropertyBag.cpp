#include "controls/PropertyBag.h"

namespace padrix {

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    for (const auto& entry : m_entries)
        if (entry.first == name)
            return entry.second;
    return defaultValue;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue) {
    m_entries.removeIf([&](const auto& entry) { return entry.first == name; });
    if (value != defaultValue)
        m_entries.append({name, value});
}

QStringList PropertyBag::names() const {
    QStringList list;
    for (const auto& entry : m_entries)
        list.append(entry.first);
    return list;
}

bool PropertyBag::contains(const QString& name) const {
    return names().contains(name);
}

} // namespace padrix
