// Writes a table model into an .xls workbook through Qt's ODBC driver and the
// spreadsheet ODBC driver: one table named after the file, one char(64)
// field per column but the last, one record per row in the model's order.
#pragma once

#include <QString>
#include <QStringList>

class QAbstractItemModel;

class ExcelExport
{
public:
    enum class NameCheck { Ok, Invalid, IllegalCharacter };

    // The connection the export adds again for every save.
    static const char *const kConnectionName;

    // A name that is blank once trimmed is invalid; one containing any of
    // \ / : * ? " < > | is illegal.
    static NameCheck CheckName(const QString &name);

    // Header texts of columns 0 to n - 2 as the model shows them.
    static QStringList FieldNames(const QAbstractItemModel *model);

    static QString ConnectionString(const QString &name, const QString &filePath);
    static QString CreateStatement(const QString &name, const QStringList &fields);
    static QString InsertStatement(const QString &name, const QStringList &fields);

    // Connects, creates the table and inserts every row. True only when the
    // workbook is complete at filePath; after a failure nothing this save
    // wrote is left there.
    static bool Write(const QAbstractItemModel *model, const QString &name, const QString &filePath);
};
