#include "app/game_folders.h"

#include "platform/file_store.h"
#include "platform/ini.h"
#include "platform/user_folders.h"

namespace {

constexpr char kLevelList[] = "/Levels/levels.m3u";
constexpr char kSettingsFile[] = "/settings.ini";
constexpr char kDataBelowPrefix[] = "/../share/quarn";
constexpr char kOwnFolder[] = "/quarn";

// The user's settings file, made from the shipped one when there is none.
bool PrepareSettings(const GameFolders& folders, std::string& problem) {
    const size_t slash = folders.settings.rfind('/');
    if (!MakeWritableFolder(folders.settings.substr(0, slash), &problem))
        return false;
    if (IsFile(folders.settings))
        return true;
    std::string shipped;
    return ReadWholeFile(folders.shippedSettings, shipped, &problem) &&
           WriteFileAtomically(folders.settings, shipped, &problem);
}

}  // namespace

GameFolders ChooseGameFolders(const FolderPlaces& places) {
    GameFolders folders;
    const std::string installedData = places.executableFolder + kDataBelowPrefix;
    if (IsFile(places.current + kLevelList) || places.executableFolder.empty() ||
        !IsFile(installedData + kLevelList))
        return folders;
    folders.portable = false;
    folders.data = installedData;
    folders.shippedSettings = installedData + kSettingsFile;
    folders.settings =
        places.configHome.empty() ? "" : places.configHome + kOwnFolder + kSettingsFile;
    folders.screenshots = places.picturesFolder.empty() ? "" : places.picturesFolder + kOwnFolder;
    return folders;
}

std::vector<std::string> UseGameFolders(GameFolders& folders) {
    std::vector<std::string> messages;
    if (folders.portable)
        return messages;
    if (!ChangeCurrentDirectory(folders.data)) {
        messages.push_back("Cannot read the game's data in " + folders.data + ".");
        return messages;
    }
    std::string problem;
    if (folders.settings.empty() || !PrepareSettings(folders, problem)) {
        const std::string where =
            folders.settings.empty() ? "the configuration folder" : folders.settings;
        messages.push_back("Cannot keep the settings in " + where + " (" +
                           (folders.settings.empty() ? "no home folder" : problem) +
                           "): the shipped settings are used and changes are not kept.");
        folders.settings = folders.shippedSettings;
    }
    SetSettingsFile(folders.settings);
    if (!MakeWritableFolder(folders.screenshots, &problem)) {
        messages.push_back("Cannot keep screenshots in " +
                           (folders.screenshots.empty() ? std::string("the pictures folder")
                                                        : folders.screenshots) +
                           " (" + problem + "): screenshots are not saved.");
    }
    return messages;
}
