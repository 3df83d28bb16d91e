#include "Workbook.h"

#include "Utf.h"

namespace xlsodbc {

int Workbook::FindTable(const std::u16string &name) const
{
    // Sheet names compare without case in Excel, and two tables must not
    // end up as two sheets of the same name.
    const std::u16string key = FoldAscii(ValidSheetName(name));
    for (size_t i = 0; i < m_tables.size(); ++i) {
        if (FoldAscii(ValidSheetName(m_tables[i].name)) == key)
            return static_cast<int>(i);
    }
    return -1;
}

bool Workbook::CreateTable(const Statement &st, SqlError *error)
{
    if (FindTable(st.table) >= 0) {
        *error = {"42S01", "Table \"" + Utf16ToUtf8(st.table) + "\" already exists."};
        return false;
    }
    Table t;
    t.name = st.table;
    t.fields = st.fields;
    m_tables.push_back(std::move(t));
    return true;
}

bool Workbook::ResolveInsert(const Statement &st, size_t *table, std::vector<size_t> *columnMap,
                             SqlError *error) const
{
    const int index = FindTable(st.table);
    if (index < 0) {
        *error = {"42S02", "Table \"" + Utf16ToUtf8(st.table) + "\" does not exist."};
        return false;
    }
    const Table &t = m_tables[static_cast<size_t>(index)];
    columnMap->clear();
    if (st.columns.empty()) {
        if (st.values.size() != t.fields.size()) {
            *error = {"21S01", "The number of values does not match the number of fields."};
            return false;
        }
        for (size_t i = 0; i < t.fields.size(); ++i)
            columnMap->push_back(i);
    } else {
        std::vector<bool> used(t.fields.size(), false);
        for (const std::u16string &column : st.columns) {
            const std::u16string key = FoldAscii(column);
            size_t found = t.fields.size();
            for (size_t i = 0; i < t.fields.size(); ++i) {
                if (FoldAscii(t.fields[i].name) == key) {
                    found = i;
                    break;
                }
            }
            if (found == t.fields.size()) {
                *error = {"42S22", "Field \"" + Utf16ToUtf8(column) + "\" does not exist."};
                return false;
            }
            if (used[found]) {
                *error = {"42000", "Field \"" + Utf16ToUtf8(column) + "\" is named twice."};
                return false;
            }
            used[found] = true;
            columnMap->push_back(found);
        }
    }
    *table = static_cast<size_t>(index);
    return true;
}

bool Workbook::AppendRow(size_t table, std::vector<std::u16string> row, SqlError *error)
{
    Table &t = m_tables[table];
    const size_t limit = kMaxSheetRows - (m_bFirstRowHasNames ? 1 : 0);
    if (t.rows.size() >= limit) {
        *error = {"HY000", "The sheet is full: a sheet holds at most 65536 rows."};
        return false;
    }
    for (size_t i = 0; i < row.size(); ++i) {
        if (CodePointCount(row[i]) > static_cast<size_t>(t.fields[i].size)) {
            *error = {"22001", "String data, right truncation: the value for field \""
                                   + Utf16ToUtf8(t.fields[i].name) + "\" is longer than "
                                   + std::to_string(t.fields[i].size) + " characters."};
            return false;
        }
    }
    t.rows.push_back(std::move(row));
    return true;
}

std::vector<SheetData> Workbook::Sheets() const
{
    std::vector<SheetData> sheets;
    sheets.reserve(m_tables.size());
    for (const Table &t : m_tables) {
        SheetData s;
        s.name = t.name;
        s.rows.reserve(t.rows.size() + 1);
        if (m_bFirstRowHasNames) {
            std::vector<std::u16string> names;
            for (const FieldDef &f : t.fields)
                names.push_back(f.name);
            s.rows.push_back(std::move(names));
        }
        s.rows.insert(s.rows.end(), t.rows.begin(), t.rows.end());
        sheets.push_back(std::move(s));
    }
    return sheets;
}

} // namespace xlsodbc
