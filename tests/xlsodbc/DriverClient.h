// Calls the workbook driver's entry points directly, loaded by path, the way
// a driver manager would; reports SQLSTATEs for the tests to check.
#pragma once

#include <QString>
#include <QStringList>

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

class DriverClient
{
public:
    explicit DriverClient(const QString &libraryPath);
    ~DriverClient();

    bool IsLoaded() const { return m_pLib != nullptr; }
    QString LoadError() const { return m_strLoadError; }

    // Each returns the SQLRETURN and leaves the first diagnostic in State()/Message().
    SQLRETURN Connect(const QString &connection);
    SQLRETURN Disconnect();
    SQLRETURN Prepare(const QString &sql);
    SQLRETURN ExecDirect(const QString &sql);
    // Binds the texts as wide parameters 1..n and executes the prepared statement.
    SQLRETURN Execute(const QStringList &values);
    SQLRETURN ExecuteBound(); // with whatever is bound
    SQLRETURN BindWide(int number, const QString &value);
    SQLRETURN ResetParams();

    QString State() const { return m_strState; }
    QString Message() const { return m_strMessage; }

    static QString ConnectionFor(const QString &path, const QString &extra = QString());

private:
    struct Api;
    SQLRETURN Check(SQLSMALLINT type, SQLHANDLE h, SQLRETURN rc);

    void *m_pLib = nullptr;
    QString m_strLoadError;
    std::unique_ptr<Api> m_api;
    SQLHANDLE m_env = nullptr;
    SQLHANDLE m_dbc = nullptr;
    SQLHANDLE m_stmt = nullptr;
    QString m_strState;
    QString m_strMessage;
    // Parameter data stays put until execution: reserved once, never reallocated.
    std::vector<std::u16string> m_buffers;
    std::vector<SQLLEN> m_lengths;
};
