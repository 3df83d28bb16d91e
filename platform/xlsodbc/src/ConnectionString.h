// The keys of a connection string the workbook driver reads.
#pragma once

#include <map>
#include <string>

namespace xlsodbc {

// Keys are stored in upper case; values have their braces or quotes removed.
// A piece without "=" continues the value before it, so an unquoted DBQ
// path that happens to hold a ";" still arrives whole.
std::map<std::string, std::string> ParseConnectionString(const std::string &text);

struct ConnectionOptions
{
    std::string path;          // DBQ
    std::string createName;    // CREATE_DB, empty when not given
    bool createRequested = false;
    bool firstRowHasNames = true;
    bool readOnly = true;
};

// Fills options from the parsed keys; false with a reason when a key holds
// a value the driver cannot honour.
bool ReadConnectionOptions(const std::map<std::string, std::string> &keys,
                           ConnectionOptions *options, std::string *reason);

} // namespace xlsodbc
