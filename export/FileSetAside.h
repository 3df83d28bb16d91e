// Keeps a file the user agreed to replace until its replacement is written:
// the file is moved to a hidden name beside it, removed once the new file is
// in place, and moved back when the save fails.
#pragma once

#include <QString>

class FileSetAside
{
public:
    FileSetAside() = default;
    ~FileSetAside(); // puts the file back unless Drop() was called
    FileSetAside(const FileSetAside &) = delete;
    FileSetAside &operator=(const FileSetAside &) = delete;

    // Moves the file at path aside; false when it could not be moved (it
    // then stays where it is). A folder is never moved.
    bool SetAside(const QString &path);
    // The replacement is in place: the old file goes.
    void Drop();
    // The save failed: whatever is at the path goes and the old file returns.
    void Restore();

    bool IsSetAside() const { return !m_strBackup.isEmpty(); }

private:
    QString m_strPath;
    QString m_strBackup;
};
