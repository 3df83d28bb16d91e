// Paths below the application directory, where Setup.xml, the translations
// and the plug-ins live.
#pragma once

#include <QString>

// The application directory with forward slashes and one trailing "/".
QString ApplicationDirSlash();

// A relative name is taken below the application directory; an absolute one
// is returned unchanged.
QString ResolveAppPath(const QString &name);
