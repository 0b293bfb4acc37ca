#pragma once
// Private-profile (INI) reading with the rules the settings rely on: sections
// and keys match without regard to case, values are trimmed of surrounding
// blanks and one pair of surrounding quotes, at most 63 characters come back,
// and the default is returned when the file, section or key is missing. The
// file is read again at every call.

#include <string>

constexpr size_t kProfileValueMaxLength = 63;

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// The process's current directory, without a trailing slash.
std::string CurrentDirectory();

// The settings file the program reads and writes: settings.ini in the
// current directory, unless start-up names another (an installed game keeps
// it in the user's configuration folder). Set once, before anything reads it.
void SetSettingsFile(const std::string& path);
// The file named by SetSettingsFile, "" when none was.
const std::string& SettingsFileOverride();
