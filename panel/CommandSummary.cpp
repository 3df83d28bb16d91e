#include "CommandSummary.h"

#include <QCoreApplication>

CommandSummary::CommandSummary(const QString &success, const QString &failure)
    : m_success(success)
    , m_failure(failure)
{
}

void CommandSummary::Add(bool ok, const QString &idText)
{
    if (ok)
        AddTo(m_succeeded, m_success, idText);
    else
        AddTo(m_failed, m_failure, idText);
}

void CommandSummary::AddTo(QString &group, const QString &sentence, const QString &idText)
{
    if (group.isEmpty())
        group = sentence + QCoreApplication::translate("QtVrel", "ID:%1").arg(idText);
    else
        group += idText;
}
