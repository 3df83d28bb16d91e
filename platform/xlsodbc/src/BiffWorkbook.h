// Builds the BIFF8 "Workbook" stream of an Excel 97-2003 file: globals with
// fonts, formats and a shared string table, then one worksheet per sheet.
#pragma once

#include <string>
#include <vector>

namespace xlsodbc {

struct SheetData
{
    std::u16string name;                          // at most 31 characters
    std::vector<std::vector<std::u16string>> rows; // text cells; empty texts are left blank
};

constexpr size_t kMaxSheetRows = 65536;
constexpr size_t kMaxSheetColumns = 256;

// Bytes of the stream; the sheets must respect the two limits above.
std::string BuildWorkbookStream(const std::vector<SheetData> &sheets);

// A name Excel accepts for a sheet: forbidden characters replaced, at most
// 31 characters, never empty.
std::u16string ValidSheetName(const std::u16string &name);

} // namespace xlsodbc
