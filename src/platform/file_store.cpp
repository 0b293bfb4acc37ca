#include "platform/file_store.h"

#include "platform/user_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void SetError(std::string* error, const std::string& what) {
    if (error)
        *error = what + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, "cannot open " + path);
        return false;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            SetError(error, "cannot read " + path);
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        SetError(error, "cannot write beside " + path);
        return false;
    }
    // A file replaced keeps its permissions; a new one is readable by all.
    struct stat old;
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (!WriteAll(fd, bytes) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        SetError(error, "cannot write " + temporary);
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::close(fd) != 0) {
        SetError(error, "cannot close " + temporary);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot rename " + temporary + " to " + path);
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool PathExists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

std::string SetFileAside(const std::string& path) {
    std::string aside = path + ".bad";
    for (int n = 2; PathExists(aside) && n < 1000; ++n)
        aside = path + ".bad." + std::to_string(n);
    if (PathExists(aside) || ::rename(path.c_str(), aside.c_str()) != 0)
        return std::string();
    return aside;
}

bool MakeWritableFolder(const std::string& path, std::string* error) {
    if (path.empty()) {
        if (error)
            *error = "no folder for the player's files (neither XDG_DATA_HOME nor HOME is set)";
        return false;
    }
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = slash == std::string::npos ? path : path.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            SetError(error, "cannot create " + part);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        SetError(error, "cannot use " + path);
        return false;
    }
    if (::access(path.c_str(), W_OK | X_OK) != 0) {
        SetError(error, "cannot write to " + path);
        return false;
    }
    return true;
}

std::string UserDataFolder(const std::string& app) {
    const std::string home = UserDataHome();
    return home.empty() ? home : home + "/" + app;
}
