#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

bool Fail(std::string* error, const std::string& what, int err) {
    if (error)
        *error = what + ": " + std::strerror(err);
    return false;
}

std::string DirectoryOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return Fail(error, "cannot create " + temp, errno);

    // Keep the permissions of the file being replaced, else the usual 0644.
    struct stat old {};
    fchmod(fd, stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    auto abandon = [&](const std::string& what) {
        int err = errno;
        close(fd);
        unlink(temp.c_str());
        return Fail(error, what, err);
    };
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return abandon("cannot write " + temp);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (fsync(fd) != 0)
        return abandon("cannot sync " + temp);
    if (close(fd) != 0) {
        int err = errno;
        unlink(temp.c_str());
        return Fail(error, "cannot close " + temp, err);
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        unlink(temp.c_str());
        return Fail(error, "cannot replace " + path, err);
    }
    // The rename is durable only once the directory entry is on disk.
    int dir = open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

} // namespace corvane
