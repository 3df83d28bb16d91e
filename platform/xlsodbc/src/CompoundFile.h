// The compound-file container (version 3, 512-byte sectors) holding one
// stream, as Excel 97-2003 files carry their "Workbook" stream.
#pragma once

#include <string>

namespace xlsodbc {

// Returns the bytes of a compound file with the one stream `streamName`.
std::string BuildCompoundFile(const std::u16string &streamName, const std::string &stream);

} // namespace xlsodbc
