#pragma once

#include <QString>

// The one message a command on several devices ends with: the devices it
// changed, then those that refused. Each group starts with its sentence and
// "ID:", every further device adds only its ID text.
class CommandSummary
{
public:
    CommandSummary(const QString &success, const QString &failure);

    void Add(bool ok, const QString &idText);
    // Success part directly followed by the failure part.
    QString Text() const { return m_succeeded + m_failed; }

private:
    static void AddTo(QString &group, const QString &sentence, const QString &idText);

    QString m_success;
    QString m_failure;
    QString m_succeeded;
    QString m_failed;
};
