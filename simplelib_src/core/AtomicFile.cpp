#include "core/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder of the path, for the temporary file and the sync after the rename.
std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A new file keeps the permissions of the one it replaces; a first file gets the usual
// ones (what the user's umask leaves of rw-rw-rw-).
mode_t modeForTarget(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool fail(const std::string& what, std::string* reason)
{
    if (reason != nullptr)
        *reason = what + ": " + std::strerror(errno);
    return false;
}

bool writeAll(int fd, const std::string& bytes)
{
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= (size_t)written;
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string* reason)
{
    std::string folder = folderOf(path);
    std::string tmpl = path + ".tmp-XXXXXX";
    int fd = mkstemp(&tmpl[0]);
    if (fd < 0)
        return fail("cannot create a temporary file in '" + folder + "'", reason);

    bool ok = fchmod(fd, modeForTarget(path)) == 0 || errno == EPERM;
    if (!ok || !writeAll(fd, bytes) || fsync(fd) != 0) {
        int saved = errno;
        close(fd);
        unlink(tmpl.c_str());
        errno = saved;
        return fail("cannot write '" + tmpl + "'", reason);
    }
    if (close(fd) != 0) {
        int saved = errno;
        unlink(tmpl.c_str());
        errno = saved;
        return fail("cannot write '" + tmpl + "'", reason);
    }
    if (rename(tmpl.c_str(), path.c_str()) != 0) {
        int saved = errno;
        unlink(tmpl.c_str());
        errno = saved;
        return fail("cannot replace '" + path + "'", reason);
    }
    // The rename itself reaches the disk only when the folder is synced.
    int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        bool synced = fsync(dirFd) == 0;
        int saved = errno;
        close(dirFd);
        errno = saved;
        if (!synced)
            return fail("cannot sync the folder '" + folder + "'", reason);
    }
    return true;
}
