#include "FileSetAside.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

FileSetAside::~FileSetAside()
{
    Restore();
}

bool FileSetAside::SetAside(const QString &path)
{
    Restore();
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString backup = info.absolutePath() + QStringLiteral("/.") + info.fileName()
            + QStringLiteral(".%1.old").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        if (QFileInfo::exists(backup))
            continue;
        if (!QFile::rename(path, backup))
            return false;
        m_strPath = path;
        m_strBackup = backup;
        return true;
    }
    return false;
}

void FileSetAside::Drop()
{
    if (m_strBackup.isEmpty())
        return;
    QFile::remove(m_strBackup);
    m_strBackup.clear();
}

void FileSetAside::Restore()
{
    if (m_strBackup.isEmpty())
        return;
    QFile::remove(m_strPath);
    QFile::rename(m_strBackup, m_strPath);
    m_strBackup.clear();
}
