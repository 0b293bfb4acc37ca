#include "platform/ini.h"

#include "platform/file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

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

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// The section a header line names, or false for a line that is no header.
bool SectionName(const std::string& line, std::string& name) {
    const std::string text = Trim(line);
    if (text.empty() || text[0] != '[')
        return false;
    const size_t close = text.find(']');
    name = Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// Whether the line sets key; equals is then the position of its '='.
bool SetsKey(const std::string& line, const std::string& key, size_t& equals) {
    const std::string text = Trim(line);
    if (text.empty() || text[0] == ';' || text[0] == '[')
        return false;
    equals = line.find('=');
    return equals != std::string::npos && EqualNoCase(Trim(line.substr(0, equals)), key);
}

// The file's lines, each without its end, and the ends apart: a line keeps
// its own end; lines added take the end of the file's first line.
struct ProfileText {
    bool byteOrderMark = false;
    std::vector<std::string> lines;
    std::vector<std::string> ends;
    std::string newLineEnd = "\n";

    void Insert(size_t at, const std::string& line) {
        // A last line without an end gets one before anything follows it.
        if (at > 0 && ends[at - 1].empty())
            ends[at - 1] = newLineEnd;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        ends.insert(ends.begin() + static_cast<std::ptrdiff_t>(at), newLineEnd);
    }
};

ProfileText SplitLines(std::string bytes) {
    ProfileText text;
    if (bytes.compare(0, 3, kByteOrderMark) == 0) {
        text.byteOrderMark = true;
        bytes.erase(0, 3);
    }
    size_t begin = 0;
    while (begin < bytes.size()) {
        const size_t newline = bytes.find('\n', begin);
        size_t end = newline == std::string::npos ? bytes.size() : newline;
        const size_t next = newline == std::string::npos ? bytes.size() : newline + 1;
        if (end > begin && bytes[end - 1] == '\r' && newline != std::string::npos)
            --end;
        text.lines.push_back(bytes.substr(begin, end - begin));
        text.ends.push_back(bytes.substr(end, next - end));
        begin = next;
    }
    if (!text.ends.empty() && !text.ends.front().empty())
        text.newLineEnd = text.ends.front();
    return text;
}

void SetEntry(ProfileText& text, const ProfileEntry& entry) {
    std::vector<std::string>& lines = text.lines;
    size_t header = lines.size();
    std::string name;
    for (size_t i = 0; i < lines.size() && header == lines.size(); ++i) {
        if (SectionName(lines[i], name) && EqualNoCase(name, entry.section))
            header = i;
    }
    const std::string setting = entry.key + "=" + entry.value;
    if (header == lines.size()) {
        if (!lines.empty() && !Trim(lines.back()).empty())
            text.Insert(lines.size(), "");
        text.Insert(lines.size(), "[" + entry.section + "]");
        text.Insert(lines.size(), setting);
        return;
    }
    size_t lastKey = header;
    for (size_t i = header + 1; i < lines.size(); ++i) {
        if (SectionName(lines[i], name))
            break;
        size_t equals = 0;
        if (SetsKey(lines[i], entry.key, equals)) {
            // The key as it was written, and the blanks after '=', stay.
            size_t value = equals + 1;
            while (value < lines[i].size() && (lines[i][value] == ' ' || lines[i][value] == '\t'))
                ++value;
            lines[i] = lines[i].substr(0, value) + entry.value;
            return;
        }
        const std::string trimmed = Trim(lines[i]);
        if (!trimmed.empty() && trimmed[0] != ';')
            lastKey = i;  // a comment after the last key may speak of the next section
    }
    text.Insert(lastKey + 1, setting);
}

std::string JoinLines(const ProfileText& text) {
    std::string bytes = text.byteOrderMark ? kByteOrderMark : "";
    for (size_t i = 0; i < text.lines.size(); ++i)
        bytes += text.lines[i] + text.ends[i];
    return bytes;
}

std::string Reason(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// The file a path names, through symbolic links, so that replacing it keeps the link.
std::string TargetOf(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    const std::string target = resolved;
    std::free(resolved);
    return target;
}

}  // namespace

bool WriteProfileStrings(const std::string& path, const std::vector<ProfileEntry>& entries,
                         std::string& error) {
    error.clear();
    const std::string target = TargetOf(path);
    std::string bytes;
    {
        std::ifstream file(target, std::ios::binary);
        if (file) {
            std::ostringstream contents;
            contents << file.rdbuf();
            if (file.bad()) {
                error = Reason("cannot read", target);
                return false;
            }
            bytes = contents.str();
        } else if (access(target.c_str(), F_OK) == 0) {
            error = Reason("cannot read", target);
            return false;
        }
    }
    ProfileText text = SplitLines(bytes);
    for (const ProfileEntry& entry : entries)
        SetEntry(text, entry);
    return WriteFileAtomically(target, JoinLines(text), &error);
}

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
