#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace padrix {

/// The saved properties of a control, by their saved names, in the order they were written.
/// A value equal to its default is not stored, and reading a name that is not stored gives
/// the default.
class PropertyBag {
public:
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const;
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue);

    /// The stored names, in writing order.
    QStringList names() const;
    bool contains(const QString& name) const;
    bool operator==(const PropertyBag&) const = default;

private:
    QList<QPair<QString, QVariant>> m_entries;
};

} // namespace padrix
