// The sheets a connection has created and the rows inserted into them.
#pragma once

#include "BiffWorkbook.h"
#include "Statement.h"

#include <string>
#include <vector>

namespace xlsodbc {

class Workbook
{
public:
    explicit Workbook(bool firstRowHasNames) : m_bFirstRowHasNames(firstRowHasNames) {}

    bool CreateTable(const Statement &st, SqlError *error);

    // Checks an INSERT against the sheets; fills `columnMap` with the field
    // index each value goes to.
    bool ResolveInsert(const Statement &st, size_t *table, std::vector<size_t> *columnMap,
                       SqlError *error) const;

    // Appends one record; the values are already in field order.
    bool AppendRow(size_t table, std::vector<std::u16string> row, SqlError *error);

    const std::vector<FieldDef> &Fields(size_t table) const { return m_tables[table].fields; }
    bool IsEmpty() const { return m_tables.empty(); }

    // The sheets as they go into the file, field names first when wanted.
    std::vector<SheetData> Sheets() const;

private:
    struct Table
    {
        std::u16string name;
        std::vector<FieldDef> fields;
        std::vector<std::vector<std::u16string>> rows;
    };

    int FindTable(const std::u16string &name) const;

    bool m_bFirstRowHasNames;
    std::vector<Table> m_tables;
};

} // namespace xlsodbc
