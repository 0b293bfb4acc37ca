#include "core/settings.h"

#include <cstdlib>

#include "platform/ini.h"

std::string SettingsPath() {
    return CurrentDirectory() + "/settings.ini";
}

std::string ReadSetting(const char* section, const char* key, const char* defaultValue) {
    return ReadProfileString(SettingsPath(), section, key, defaultValue);
}

int ReadSettingInt(const char* section, const char* key, const char* defaultValue) {
    return std::atoi(ReadSetting(section, key, defaultValue).c_str());
}

float ReadSettingFloat(const char* section, const char* key, const char* defaultValue) {
    return static_cast<float>(std::atof(ReadSetting(section, key, defaultValue).c_str()));
}

bool ReadSettingBool(const char* section, const char* key, const char* defaultValue) {
    return ReadSettingInt(section, key, defaultValue) != 0;
}
