#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string Reason(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& target, const std::string& bytes,
                           std::string& error) {
    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = Reason("cannot write beside", target);
        return false;
    }
    struct stat old;
    const mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const bool written = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    if (!written)
        error = Reason("cannot write", temporary);
    if (close(fd) != 0 && written)
        error = Reason("cannot write", temporary);
    if (!error.empty() || rename(temporary.c_str(), target.c_str()) != 0) {
        if (error.empty())
            error = Reason("cannot replace", target);
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}
