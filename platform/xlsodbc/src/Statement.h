// The two statements the workbook driver understands, parsed.
#pragma once

#include <string>
#include <vector>

namespace xlsodbc {

struct SqlError
{
    std::string state;    // five-character SQLSTATE
    std::string message;
};

struct FieldDef
{
    std::u16string name;
    int size = 255;       // characters a value may hold
};

enum class ValueKind { Parameter, Literal, Null };

struct ValueExpr
{
    ValueKind kind = ValueKind::Null;
    int parameter = 0;    // 1-based marker number for Parameter
    std::u16string text;  // for Literal
};

struct Statement
{
    enum class Kind { CreateTable, Insert } kind = Kind::CreateTable;
    std::u16string table;
    std::vector<FieldDef> fields;       // CREATE TABLE
    std::vector<std::u16string> columns; // INSERT column list, empty for all
    std::vector<ValueExpr> values;       // INSERT
    int parameterCount = 0;
};

// Parses CREATE TABLE [t] ([f] char(n), ...) and
// INSERT INTO [t] ("f", ...) VALUES (?, 'text', NULL, ...).
// Anything else fails with the SQLSTATE a caller should report.
bool ParseStatement(const std::u16string &sql, Statement *statement, SqlError *error);

} // namespace xlsodbc
