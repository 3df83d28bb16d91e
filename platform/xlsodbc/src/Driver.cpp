// The ODBC entry points of the workbook driver, in their narrow (UTF-8) and
// wide (UTF-16) forms. The driver manager loads this library and calls them.

#include "CompoundFile.h"
#include "ConnectionString.h"
#include "Statement.h"
#include "Utf.h"
#include "Workbook.h"
#include "WorkbookFile.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <vector>

#define XLSODBC_EXPORT extern "C" __attribute__((visibility("default")))

using namespace xlsodbc;

namespace {

constexpr unsigned kEnvMagic = 0x56454E31;  // "VEN1"
constexpr unsigned kDbcMagic = 0x56444231;  // "VDB1"
constexpr unsigned kStmtMagic = 0x56535431; // "VST1"
constexpr const char *kOrigin = "[Vrel][XLS Driver]";

struct DiagRecord
{
    std::string state;
    std::string message;
};

struct Handle
{
    explicit Handle(unsigned m) : magic(m) {}
    unsigned magic;
    std::vector<DiagRecord> diags;
    SQLRETURN lastReturn = SQL_SUCCESS;

    void Clear() { diags.clear(); }
    SQLRETURN Error(const std::string &state, const std::string &message)
    {
        diags.push_back({state, std::string(kOrigin) + message});
        return lastReturn = SQL_ERROR;
    }
    SQLRETURN Warning(const std::string &state, const std::string &message)
    {
        diags.push_back({state, std::string(kOrigin) + message});
        return lastReturn = SQL_SUCCESS_WITH_INFO;
    }
    SQLRETURN Error(const SqlError &e) { return Error(e.state, e.message); }
};

struct Stmt;

struct Env : Handle
{
    Env() : Handle(kEnvMagic) {}
    SQLINTEGER odbcVersion = SQL_OV_ODBC3;
};

struct Dbc : Handle
{
    explicit Dbc(Env *e) : Handle(kDbcMagic), env(e) {}
    Env *env;
    bool connected = false;
    ConnectionOptions options;
    std::unique_ptr<Workbook> book;
    WorkbookFile file;
    std::vector<Stmt *> statements;
};

struct Param
{
    bool bound = false;
    SQLSMALLINT ioType = SQL_PARAM_INPUT;
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLPOINTER value = nullptr;
    SQLLEN bufferLength = 0;
    SQLLEN *indicator = nullptr;
};

struct Stmt : Handle
{
    explicit Stmt(Dbc *d) : Handle(kStmtMagic), dbc(d) {}
    Dbc *dbc;
    bool prepared = false;
    Statement statement;
    std::vector<Param> params;
    SQLLEN rowCount = -1;
};

template<typename T>
T *Cast(SQLHANDLE h, unsigned magic)
{
    auto *p = static_cast<T *>(h);
    if (!p || p->magic != magic)
        return nullptr;
    return p;
}

Env *AsEnv(SQLHANDLE h) { return Cast<Env>(h, kEnvMagic); }
Dbc *AsDbc(SQLHANDLE h) { return Cast<Dbc>(h, kDbcMagic); }
Stmt *AsStmt(SQLHANDLE h) { return Cast<Stmt>(h, kStmtMagic); }

Handle *AsAny(SQLSMALLINT type, SQLHANDLE h)
{
    switch (type) {
    case SQL_HANDLE_ENV:
        return AsEnv(h);
    case SQL_HANDLE_DBC:
        return AsDbc(h);
    case SQL_HANDLE_STMT:
        return AsStmt(h);
    default:
        return nullptr;
    }
}

// Statements the driver was given go to the file named by XLSODBC_TRACE, one
// a line. Parameter values and connection strings never do.
void Trace(const std::string &line)
{
    static std::mutex mutex;
    const char *path = std::getenv("XLSODBC_TRACE");
    if (!path || !*path)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    if (FILE *f = std::fopen(path, "ae")) {
        std::fputs(line.c_str(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

std::u16string FromWide(const SQLWCHAR *text, SQLINTEGER length)
{
    if (!text)
        return std::u16string();
    if (length == SQL_NTS) {
        length = 0;
        while (text[length])
            ++length;
    }
    if (length < 0)
        return std::u16string();
    // Some callers count the terminating zero in the length.
    std::u16string out(reinterpret_cast<const char16_t *>(text), static_cast<size_t>(length));
    const size_t zero = out.find(u'\0');
    if (zero != std::u16string::npos)
        out.resize(zero);
    return ValidUtf16(std::move(out));
}

std::string FromNarrow(const SQLCHAR *text, SQLINTEGER length)
{
    if (!text)
        return std::string();
    if (length == SQL_NTS)
        return std::string(reinterpret_cast<const char *>(text));
    if (length < 0)
        return std::string();
    std::string out(reinterpret_cast<const char *>(text), static_cast<size_t>(length));
    const size_t zero = out.find('\0');
    if (zero != std::string::npos)
        out.resize(zero);
    return out;
}

// Copies a text into an application buffer of `capacity` characters; the
// length written back is in characters (or bytes when `bytes` is set).
template<typename Char, typename LenT>
bool CopyOut(const std::basic_string<Char> &text, Char *buffer, SQLLEN capacity, LenT *length,
             bool bytes)
{
    if (length)
        *length = static_cast<LenT>(text.size() * (bytes ? sizeof(Char) : 1));
    if (!buffer || capacity <= 0)
        return text.empty();
    const size_t room = static_cast<size_t>(capacity) - 1;
    const size_t n = text.size() < room ? text.size() : room;
    std::memcpy(buffer, text.data(), n * sizeof(Char));
    buffer[n] = 0;
    return n == text.size();
}

// ---------------------------------------------------------------- handles

SQLRETURN AllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE *output)
{
    if (!output)
        return SQL_ERROR;
    *output = SQL_NULL_HANDLE;
    switch (type) {
    case SQL_HANDLE_ENV:
        *output = new Env();
        return SQL_SUCCESS;
    case SQL_HANDLE_DBC: {
        Env *env = AsEnv(input);
        if (!env)
            return SQL_INVALID_HANDLE;
        env->Clear();
        *output = new Dbc(env);
        return SQL_SUCCESS;
    }
    case SQL_HANDLE_STMT: {
        Dbc *dbc = AsDbc(input);
        if (!dbc)
            return SQL_INVALID_HANDLE;
        dbc->Clear();
        if (!dbc->connected)
            return dbc->Error("08003", "The connection is not open.");
        auto *st = new Stmt(dbc);
        dbc->statements.push_back(st);
        *output = st;
        return SQL_SUCCESS;
    }
    case SQL_HANDLE_DESC: {
        Handle *h = AsDbc(input);
        if (!h)
            return SQL_INVALID_HANDLE;
        return h->Error("HYC00", "Explicit descriptors are not supported.");
    }
    default:
        return SQL_ERROR;
    }
}

void DropStatement(Stmt *st)
{
    auto &list = st->dbc->statements;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (*it == st) {
            list.erase(it);
            break;
        }
    }
    st->magic = 0;
    delete st;
}

SQLRETURN FreeHandle(SQLSMALLINT type, SQLHANDLE handle)
{
    switch (type) {
    case SQL_HANDLE_ENV: {
        Env *env = AsEnv(handle);
        if (!env)
            return SQL_INVALID_HANDLE;
        env->magic = 0;
        delete env;
        return SQL_SUCCESS;
    }
    case SQL_HANDLE_DBC: {
        Dbc *dbc = AsDbc(handle);
        if (!dbc)
            return SQL_INVALID_HANDLE;
        dbc->Clear();
        if (dbc->connected)
            return dbc->Error("HY010", "Disconnect before freeing the connection.");
        dbc->magic = 0;
        delete dbc;
        return SQL_SUCCESS;
    }
    case SQL_HANDLE_STMT: {
        Stmt *st = AsStmt(handle);
        if (!st)
            return SQL_INVALID_HANDLE;
        DropStatement(st);
        return SQL_SUCCESS;
    }
    default:
        return SQL_ERROR;
    }
}

// ------------------------------------------------------------- connection

SQLRETURN Connect(Dbc *dbc, const std::string &connection)
{
    dbc->Clear();
    if (dbc->connected)
        return dbc->Error("08002", "The connection is already open.");
    ConnectionOptions options;
    std::string reason;
    if (!ReadConnectionOptions(ParseConnectionString(connection), &options, &reason))
        return dbc->Error("08001", reason);

    struct stat st;
    const bool exists = ::stat(options.path.c_str(), &st) == 0;
    if (options.createRequested && exists)
        return dbc->Error("08001", "The workbook \"" + options.path + "\" already exists; CREATE_DB makes new workbooks only.");
    if (!options.createRequested) {
        if (exists)
            return dbc->Error("HYC00", "Opening an existing workbook is not supported; connect with CREATE_DB to make a new one.");
        return dbc->Error("08001", "The workbook \"" + options.path + "\" does not exist.");
    }
    if (!options.readOnly) {
        std::string error;
        if (!dbc->file.Prepare(options.path, &error))
            return dbc->Error("08001", error);
    }
    dbc->options = options;
    dbc->book = std::make_unique<Workbook>(options.firstRowHasNames);
    dbc->connected = true;
    return SQL_SUCCESS;
}

SQLRETURN Disconnect(Dbc *dbc)
{
    dbc->Clear();
    if (!dbc->connected)
        return dbc->Error("08003", "The connection is not open.");
    while (!dbc->statements.empty())
        DropStatement(dbc->statements.back());
    dbc->connected = false;
    SQLRETURN rc = SQL_SUCCESS;
    if (!dbc->options.readOnly && dbc->book && !dbc->book->IsEmpty()) {
        std::string error;
        const std::string bytes = BuildCompoundFile(u"Workbook", BuildWorkbookStream(dbc->book->Sheets()));
        if (!dbc->file.Publish(bytes, &error))
            rc = dbc->Warning("01002", "The workbook was not written. " + error);
    }
    dbc->file.Discard();
    dbc->book.reset();
    return rc;
}

// ---------------------------------------------------------------- info

enum class InfoKind { Text, Small, Int };

struct InfoValue
{
    InfoKind kind;
    std::string text;
    SQLUINTEGER number = 0;
};

bool LookUpInfo(Dbc *dbc, SQLUSMALLINT type, InfoValue *v)
{
    auto text = [v](const char *s) { v->kind = InfoKind::Text; v->text = s; return true; };
    auto small = [v](SQLUINTEGER n) { v->kind = InfoKind::Small; v->number = n; return true; };
    auto integer = [v](SQLUINTEGER n) { v->kind = InfoKind::Int; v->number = n; return true; };
    const SQLUINTEGER textConversions = SQL_CVT_CHAR | SQL_CVT_VARCHAR | SQL_CVT_LONGVARCHAR
        | SQL_CVT_WCHAR | SQL_CVT_WVARCHAR | SQL_CVT_WLONGVARCHAR;
    switch (type) {
    case SQL_DRIVER_ODBC_VER: return text("03.00");
    case SQL_ODBC_VER: return text("03.00.0000");
    case SQL_DRIVER_NAME: return text("libvrelxlsodbc.so");
    case SQL_DRIVER_VER: return text("01.00.0000");
    case SQL_DBMS_NAME: return text("EXCEL");
    case SQL_DBMS_VER: return text("08.00.0000");
    case SQL_DATA_SOURCE_NAME: return text("");
    case SQL_DATABASE_NAME: return text(dbc->options.path.c_str());
    case SQL_SERVER_NAME: return text("");
    case SQL_USER_NAME: return text("");
    case SQL_DATA_SOURCE_READ_ONLY: return text(dbc->options.readOnly ? "Y" : "N");
    case SQL_ACCESSIBLE_TABLES: return text("Y");
    case SQL_ACCESSIBLE_PROCEDURES: return text("N");
    case SQL_MULT_RESULT_SETS: return text("N");
    case SQL_MULTIPLE_ACTIVE_TXN: return text("N");
    case SQL_NEED_LONG_DATA_LEN: return text("N");
    case SQL_PROCEDURES: return text("N");
    case SQL_ROW_UPDATES: return text("N");
    case SQL_EXPRESSIONS_IN_ORDERBY: return text("N");
    case SQL_ORDER_BY_COLUMNS_IN_SELECT: return text("N");
    case SQL_OUTER_JOINS: return text("N");
    case SQL_COLUMN_ALIAS: return text("N");
    case SQL_LIKE_ESCAPE_CLAUSE: return text("N");
    case SQL_MAX_ROW_SIZE_INCLUDES_LONG: return text("N");
    case SQL_DESCRIBE_PARAMETER: return text("N");
    case SQL_INTEGRITY: return text("N");
    case SQL_CATALOG_NAME: return text("N");
    case SQL_COLLATION_SEQ: return text("");
    case SQL_IDENTIFIER_QUOTE_CHAR: return text("\"");
    case SQL_SEARCH_PATTERN_ESCAPE: return text("");
    case SQL_SPECIAL_CHARACTERS: return text("");
    case SQL_KEYWORDS: return text("");
    case SQL_CATALOG_NAME_SEPARATOR: return text("");
    case SQL_CATALOG_TERM: return text("");
    case SQL_SCHEMA_TERM: return text("");
    case SQL_TABLE_TERM: return text("sheet");
    case SQL_PROCEDURE_TERM: return text("");
    case SQL_XOPEN_CLI_YEAR: return text("1995");
    case SQL_CONVERT_CHAR:
    case SQL_CONVERT_VARCHAR:
    case SQL_CONVERT_LONGVARCHAR:
    case SQL_CONVERT_WCHAR:
    case SQL_CONVERT_WVARCHAR:
    case SQL_CONVERT_WLONGVARCHAR:
        return integer(textConversions);
    case SQL_CONVERT_FUNCTIONS: return integer(0);
    case SQL_SCHEMA_USAGE: return integer(0);
    case SQL_CATALOG_USAGE: return integer(0);
    case SQL_GETDATA_EXTENSIONS: return integer(0);
    case SQL_ASYNC_MODE: return integer(SQL_AM_NONE);
    case SQL_BATCH_SUPPORT: return integer(0);
    case SQL_BATCH_ROW_COUNT: return integer(0);
    case SQL_PARAM_ARRAY_ROW_COUNTS: return integer(SQL_PARC_NO_BATCH);
    case SQL_PARAM_ARRAY_SELECTS: return integer(SQL_PAS_NO_SELECT);
    case SQL_SCROLL_OPTIONS: return integer(SQL_SO_FORWARD_ONLY);
    case SQL_DYNAMIC_CURSOR_ATTRIBUTES1:
    case SQL_DYNAMIC_CURSOR_ATTRIBUTES2:
    case SQL_KEYSET_CURSOR_ATTRIBUTES1:
    case SQL_KEYSET_CURSOR_ATTRIBUTES2:
    case SQL_STATIC_CURSOR_ATTRIBUTES1:
    case SQL_STATIC_CURSOR_ATTRIBUTES2:
    case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1:
    case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES2:
        return integer(0);
    case SQL_ODBC_INTERFACE_CONFORMANCE: return integer(SQL_OIC_CORE);
    case SQL_SQL_CONFORMANCE: return integer(SQL_SC_SQL92_ENTRY);
    case SQL_CREATE_TABLE: return integer(SQL_CT_CREATE_TABLE);
    case SQL_INSERT_STATEMENT: return integer(SQL_IS_INSERT_LITERALS);
    case SQL_DDL_INDEX: return integer(0);
    case SQL_DROP_TABLE: return integer(0);
    case SQL_ALTER_TABLE: return integer(0);
    case SQL_TXN_ISOLATION_OPTION: return integer(0);
    case SQL_DEFAULT_TXN_ISOLATION: return integer(0);
    case SQL_MAX_ASYNC_CONCURRENT_STATEMENTS: return integer(0);
    case SQL_DTC_TRANSITION_COST: return integer(0);
    case SQL_STRING_FUNCTIONS:
    case SQL_NUMERIC_FUNCTIONS:
    case SQL_SYSTEM_FUNCTIONS:
    case SQL_TIMEDATE_FUNCTIONS:
    case SQL_BOOKMARK_PERSISTENCE:
    case SQL_LOCK_TYPES:
    case SQL_POS_OPERATIONS:
    case SQL_STATIC_SENSITIVITY:
    case SQL_SUBQUERIES:
    case SQL_UNION:
    case SQL_OJ_CAPABILITIES:
    case SQL_AGGREGATE_FUNCTIONS:
        return integer(0);
    case SQL_MAX_CHAR_LITERAL_LEN: return integer(255);
    case SQL_MAX_ROW_SIZE: return integer(0);
    case SQL_MAX_STATEMENT_LEN: return integer(0);
    case SQL_MAX_BINARY_LITERAL_LEN: return integer(0);
    case SQL_MAX_INDEX_SIZE: return integer(0);
    case SQL_TXN_CAPABLE: return small(SQL_TC_NONE);
    case SQL_CURSOR_COMMIT_BEHAVIOR:
    case SQL_CURSOR_ROLLBACK_BEHAVIOR:
        return small(SQL_CB_CLOSE);
    case SQL_IDENTIFIER_CASE: return small(SQL_IC_MIXED);
    case SQL_QUOTED_IDENTIFIER_CASE: return small(SQL_IC_MIXED);
    case SQL_NULL_COLLATION: return small(SQL_NC_LOW);
    case SQL_CONCAT_NULL_BEHAVIOR: return small(SQL_CB_NULL);
    case SQL_CORRELATION_NAME: return small(SQL_CN_NONE);
    case SQL_NON_NULLABLE_COLUMNS: return small(SQL_NNC_NULL);
    case SQL_GROUP_BY: return small(SQL_GB_NOT_SUPPORTED);
    case SQL_FILE_USAGE: return small(SQL_FILE_CATALOG);
    case SQL_CATALOG_LOCATION: return small(0);
    case SQL_MAX_DRIVER_CONNECTIONS:
    case SQL_MAX_CONCURRENT_ACTIVITIES:
        return small(0);
    case SQL_MAX_COLUMN_NAME_LEN:
    case SQL_MAX_TABLE_NAME_LEN:
    case SQL_MAX_IDENTIFIER_LEN:
        return small(64);
    case SQL_MAX_COLUMNS_IN_TABLE:
    case SQL_MAX_COLUMNS_IN_SELECT:
        return small(256);
    case SQL_MAX_CURSOR_NAME_LEN:
    case SQL_MAX_SCHEMA_NAME_LEN:
    case SQL_MAX_CATALOG_NAME_LEN:
    case SQL_MAX_PROCEDURE_NAME_LEN:
    case SQL_MAX_USER_NAME_LEN:
    case SQL_MAX_COLUMNS_IN_GROUP_BY:
    case SQL_MAX_COLUMNS_IN_INDEX:
    case SQL_MAX_COLUMNS_IN_ORDER_BY:
    case SQL_MAX_TABLES_IN_SELECT:
        return small(0);
    default:
        return false;
    }
}

SQLRETURN GetInfo(SQLHDBC h, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT capacity,
                  SQLSMALLINT *length, bool wide)
{
    Dbc *dbc = AsDbc(h);
    if (!dbc)
        return SQL_INVALID_HANDLE;
    dbc->Clear();
    InfoValue v;
    if (!LookUpInfo(dbc, type, &v))
        return dbc->Error("HY096", "Information type " + std::to_string(type) + " is not known to this driver.");
    switch (v.kind) {
    case InfoKind::Small:
        if (value)
            *static_cast<SQLUSMALLINT *>(value) = static_cast<SQLUSMALLINT>(v.number);
        if (length)
            *length = sizeof(SQLUSMALLINT);
        return SQL_SUCCESS;
    case InfoKind::Int:
        if (value)
            *static_cast<SQLUINTEGER *>(value) = v.number;
        if (length)
            *length = sizeof(SQLUINTEGER);
        return SQL_SUCCESS;
    case InfoKind::Text:
        break;
    }
    bool whole;
    if (wide) {
        whole = CopyOut(Utf8ToUtf16(v.text), static_cast<char16_t *>(value),
                        capacity / static_cast<SQLSMALLINT>(sizeof(char16_t)), length, true);
    } else {
        whole = CopyOut(v.text, static_cast<char *>(value), capacity, length, true);
    }
    if (!whole && value)
        return dbc->Warning("01004", "String data, right truncated.");
    return SQL_SUCCESS;
}

// ---------------------------------------------------------------- statements

SQLRETURN Prepare(Stmt *st, const std::u16string &sql)
{
    st->Clear();
    st->prepared = false;
    st->rowCount = -1;
    Trace(Utf16ToUtf8(sql));
    SqlError error;
    if (!ParseStatement(sql, &st->statement, &error))
        return st->Error(error);
    if (st->statement.kind == Statement::Kind::CreateTable && st->statement.parameterCount != 0)
        return st->Error("42000", "CREATE TABLE takes no parameters.");
    st->prepared = true;
    return SQL_SUCCESS;
}

bool ReadParameter(const Param &p, std::u16string *out, bool *isNull, SqlError *error)
{
    *isNull = false;
    out->clear();
    const SQLLEN ind = p.indicator ? *p.indicator : SQL_NTS;
    if (ind == SQL_NULL_DATA) {
        *isNull = true;
        return true;
    }
    if (ind == SQL_DATA_AT_EXEC || ind <= SQL_LEN_DATA_AT_EXEC_OFFSET) {
        *error = {"HYC00", "Parameter data at execution time is not supported."};
        return false;
    }
    if (ind < 0 && ind != SQL_NTS) {
        *error = {"HY090", "Invalid string or buffer length for a parameter."};
        return false;
    }
    SQLSMALLINT c = p.cType;
    if (c == SQL_C_DEFAULT) {
        switch (p.sqlType) {
        case SQL_WCHAR: case SQL_WVARCHAR: case SQL_WLONGVARCHAR:
            c = SQL_C_WCHAR;
            break;
        case SQL_CHAR: case SQL_VARCHAR: case SQL_LONGVARCHAR:
            c = SQL_C_CHAR;
            break;
        default:
            break;
        }
    }
    if (!p.value) {
        *isNull = true;
        return true;
    }
    if (c == SQL_C_WCHAR) {
        const auto *w = static_cast<const SQLWCHAR *>(p.value);
        *out = FromWide(w, ind == SQL_NTS ? SQL_NTS : static_cast<SQLINTEGER>(ind / 2));
        return true;
    }
    if (c == SQL_C_CHAR) {
        const auto *n = static_cast<const SQLCHAR *>(p.value);
        *out = Utf8ToUtf16(FromNarrow(n, ind == SQL_NTS ? SQL_NTS : static_cast<SQLINTEGER>(ind)));
        return true;
    }
    *error = {"07006", "Only text parameters are supported by the workbook driver."};
    return false;
}

SQLRETURN Execute(Stmt *st)
{
    st->Clear();
    st->rowCount = -1;
    if (!st->prepared)
        return st->Error("HY010", "No statement is prepared.");
    Dbc *dbc = st->dbc;
    if (dbc->options.readOnly)
        return st->Error("HY000", "The workbook is opened read-only (READONLY=TRUE).");
    const Statement &s = st->statement;
    SqlError error;
    if (s.kind == Statement::Kind::CreateTable) {
        if (!dbc->book->CreateTable(s, &error))
            return st->Error(error);
        st->rowCount = 0;
        return SQL_SUCCESS;
    }

    size_t bound = 0;
    for (size_t i = 0; i < st->params.size(); ++i) {
        if (st->params[i].bound)
            bound = i + 1;
    }
    if (bound != static_cast<size_t>(s.parameterCount))
        return st->Error("07002", "COUNT field incorrect: the statement has " + std::to_string(s.parameterCount)
                                      + " parameter markers and " + std::to_string(bound) + " are bound.");
    for (size_t i = 0; i < bound; ++i) {
        if (!st->params[i].bound)
            return st->Error("07002", "COUNT field incorrect: parameter " + std::to_string(i + 1) + " is not bound.");
    }

    size_t table = 0;
    std::vector<size_t> columnMap;
    if (!dbc->book->ResolveInsert(s, &table, &columnMap, &error))
        return st->Error(error);
    std::vector<std::u16string> row(dbc->book->Fields(table).size());
    for (size_t i = 0; i < s.values.size(); ++i) {
        const ValueExpr &v = s.values[i];
        std::u16string text;
        if (v.kind == ValueKind::Literal) {
            text = v.text;
        } else if (v.kind == ValueKind::Parameter) {
            bool isNull = false;
            if (!ReadParameter(st->params[static_cast<size_t>(v.parameter - 1)], &text, &isNull, &error))
                return st->Error(error);
        }
        row[columnMap[i]] = std::move(text);
    }
    if (!dbc->book->AppendRow(table, std::move(row), &error))
        return st->Error(error);
    st->rowCount = 1;
    return SQL_SUCCESS;
}

SQLRETURN GetDiagRec(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT record, void *state,
                     SQLINTEGER *native, void *message, SQLSMALLINT capacity, SQLSMALLINT *length,
                     bool wide)
{
    Handle *handle = AsAny(type, h);
    if (!handle)
        return SQL_INVALID_HANDLE;
    if (record < 1)
        return SQL_ERROR;
    if (static_cast<size_t>(record) > handle->diags.size())
        return SQL_NO_DATA;
    const DiagRecord &d = handle->diags[static_cast<size_t>(record - 1)];
    if (native)
        *native = 0;
    bool whole;
    if (wide) {
        if (state) {
            auto *s = static_cast<SQLWCHAR *>(state);
            for (int i = 0; i < 5; ++i)
                s[i] = static_cast<SQLWCHAR>(d.state[static_cast<size_t>(i)]);
            s[5] = 0;
        }
        whole = CopyOut(Utf8ToUtf16(d.message), static_cast<char16_t *>(message), capacity, length, false);
    } else {
        if (state) {
            std::memcpy(state, d.state.c_str(), 5);
            static_cast<char *>(state)[5] = 0;
        }
        whole = CopyOut(d.message, static_cast<char *>(message), capacity, length, false);
    }
    return whole || !message ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
}

SQLRETURN GetDiagField(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT record, SQLSMALLINT field,
                       SQLPOINTER value, SQLSMALLINT capacity, SQLSMALLINT *length, bool wide)
{
    Handle *handle = AsAny(type, h);
    if (!handle)
        return SQL_INVALID_HANDLE;
    auto putText = [&](const std::string &text) {
        bool whole;
        if (wide)
            whole = CopyOut(Utf8ToUtf16(text), static_cast<char16_t *>(value),
                            capacity / static_cast<SQLSMALLINT>(sizeof(char16_t)), length, true);
        else
            whole = CopyOut(text, static_cast<char *>(value), capacity, length, true);
        return whole || !value ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
    };
    if (record == 0) {
        switch (field) {
        case SQL_DIAG_NUMBER:
            if (value)
                *static_cast<SQLINTEGER *>(value) = static_cast<SQLINTEGER>(handle->diags.size());
            return SQL_SUCCESS;
        case SQL_DIAG_RETURNCODE:
            if (value)
                *static_cast<SQLRETURN *>(value) = handle->lastReturn;
            return SQL_SUCCESS;
        case SQL_DIAG_ROW_COUNT: {
            Stmt *st = AsStmt(h);
            if (!st)
                return SQL_ERROR;
            if (value)
                *static_cast<SQLLEN *>(value) = st->rowCount;
            return SQL_SUCCESS;
        }
        case SQL_DIAG_CURSOR_ROW_COUNT:
            if (value)
                *static_cast<SQLLEN *>(value) = 0;
            return SQL_SUCCESS;
        case SQL_DIAG_DYNAMIC_FUNCTION:
            return putText("");
        case SQL_DIAG_DYNAMIC_FUNCTION_CODE:
            if (value)
                *static_cast<SQLINTEGER *>(value) = SQL_DIAG_UNKNOWN_STATEMENT;
            return SQL_SUCCESS;
        default:
            return SQL_ERROR;
        }
    }
    if (record < 0)
        return SQL_ERROR;
    if (static_cast<size_t>(record) > handle->diags.size())
        return SQL_NO_DATA;
    const DiagRecord &d = handle->diags[static_cast<size_t>(record - 1)];
    switch (field) {
    case SQL_DIAG_SQLSTATE:
        return putText(d.state);
    case SQL_DIAG_MESSAGE_TEXT:
        return putText(d.message);
    case SQL_DIAG_NATIVE:
        if (value)
            *static_cast<SQLINTEGER *>(value) = 0;
        return SQL_SUCCESS;
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
        return putText(d.state.compare(0, 2, "IM") == 0 ? "ODBC 3.0" : "ISO 9075");
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME:
        return putText("");
    case SQL_DIAG_COLUMN_NUMBER:
        if (value)
            *static_cast<SQLINTEGER *>(value) = SQL_NO_COLUMN_NUMBER;
        return SQL_SUCCESS;
    case SQL_DIAG_ROW_NUMBER:
        if (value)
            *static_cast<SQLLEN *>(value) = SQL_NO_ROW_NUMBER;
        return SQL_SUCCESS;
    default:
        return SQL_ERROR;
    }
}

SQLRETURN SetConnectAttr(SQLHDBC h, SQLINTEGER attribute, SQLPOINTER value)
{
    Dbc *dbc = AsDbc(h);
    if (!dbc)
        return SQL_INVALID_HANDLE;
    dbc->Clear();
    switch (attribute) {
    case SQL_ATTR_AUTOCOMMIT:
        if (reinterpret_cast<SQLULEN>(value) != SQL_AUTOCOMMIT_ON)
            return dbc->Error("HYC00", "Transactions are not supported; every statement is committed at once.");
        return SQL_SUCCESS;
    case SQL_ATTR_ANSI_APP:
        // The driver behaves the same for narrow and wide callers.
        return dbc->Error("HYC00", "Not needed by this driver.");
    default:
        // Time-outs, access mode and the like change nothing for a file.
        return SQL_SUCCESS;
    }
}

SQLRETURN GetConnectAttr(SQLHDBC h, SQLINTEGER attribute, SQLPOINTER value)
{
    Dbc *dbc = AsDbc(h);
    if (!dbc)
        return SQL_INVALID_HANDLE;
    dbc->Clear();
    switch (attribute) {
    case SQL_ATTR_AUTOCOMMIT:
        if (value)
            *static_cast<SQLUINTEGER *>(value) = SQL_AUTOCOMMIT_ON;
        return SQL_SUCCESS;
    case SQL_ATTR_ACCESS_MODE:
        if (value)
            *static_cast<SQLUINTEGER *>(value) = dbc->options.readOnly ? SQL_MODE_READ_ONLY : SQL_MODE_READ_WRITE;
        return SQL_SUCCESS;
    case SQL_ATTR_CONNECTION_DEAD:
        if (value)
            *static_cast<SQLUINTEGER *>(value) = dbc->connected ? SQL_CD_FALSE : SQL_CD_TRUE;
        return SQL_SUCCESS;
    case SQL_ATTR_LOGIN_TIMEOUT:
    case SQL_ATTR_CONNECTION_TIMEOUT:
        if (value)
            *static_cast<SQLUINTEGER *>(value) = 0;
        return SQL_SUCCESS;
    default:
        return dbc->Error("HY092", "Connection attribute " + std::to_string(attribute) + " is not supported.");
    }
}

SQLRETURN SetStmtAttr(SQLHSTMT h, SQLINTEGER attribute, SQLPOINTER value)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    switch (attribute) {
    case SQL_ATTR_PARAMSET_SIZE:
        if (reinterpret_cast<SQLULEN>(value) != 1)
            return st->Error("HYC00", "Arrays of parameters are not supported.");
        return SQL_SUCCESS;
    case SQL_ATTR_CURSOR_TYPE:
        if (reinterpret_cast<SQLULEN>(value) != SQL_CURSOR_FORWARD_ONLY)
            return st->Warning("01S02", "Option value changed: statements of this driver return no rows, the cursor stays forward-only.");
        return SQL_SUCCESS;
    default:
        // No result sets: cursor and row attributes have nothing to act on.
        return SQL_SUCCESS;
    }
}

SQLRETURN GetStmtAttr(SQLHSTMT h, SQLINTEGER attribute, SQLPOINTER value)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    switch (attribute) {
    case SQL_ATTR_CURSOR_SCROLLABLE:
        if (value)
            *static_cast<SQLULEN *>(value) = SQL_NONSCROLLABLE;
        return SQL_SUCCESS;
    case SQL_ATTR_CURSOR_TYPE:
        if (value)
            *static_cast<SQLULEN *>(value) = SQL_CURSOR_FORWARD_ONLY;
        return SQL_SUCCESS;
    case SQL_ATTR_CONCURRENCY:
        if (value)
            *static_cast<SQLULEN *>(value) = SQL_CONCUR_READ_ONLY;
        return SQL_SUCCESS;
    case SQL_ATTR_PARAMSET_SIZE:
    case SQL_ATTR_ROW_ARRAY_SIZE:
        if (value)
            *static_cast<SQLULEN *>(value) = 1;
        return SQL_SUCCESS;
    default:
        return st->Error("HY092", "Statement attribute " + std::to_string(attribute) + " is not supported.");
    }
}

SQLRETURN DriverConnect(SQLHDBC h, const std::string &in, std::string *completed)
{
    Dbc *dbc = AsDbc(h);
    if (!dbc)
        return SQL_INVALID_HANDLE;
    *completed = in;
    return Connect(dbc, in);
}

} // namespace

// ======================================================== exported entry points

XLSODBC_EXPORT SQLRETURN SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE *output)
{
    return AllocHandle(type, input, output);
}

XLSODBC_EXPORT SQLRETURN SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle)
{
    return FreeHandle(type, handle);
}

XLSODBC_EXPORT SQLRETURN SQLSetEnvAttr(SQLHENV h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    Env *env = AsEnv(h);
    if (!env)
        return SQL_INVALID_HANDLE;
    env->Clear();
    if (attribute == SQL_ATTR_ODBC_VERSION)
        env->odbcVersion = static_cast<SQLINTEGER>(reinterpret_cast<SQLLEN>(value));
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLGetEnvAttr(SQLHENV h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                       SQLINTEGER *length)
{
    Env *env = AsEnv(h);
    if (!env)
        return SQL_INVALID_HANDLE;
    env->Clear();
    SQLINTEGER v = 0;
    switch (attribute) {
    case SQL_ATTR_ODBC_VERSION: v = env->odbcVersion; break;
    case SQL_ATTR_OUTPUT_NTS: v = SQL_TRUE; break;
    case SQL_ATTR_CONNECTION_POOLING: v = SQL_CP_OFF; break;
    default: return env->Error("HY092", "Environment attribute " + std::to_string(attribute) + " is not supported.");
    }
    if (value)
        *static_cast<SQLINTEGER *>(value) = v;
    if (length)
        *length = sizeof(SQLINTEGER);
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLDriverConnect(SQLHDBC h, SQLHWND, SQLCHAR *in, SQLSMALLINT inLength,
                                          SQLCHAR *out, SQLSMALLINT outCapacity, SQLSMALLINT *outLength,
                                          SQLUSMALLINT)
{
    std::string completed;
    const SQLRETURN rc = DriverConnect(h, FromNarrow(in, inLength), &completed);
    if (SQL_SUCCEEDED(rc))
        CopyOut(completed, reinterpret_cast<char *>(out), outCapacity, outLength, false);
    return rc;
}

XLSODBC_EXPORT SQLRETURN SQLDriverConnectW(SQLHDBC h, SQLHWND, SQLWCHAR *in, SQLSMALLINT inLength,
                                           SQLWCHAR *out, SQLSMALLINT outCapacity, SQLSMALLINT *outLength,
                                           SQLUSMALLINT)
{
    std::string completed;
    const SQLRETURN rc = DriverConnect(h, Utf16ToUtf8(FromWide(in, inLength)), &completed);
    if (SQL_SUCCEEDED(rc))
        CopyOut(Utf8ToUtf16(completed), reinterpret_cast<char16_t *>(out), outCapacity, outLength, false);
    return rc;
}

XLSODBC_EXPORT SQLRETURN SQLDisconnect(SQLHDBC h)
{
    Dbc *dbc = AsDbc(h);
    if (!dbc)
        return SQL_INVALID_HANDLE;
    return Disconnect(dbc);
}

XLSODBC_EXPORT SQLRETURN SQLGetInfo(SQLHDBC h, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT capacity,
                                    SQLSMALLINT *length)
{
    return GetInfo(h, type, value, capacity, length, false);
}

XLSODBC_EXPORT SQLRETURN SQLGetInfoW(SQLHDBC h, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT capacity,
                                     SQLSMALLINT *length)
{
    return GetInfo(h, type, value, capacity, length, true);
}

XLSODBC_EXPORT SQLRETURN SQLSetConnectAttr(SQLHDBC h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    return SetConnectAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLSetConnectAttrW(SQLHDBC h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    return SetConnectAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLGetConnectAttr(SQLHDBC h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                           SQLINTEGER *length)
{
    if (length)
        *length = sizeof(SQLUINTEGER);
    return GetConnectAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLGetConnectAttrW(SQLHDBC h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                            SQLINTEGER *length)
{
    if (length)
        *length = sizeof(SQLUINTEGER);
    return GetConnectAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLEndTran(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT)
{
    // Every statement is committed when it runs; there is never anything pending.
    Handle *handle = AsAny(type, h);
    if (!handle)
        return SQL_INVALID_HANDLE;
    handle->Clear();
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLPrepare(SQLHSTMT h, SQLCHAR *text, SQLINTEGER length)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    return Prepare(st, Utf8ToUtf16(FromNarrow(text, length)));
}

XLSODBC_EXPORT SQLRETURN SQLPrepareW(SQLHSTMT h, SQLWCHAR *text, SQLINTEGER length)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    return Prepare(st, FromWide(text, length));
}

XLSODBC_EXPORT SQLRETURN SQLExecute(SQLHSTMT h)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    return Execute(st);
}

XLSODBC_EXPORT SQLRETURN SQLExecDirect(SQLHSTMT h, SQLCHAR *text, SQLINTEGER length)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    const SQLRETURN rc = Prepare(st, Utf8ToUtf16(FromNarrow(text, length)));
    return SQL_SUCCEEDED(rc) ? Execute(st) : rc;
}

XLSODBC_EXPORT SQLRETURN SQLExecDirectW(SQLHSTMT h, SQLWCHAR *text, SQLINTEGER length)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    const SQLRETURN rc = Prepare(st, FromWide(text, length));
    return SQL_SUCCEEDED(rc) ? Execute(st) : rc;
}

XLSODBC_EXPORT SQLRETURN SQLBindParameter(SQLHSTMT h, SQLUSMALLINT number, SQLSMALLINT ioType,
                                          SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN, SQLSMALLINT,
                                          SQLPOINTER value, SQLLEN bufferLength, SQLLEN *indicator)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    if (number < 1)
        return st->Error("07009", "Invalid parameter number 0.");
    if (ioType != SQL_PARAM_INPUT)
        return st->Error("HY105", "Only input parameters are supported.");
    if (number > 256 * 4)
        return st->Error("07009", "Invalid parameter number.");
    if (st->params.size() < number)
        st->params.resize(number);
    Param &p = st->params[number - 1];
    p.bound = true;
    p.ioType = ioType;
    p.cType = cType;
    p.sqlType = sqlType;
    p.value = value;
    p.bufferLength = bufferLength;
    p.indicator = indicator;
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLNumParams(SQLHSTMT h, SQLSMALLINT *count)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    if (!st->prepared)
        return st->Error("HY010", "No statement is prepared.");
    if (count)
        *count = static_cast<SQLSMALLINT>(st->statement.parameterCount);
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLNumResultCols(SQLHSTMT h, SQLSMALLINT *count)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    if (count)
        *count = 0;
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLRowCount(SQLHSTMT h, SQLLEN *count)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    if (count)
        *count = st->rowCount;
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLFreeStmt(SQLHSTMT h, SQLUSMALLINT option)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    switch (option) {
    case SQL_CLOSE:
    case SQL_UNBIND:
        return SQL_SUCCESS;
    case SQL_RESET_PARAMS:
        st->params.clear();
        return SQL_SUCCESS;
    case SQL_DROP:
        DropStatement(st);
        return SQL_SUCCESS;
    default:
        return st->Error("HY092", "Invalid option for SQLFreeStmt.");
    }
}

XLSODBC_EXPORT SQLRETURN SQLCancel(SQLHSTMT h)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    return SQL_SUCCESS;
}

XLSODBC_EXPORT SQLRETURN SQLFetch(SQLHSTMT h)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    return st->Error("24000", "Invalid cursor state: the statement returns no rows.");
}

XLSODBC_EXPORT SQLRETURN SQLFetchScroll(SQLHSTMT h, SQLSMALLINT, SQLLEN)
{
    return SQLFetch(h);
}

XLSODBC_EXPORT SQLRETURN SQLGetData(SQLHSTMT h, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN *)
{
    return SQLFetch(h);
}

XLSODBC_EXPORT SQLRETURN SQLMoreResults(SQLHSTMT h)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    return SQL_NO_DATA;
}

XLSODBC_EXPORT SQLRETURN SQLDescribeCol(SQLHSTMT h, SQLUSMALLINT, SQLCHAR *, SQLSMALLINT, SQLSMALLINT *,
                                        SQLSMALLINT *, SQLULEN *, SQLSMALLINT *, SQLSMALLINT *)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    return st->Error("07009", "Invalid descriptor index: the statement returns no columns.");
}

XLSODBC_EXPORT SQLRETURN SQLDescribeColW(SQLHSTMT h, SQLUSMALLINT, SQLWCHAR *, SQLSMALLINT, SQLSMALLINT *,
                                         SQLSMALLINT *, SQLULEN *, SQLSMALLINT *, SQLSMALLINT *)
{
    return SQLDescribeCol(h, 0, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr);
}

XLSODBC_EXPORT SQLRETURN SQLColAttribute(SQLHSTMT h, SQLUSMALLINT, SQLUSMALLINT, SQLPOINTER, SQLSMALLINT,
                                         SQLSMALLINT *, SQLLEN *)
{
    return SQLDescribeCol(h, 0, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr);
}

XLSODBC_EXPORT SQLRETURN SQLColAttributeW(SQLHSTMT h, SQLUSMALLINT, SQLUSMALLINT, SQLPOINTER, SQLSMALLINT,
                                          SQLSMALLINT *, SQLLEN *)
{
    return SQLDescribeCol(h, 0, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr);
}

XLSODBC_EXPORT SQLRETURN SQLSetStmtAttr(SQLHSTMT h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    return SetStmtAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLSetStmtAttrW(SQLHSTMT h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    return SetStmtAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLGetStmtAttr(SQLHSTMT h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                        SQLINTEGER *length)
{
    if (length)
        *length = sizeof(SQLULEN);
    return GetStmtAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLGetStmtAttrW(SQLHSTMT h, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                         SQLINTEGER *length)
{
    if (length)
        *length = sizeof(SQLULEN);
    return GetStmtAttr(h, attribute, value);
}

XLSODBC_EXPORT SQLRETURN SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT record, SQLCHAR *state,
                                       SQLINTEGER *native, SQLCHAR *message, SQLSMALLINT capacity,
                                       SQLSMALLINT *length)
{
    return GetDiagRec(type, h, record, state, native, message, capacity, length, false);
}

XLSODBC_EXPORT SQLRETURN SQLGetDiagRecW(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT record, SQLWCHAR *state,
                                        SQLINTEGER *native, SQLWCHAR *message, SQLSMALLINT capacity,
                                        SQLSMALLINT *length)
{
    return GetDiagRec(type, h, record, state, native, message, capacity, length, true);
}

XLSODBC_EXPORT SQLRETURN SQLGetDiagField(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT record, SQLSMALLINT field,
                                         SQLPOINTER value, SQLSMALLINT capacity, SQLSMALLINT *length)
{
    return GetDiagField(type, h, record, field, value, capacity, length, false);
}

XLSODBC_EXPORT SQLRETURN SQLGetDiagFieldW(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT record, SQLSMALLINT field,
                                          SQLPOINTER value, SQLSMALLINT capacity, SQLSMALLINT *length)
{
    return GetDiagField(type, h, record, field, value, capacity, length, true);
}

// Catalog functions: present because applications check for them before they
// connect, but a workbook being written has no catalog to report.
namespace {

SQLRETURN NoCatalog(SQLHSTMT h)
{
    Stmt *st = AsStmt(h);
    if (!st)
        return SQL_INVALID_HANDLE;
    st->Clear();
    return st->Error("HYC00", "Catalog functions are not supported by the workbook driver.");
}

} // namespace

XLSODBC_EXPORT SQLRETURN SQLTables(SQLHSTMT h, SQLCHAR *, SQLSMALLINT, SQLCHAR *, SQLSMALLINT, SQLCHAR *,
                                   SQLSMALLINT, SQLCHAR *, SQLSMALLINT)
{
    return NoCatalog(h);
}

XLSODBC_EXPORT SQLRETURN SQLTablesW(SQLHSTMT h, SQLWCHAR *, SQLSMALLINT, SQLWCHAR *, SQLSMALLINT, SQLWCHAR *,
                                    SQLSMALLINT, SQLWCHAR *, SQLSMALLINT)
{
    return NoCatalog(h);
}

XLSODBC_EXPORT SQLRETURN SQLColumns(SQLHSTMT h, SQLCHAR *, SQLSMALLINT, SQLCHAR *, SQLSMALLINT, SQLCHAR *,
                                    SQLSMALLINT, SQLCHAR *, SQLSMALLINT)
{
    return NoCatalog(h);
}

XLSODBC_EXPORT SQLRETURN SQLColumnsW(SQLHSTMT h, SQLWCHAR *, SQLSMALLINT, SQLWCHAR *, SQLSMALLINT, SQLWCHAR *,
                                     SQLSMALLINT, SQLWCHAR *, SQLSMALLINT)
{
    return NoCatalog(h);
}
