// One setting read from Setup.xml: an element name and the text of its Value.
#pragma once

#include <QString>

class ClientConfig
{
public:
    ClientConfig(const QString &name, const QString &value);
    virtual ~ClientConfig();

    QString Name() const { return m_strName; }
    QString Value() const { return m_strValue; }
    void SetValue(const QString &value) { m_strValue = value; }

private:
    QString m_strName;
    QString m_strValue;
};
