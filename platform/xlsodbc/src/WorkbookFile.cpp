#include "WorkbookFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace xlsodbc {

namespace {

std::string FolderOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ErrorText(const char *what, int err)
{
    return std::string(what) + ": " + std::strerror(err);
}

void SyncFolder(const std::string &folder)
{
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

} // namespace

WorkbookFile::~WorkbookFile()
{
    Discard();
}

bool WorkbookFile::Prepare(const std::string &path, std::string *error)
{
    Discard();
    m_strPath = path;
    const std::string folder = FolderOf(path);
#ifdef O_TMPFILE
    m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd >= 0)
        return true;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        *error = ErrorText("The folder of the workbook cannot be written", errno);
        return false;
    }
#endif
    // File systems without unnamed files: a hidden name beside the target.
    if (OpenNamed())
        return true;
    *error = ErrorText("The folder of the workbook cannot be written", errno);
    return false;
}

bool WorkbookFile::OpenNamed()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(rd()));
        const std::string candidate = FolderOf(m_strPath) + "/." + BaseOf(m_strPath) + "." + suffix + ".part";
        m_fd = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_strTempPath = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool WorkbookFile::WriteAll(const std::string &bytes, std::string *error)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = ErrorText("Writing the workbook failed", errno);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(m_fd) != 0) {
        *error = ErrorText("Writing the workbook failed", errno);
        return false;
    }
    return true;
}

bool WorkbookFile::Publish(const std::string &bytes, std::string *error)
{
    if (m_fd < 0) {
        *error = "No workbook file was prepared.";
        return false;
    }
    if (!WriteAll(bytes, error)) {
        Discard();
        return false;
    }

    bool linked = false;
    if (m_strTempPath.empty()) {
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", m_fd);
        linked = ::linkat(AT_FDCWD, self, AT_FDCWD, m_strPath.c_str(), AT_SYMLINK_FOLLOW) == 0;
        if (!linked && errno != EEXIST)
            linked = ::linkat(m_fd, "", AT_FDCWD, m_strPath.c_str(), AT_EMPTY_PATH) == 0;
        if (!linked && errno != EEXIST) {
            // Neither way to name an unnamed file works here (no /proc, no
            // privilege): write the bytes once more under a hidden name.
            ::close(m_fd);
            m_fd = -1;
            if (!OpenNamed() || !WriteAll(bytes, error)) {
                if (error->empty())
                    *error = ErrorText("The workbook could not be written", errno);
                Discard();
                return false;
            }
        }
    }
    if (!linked && !m_strTempPath.empty()) {
        linked = ::link(m_strTempPath.c_str(), m_strPath.c_str()) == 0;
        if (!linked && errno != EEXIST) {
            // Some file systems have no hard links; rename is then the one step left.
            struct stat st;
            if (::stat(m_strPath.c_str(), &st) != 0 && errno == ENOENT)
                linked = ::rename(m_strTempPath.c_str(), m_strPath.c_str()) == 0;
            else
                errno = EEXIST;
        }
    }
    if (!linked) {
        *error = ErrorText("The workbook could not be put in place", errno);
        Discard();
        return false;
    }
    Discard();
    SyncFolder(FolderOf(m_strPath));
    return true;
}

void WorkbookFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_strTempPath.empty()) {
        ::unlink(m_strTempPath.c_str());
        m_strTempPath.clear();
    }
}

} // namespace xlsodbc
