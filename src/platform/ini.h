#pragma once
// Private-profile (INI) reading with the rules the settings rely on: sections
// and keys match without regard to case, values are trimmed of surrounding
// blanks and one pair of surrounding quotes, at most 63 characters come back,
// and the default is returned when the file, section or key is missing. The
// file is read again at every call.

#include <string>
#include <vector>

constexpr size_t kProfileValueMaxLength = 63;

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;
};

// Sets each entry's key in the file at path, keeping every other line as it
// stands (other keys, sections, comments, blank lines, the line ends). The
// key's line in the first section of that name, the one ReadProfileString
// reads, gets the new value; a key not there is added after the section's
// last key; a section not there is added at the end. A missing file is
// made. The file is replaced as a whole: written beside it, flushed to the
// disk and renamed over it, so a crash leaves the old file or the new one.
// False, with the reason in error, when it cannot be written; the file is
// then untouched.
bool WriteProfileStrings(const std::string& path, const std::vector<ProfileEntry>& entries,
                         std::string& error);

// The process's current directory, without a trailing slash.
std::string CurrentDirectory();

// The settings file the program reads and writes: settings.ini in the
// current directory, unless start-up names another (an installed game keeps
// it in the user's configuration folder). Set once, before anything reads it.
void SetSettingsFile(const std::string& path);
// The file named by SetSettingsFile, "" when none was.
const std::string& SettingsFileOverride();
