#include "platform/ini.h"

#include <unistd.h>

#include <cctype>
#include <climits>
#include <fstream>

namespace {

std::string Trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2) {
        const char first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string Limit(const std::string& value) {
    return value.substr(0, kProfileValueMaxLength);
}

}  // namespace

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Limit(defaultValue);

    bool inSection = false;
    bool sectionSeen = false;
    std::string line;
    bool firstLine = true;
    while (std::getline(file, line)) {
        if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        firstLine = false;
        const std::string text = Trim(line);
        if (text.empty() || text[0] == ';')
            continue;
        if (text[0] == '[') {
            if (sectionSeen)
                break;  // only the first section of that name is read
            const size_t close = text.find(']');
            const std::string name =
                Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = EqualNoCase(name, section);
            sectionSeen = inSection;
            continue;
        }
        if (!inSection)
            continue;
        const size_t equals = text.find('=');
        if (equals == std::string::npos)
            continue;
        if (EqualNoCase(Trim(text.substr(0, equals)), key))
            return Limit(Unquote(Trim(text.substr(equals + 1))));
    }
    return Limit(defaultValue);
}

std::string CurrentDirectory() {
    char directory[PATH_MAX];
    if (!getcwd(directory, sizeof directory))
        return ".";
    return directory;
}

namespace {

std::string g_settingsFile;

}  // namespace

void SetSettingsFile(const std::string& path) {
    g_settingsFile = path;
}

const std::string& SettingsFileOverride() {
    return g_settingsFile;
}
