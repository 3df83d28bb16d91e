#pragma once

#include <QString>

// Path decisions of the path combo box and its file chooser, free of any window.

// Folder a chooser starts in: the current folder for an empty path; an
// existing folder as its cleaned absolute path; otherwise the folder that
// contains path when that exists; otherwise the current folder. Relative
// paths are taken from the current folder.
QString ResolveStartDir(const QString& path);

// Extension a name filter asks for: "Excel (*.xls)" gives ".xls", "*.txt *.log"
// gives ".txt". Empty when the filter has no "*" or its pattern is itself a
// wildcard such as "*" or "*.*".
QString FilterExtension(const QString& filter);

// path with the filter's extension appended unless it already ends with it
// (case-sensitive).
QString WithFilterExtension(const QString& path, const QString& filter);

// A chosen folder always ends in "/".
QString WithTrailingSlash(const QString& folder);
