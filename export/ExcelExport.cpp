#include "ExcelExport.h"

#include "export/ExcelDriverLoader.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

const char *const ExcelExport::kConnectionName = "excelexport";

ExcelExport::NameCheck ExcelExport::CheckName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return NameCheck::Invalid;
    static const QString illegal = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : illegal) {
        if (trimmed.contains(c))
            return NameCheck::IllegalCharacter;
    }
    return NameCheck::Ok;
}

QStringList ExcelExport::FieldNames(const QAbstractItemModel *model)
{
    QStringList names;
    const int n = model ? model->columnCount() : 0;
    for (int i = 0; i <= n - 2; ++i)
        names << model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    return names;
}

QString ExcelExport::ConnectionString(const QString &name, const QString &filePath)
{
    return QStringLiteral("DRIVER={Microsoft Excel Driver (*.xls)};")
        + QStringLiteral("DSN='';FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=")
        + QLatin1Char('"') + name + QStringLiteral(".xls") + QLatin1Char('"') + QStringLiteral(";DBQ=")
        + filePath;
}

QString ExcelExport::CreateStatement(const QString &name, const QStringList &fields)
{
    QStringList pieces;
    for (const QString &field : fields)
        pieces << QLatin1Char('[') + field + QStringLiteral("] char(64)");
    return QStringLiteral("CREATE TABLE [%1] (").arg(name) + pieces.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString ExcelExport::InsertStatement(const QString &name, const QStringList &fields)
{
    QStringList quoted;
    QStringList placeholders;
    for (int i = 0; i < fields.size(); ++i) {
        quoted << QLatin1Char('"') + fields[i] + QLatin1Char('"');
        placeholders << QLatin1Char(':') + QString::number(i + 1);
    }
    return QStringLiteral("INSERT INTO [%1] ").arg(name) + QLatin1Char('(') + quoted.join(QLatin1Char(','))
        + QStringLiteral(")VALUES(") + placeholders.join(QLatin1Char(',')) + QLatin1Char(')');
}

bool ExcelExport::Write(const QAbstractItemModel *model, const QString &name, const QString &filePath)
{
    const QString connectionName = QString::fromLatin1(kConnectionName);
    // Adding the connection again replaces the one of the last save.
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), connectionName);
    if (!db.isValid())
        return false;
    db.setDatabaseName(ConnectionString(name, filePath));
    ExcelDriverLoader::EnsureLoaded();
    if (!db.open())
        return false;

    bool written = true;
    {
        const QStringList fields = FieldNames(model);
        QSqlQuery create(db);
        create.prepare(CreateStatement(name, fields));
        create.exec(); // a table the driver refused shows up as failing inserts

        QSqlQuery insert(db);
        insert.prepare(InsertStatement(name, fields));
        const int rows = model ? model->rowCount() : 0;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < fields.size(); ++c) {
                insert.bindValue(QLatin1Char(':') + QString::number(c + 1),
                                 model->data(model->index(r, c)).toString(), QSql::In);
            }
            if (!insert.exec()) {
                written = false;
                break;
            }
        }
    }
    db.close();

    // The driver puts the workbook in place when the connection closes; a
    // workbook that is not there was not written, whatever close said.
    if (written && !QFileInfo(filePath).isFile())
        written = false;
    if (!written) {
        // Before this save nothing was at filePath (the driver makes new
        // workbooks only), so whatever is there now is this save's partial work.
        QFile::remove(filePath);
    }
    return written;
}
