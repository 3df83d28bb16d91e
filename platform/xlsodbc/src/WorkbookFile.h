// Puts a finished workbook at its path in one step: the bytes are written
// to an unnamed (or hidden) file in the same folder and only linked under
// the real name once they are complete. An existing file is never replaced.
#pragma once

#include <string>

namespace xlsodbc {

class WorkbookFile
{
public:
    WorkbookFile() = default;
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile &) = delete;
    WorkbookFile &operator=(const WorkbookFile &) = delete;

    // Opens the file the workbook will be written into; this fails at once
    // when the folder cannot be written.
    bool Prepare(const std::string &path, std::string *error);

    // Writes, flushes and links the file under the path given to Prepare.
    bool Publish(const std::string &bytes, std::string *error);

    // Drops the prepared file without leaving anything behind.
    void Discard();

private:
    bool OpenNamed();
    bool WriteAll(const std::string &bytes, std::string *error);

    std::string m_strPath;
    std::string m_strTempPath; // empty when the file has no name yet
    int m_fd = -1;
};

} // namespace xlsodbc
