// Reads a workbook back with libfreexl, a reader that shares no code with ours.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct ReadSheet
{
    QString name;
    QList<QStringList> rows; // every row as wide as the sheet; blank cells are ""
};

// Empty list and `error` set when the file cannot be read as a workbook.
QList<ReadSheet> ReadWorkbookWithFreexl(const QString &path, QString *error = nullptr);
