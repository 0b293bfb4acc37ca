#include "platform/user_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

#include <filesystem>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// An XDG folder variable: used when set to an absolute path, as the
// specification says; otherwise HOME followed by the fallback.
std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
    const std::string value = Environment(variable);
    if (!value.empty() && value[0] == '/')
        return value;
    const std::string home = Environment("HOME");
    return home.empty() ? "" : home + "/" + fallbackBelowHome;
}

// XDG_PICTURES_DIR="$HOME/Pictures" in user-dirs.dirs: the value between the
// quotes, with a leading $HOME put in; "" when the file or the line is missing.
std::string PicturesFromUserDirs(const std::string& configHome, const std::string& home) {
    std::ifstream file(configHome + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_PICTURES_DIR=\"";
    while (std::getline(file, line)) {
        if (line.compare(0, key.size(), key) != 0)
            continue;
        const size_t end = line.find('"', key.size());
        if (end == std::string::npos)
            return "";
        std::string value = line.substr(key.size(), end - key.size());
        if (value.compare(0, 5, "$HOME") == 0)
            value = home + value.substr(5);
        return !value.empty() && value[0] == '/' ? value : "";
    }
    return "";
}

}  // namespace

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "" : executable.parent_path().string();
}

std::string UserConfigHome() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string UserDataHome() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

std::string UserPicturesFolder() {
    const std::string fromEnvironment = Environment("XDG_PICTURES_DIR");
    if (!fromEnvironment.empty() && fromEnvironment[0] == '/')
        return fromEnvironment;
    const std::string home = Environment("HOME");
    if (home.empty())
        return "";
    const std::string configHome = UserConfigHome();
    const std::string fromFile = configHome.empty() ? "" : PicturesFromUserDirs(configHome, home);
    return fromFile.empty() ? home + "/Pictures" : fromFile;
}

bool IsFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ChangeCurrentDirectory(const std::string& folder) {
    return chdir(folder.c_str()) == 0;
}
