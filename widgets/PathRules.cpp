#include "widgets/PathRules.h"

#include <QDir>
#include <QFileInfo>

QString ResolveStartDir(const QString& path)
{
    const QString current = QDir::currentPath();
    if (path.isEmpty())
        return current;
    const QFileInfo info(QDir(current), path);
    if (info.isDir())
        return QDir::cleanPath(info.absoluteFilePath());
    const QFileInfo folder(info.absolutePath());
    if (folder.isDir())
        return QDir::cleanPath(folder.absoluteFilePath());
    return current;
}

QString FilterExtension(const QString& filter)
{
    const int star = int(filter.indexOf(QLatin1Char('*')));
    if (star < 0)
        return QString();
    const int start = star + 1;
    int end = int(filter.indexOf(QLatin1Char(' '), start));
    if (end < 0)
        end = int(filter.indexOf(QLatin1Char(')'), start));
    const QString extension = end < 0 ? filter.mid(start) : filter.mid(start, end - start);
    // "*" and "*.*" name no extension: appending them would corrupt the name.
    if (extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?')))
        return QString();
    return extension;
}

QString WithFilterExtension(const QString& path, const QString& filter)
{
    const QString extension = FilterExtension(filter);
    if (extension.isEmpty() || path.endsWith(extension))
        return path;
    return path + extension;
}

QString WithTrailingSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
