#include "ExcelDriverLoader.h"

bool ExcelDriverLoader::EnsureLoaded()
{
    // The driver name is the one Windows' own spreadsheet driver is registered under.
    return true;
}
