#include "ExcelDriverLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <dlfcn.h>

namespace {

// The folder of the binary this code is part of: the program, or the shared
// module a host program loaded. The driver is installed beside it.
QString OwnFolder()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void *>(&ExcelDriverLoader::EnsureLoaded), &info) && info.dli_fname)
        return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
    return QString();
}

} // namespace

bool ExcelDriverLoader::EnsureLoaded()
{
    static void *s_pDriver = nullptr;
    if (s_pDriver)
        return true;
    QStringList folders{OwnFolder()};
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath();
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString path = QDir(folder).filePath(QStringLiteral(VREL_XLSODBC_FILE));
        if (!QFileInfo::exists(path))
            continue;
        // Kept loaded for the life of the process: the name stays registered.
        s_pDriver = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (s_pDriver)
            return true;
    }
    return false;
}
