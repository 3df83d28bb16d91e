#pragma once

#include <QList>
#include <QMetaType>
#include <QVariant>

// A record of values addressed by index, as the toolkit's item roles carry it
// (a combo box option holds its text at 0 and its icon at 1).
class CUserDataInterface
{
public:
    CUserDataInterface() = default;
    explicit CUserDataInterface(const QList<QVariant>& values)
        : m_values(values)
    {
    }

    int Count() const { return int(m_values.size()); }
    QVariant Value(int index) const { return index >= 0 && index < Count() ? m_values.at(index) : QVariant(); }
    void SetValue(int index, const QVariant& value)
    {
        if (index < 0)
            return;
        while (Count() <= index)
            m_values.append(QVariant());
        m_values[index] = value;
    }
    void Append(const QVariant& value) { m_values.append(value); }
    const QList<QVariant>& Values() const { return m_values; }

    bool operator==(const CUserDataInterface& other) const { return m_values == other.m_values; }
    bool operator!=(const CUserDataInterface& other) const { return !(*this == other); }

private:
    QList<QVariant> m_values;
};

using CUserDataList = QList<CUserDataInterface>;

Q_DECLARE_METATYPE(CUserDataInterface)
