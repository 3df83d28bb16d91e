#include "CommandSummary.h"

#include <QCoreApplication>

void AddToSummary(QString &summary, const QString &sentence, const QString &idText)
{
    if (summary.isEmpty())
        summary = sentence + QCoreApplication::translate("QtVrel", "ID:%1").arg(idText);
    else
        summary += idText;
}
