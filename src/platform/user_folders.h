#pragma once
// The folders of the system and the user the program finds its way by: its
// own folder, and the user's configuration, data and pictures folders as the
// XDG base directory and user-dirs conventions place them. Making folders and
// files in them: platform/file_store.h.

#include <string>

// The folder holding the running executable, without a trailing slash; ""
// when the system does not say.
std::string ExecutableFolder();

// $XDG_CONFIG_HOME, else $HOME/.config; "" without either.
std::string UserConfigHome();
// $XDG_DATA_HOME, else $HOME/.local/share; "" without either.
std::string UserDataHome();
// XDG_PICTURES_DIR from the environment, else from the user-dirs.dirs file of
// the configuration folder, else $HOME/Pictures; "" without a home.
std::string UserPicturesFolder();

// Whether `path` names an existing regular file.
bool IsFile(const std::string& path);
// Makes `folder` the current directory; false when it cannot.
bool ChangeCurrentDirectory(const std::string& folder);
