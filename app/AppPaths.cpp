#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ApplicationDirSlash()
{
    return QDir::fromNativeSeparators(QCoreApplication::applicationDirPath()) + QLatin1Char('/');
}

QString ResolveAppPath(const QString &name)
{
    if (QFileInfo(name).isRelative())
        return ApplicationDirSlash() + name;
    return name;
}
