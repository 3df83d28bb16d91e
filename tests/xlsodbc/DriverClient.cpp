#include "DriverClient.h"

#include <sqlucode.h>

#include <dlfcn.h>

struct DriverClient::Api
{
    decltype(&::SQLAllocHandle) allocHandle = nullptr;
    decltype(&::SQLFreeHandle) freeHandle = nullptr;
    decltype(&::SQLSetEnvAttr) setEnvAttr = nullptr;
    decltype(&::SQLDriverConnectW) driverConnect = nullptr;
    decltype(&::SQLDisconnect) disconnect = nullptr;
    decltype(&::SQLPrepareW) prepare = nullptr;
    decltype(&::SQLExecDirectW) execDirect = nullptr;
    decltype(&::SQLExecute) execute = nullptr;
    decltype(&::SQLBindParameter) bindParameter = nullptr;
    decltype(&::SQLFreeStmt) freeStmt = nullptr;
    decltype(&::SQLGetDiagRecW) getDiagRec = nullptr;
};

namespace {

constexpr int kMaxParams = 1024;

std::u16string Wide(const QString &s)
{
    return std::u16string(reinterpret_cast<const char16_t *>(s.utf16()), static_cast<size_t>(s.size()));
}

} // namespace

DriverClient::DriverClient(const QString &libraryPath) : m_api(new Api)
{
    m_buffers.reserve(kMaxParams);
    m_lengths.reserve(kMaxParams);
    m_pLib = dlopen(libraryPath.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_pLib) {
        m_strLoadError = QString::fromLocal8Bit(dlerror());
        return;
    }
    auto get = [this](auto &fn, const char *name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(m_pLib, name));
        if (!fn)
            m_strLoadError += QString::fromLatin1(name) + QLatin1Char(' ');
    };
    get(m_api->allocHandle, "SQLAllocHandle");
    get(m_api->freeHandle, "SQLFreeHandle");
    get(m_api->setEnvAttr, "SQLSetEnvAttr");
    get(m_api->driverConnect, "SQLDriverConnectW");
    get(m_api->disconnect, "SQLDisconnect");
    get(m_api->prepare, "SQLPrepareW");
    get(m_api->execDirect, "SQLExecDirectW");
    get(m_api->execute, "SQLExecute");
    get(m_api->bindParameter, "SQLBindParameter");
    get(m_api->freeStmt, "SQLFreeStmt");
    get(m_api->getDiagRec, "SQLGetDiagRecW");
    if (!m_strLoadError.isEmpty()) {
        dlclose(m_pLib);
        m_pLib = nullptr;
        return;
    }
    m_api->allocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env);
    m_api->setEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    m_api->allocHandle(SQL_HANDLE_DBC, m_env, &m_dbc);
}

DriverClient::~DriverClient()
{
    if (!m_pLib)
        return;
    if (m_stmt)
        m_api->freeHandle(SQL_HANDLE_STMT, m_stmt);
    m_api->disconnect(m_dbc);
    m_api->freeHandle(SQL_HANDLE_DBC, m_dbc);
    m_api->freeHandle(SQL_HANDLE_ENV, m_env);
    dlclose(m_pLib);
}

QString DriverClient::ConnectionFor(const QString &path, const QString &extra)
{
    const QString name = path.section(QLatin1Char('/'), -1);
    return QStringLiteral("DRIVER={Microsoft Excel Driver (*.xls)};DSN='';FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=\"%1\";%2DBQ=%3")
        .arg(name, extra, path);
}

SQLRETURN DriverClient::Check(SQLSMALLINT type, SQLHANDLE h, SQLRETURN rc)
{
    m_strState.clear();
    m_strMessage.clear();
    SQLWCHAR state[6] = {};
    SQLWCHAR message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (m_api->getDiagRec(type, h, 1, state, &native, message, 1024, &length) == SQL_SUCCESS) {
        m_strState = QString::fromUtf16(reinterpret_cast<const char16_t *>(state));
        m_strMessage = QString::fromUtf16(reinterpret_cast<const char16_t *>(message));
    }
    return rc;
}

SQLRETURN DriverClient::Connect(const QString &connection)
{
    std::u16string text = Wide(connection);
    SQLWCHAR out[2048];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = m_api->driverConnect(m_dbc, nullptr, reinterpret_cast<SQLWCHAR *>(text.data()),
                                              SQL_NTS, out, 2048, &outLength, SQL_DRIVER_NOPROMPT);
    Check(SQL_HANDLE_DBC, m_dbc, rc);
    if (SQL_SUCCEEDED(rc))
        m_api->allocHandle(SQL_HANDLE_STMT, m_dbc, &m_stmt);
    return rc;
}

SQLRETURN DriverClient::Disconnect()
{
    m_stmt = nullptr; // freed with the connection
    return Check(SQL_HANDLE_DBC, m_dbc, m_api->disconnect(m_dbc));
}

SQLRETURN DriverClient::Prepare(const QString &sql)
{
    std::u16string text = Wide(sql);
    return Check(SQL_HANDLE_STMT, m_stmt,
                 m_api->prepare(m_stmt, reinterpret_cast<SQLWCHAR *>(text.data()), static_cast<SQLINTEGER>(text.size())));
}

SQLRETURN DriverClient::ExecDirect(const QString &sql)
{
    std::u16string text = Wide(sql);
    return Check(SQL_HANDLE_STMT, m_stmt,
                 m_api->execDirect(m_stmt, reinterpret_cast<SQLWCHAR *>(text.data()), SQL_NTS));
}

SQLRETURN DriverClient::BindWide(int number, const QString &value)
{
    if (number < 1 || number > kMaxParams)
        return SQL_ERROR;
    while (m_buffers.size() < static_cast<size_t>(number)) {
        m_buffers.emplace_back();
        m_lengths.push_back(0);
    }
    m_buffers[number - 1] = Wide(value);
    m_lengths[number - 1] = static_cast<SQLLEN>(m_buffers[number - 1].size() * 2);
    std::u16string &buffer = m_buffers[number - 1];
    return Check(SQL_HANDLE_STMT, m_stmt,
                 m_api->bindParameter(m_stmt, static_cast<SQLUSMALLINT>(number), SQL_PARAM_INPUT, SQL_C_WCHAR,
                                      SQL_WVARCHAR, static_cast<SQLULEN>(value.size()), 0, buffer.data(),
                                      m_lengths[number - 1], &m_lengths[number - 1]));
}

SQLRETURN DriverClient::ResetParams()
{
    return Check(SQL_HANDLE_STMT, m_stmt, m_api->freeStmt(m_stmt, SQL_RESET_PARAMS));
}

SQLRETURN DriverClient::ExecuteBound()
{
    return Check(SQL_HANDLE_STMT, m_stmt, m_api->execute(m_stmt));
}

SQLRETURN DriverClient::Execute(const QStringList &values)
{
    ResetParams();
    m_buffers.clear();
    m_lengths.clear();
    for (int i = 0; i < values.size(); ++i)
        BindWide(i + 1, values[i]);
    return ExecuteBound();
}
