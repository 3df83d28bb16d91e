// Makes the spreadsheet ODBC driver reachable under the driver name of the
// export's connection string.
#pragma once

class ExcelDriverLoader
{
public:
    // On Linux the driver library carries the driver name as its SONAME.
    // unixODBC loads a driver that no odbcinst.ini lists by that name, and the
    // dynamic loader hands back an already loaded library of that SONAME; so
    // loading the driver once (privately, RTLD_LOCAL) registers it for this
    // process without touching any ODBC configuration or environment
    // variable, and a host program's own ODBC drivers and data sources stay
    // as they are. A driver an administrator registered under the same name
    // in odbcinst.ini takes precedence. Elsewhere the name is the platform's
    // own driver and nothing needs loading. Returns false when the driver
    // library was not found; the connection then fails as without a driver.
    static bool EnsureLoaded();
};
