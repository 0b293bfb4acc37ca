#pragma once
// Settings come straight from settings.ini in the current directory, read by
// each consumer at its own moment, always with a default. Nothing is cached.

#include <string>

// The current directory followed by "/settings.ini".
std::string SettingsPath();

std::string ReadSetting(const char* section, const char* key, const char* defaultValue);
int ReadSettingInt(const char* section, const char* key, const char* defaultValue);      // atoi
float ReadSettingFloat(const char* section, const char* key, const char* defaultValue);  // atof
bool ReadSettingBool(const char* section, const char* key, const char* defaultValue);  // atoi != 0
