// Where the game reads its data and keeps what it writes: portable from a
// game folder, installed from the data beside the program with the user's
// folders for settings and screenshots.

#include "app/game_folders.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/ini.h"
#include "platform/user_folders.h"
#include "support/game_folder.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

// A prefix with bin/ and share/quarn/ holding a level list and settings, a
// folder to start from, and a home.
class GameFoldersTest : public ::testing::Test {
protected:
    GameFoldersTest() {
        root_.Write("prefix/share/quarn/Levels/levels.m3u", "#EXTM3U\n");
        root_.Write("prefix/share/quarn/settings.ini", "[Video]\nwidth=800\n");
        root_.Write("prefix/bin/.keep", "");
        root_.Write("elsewhere/.keep", "");
        root_.Write("home/.keep", "");
    }
    ~GameFoldersTest() override { SetSettingsFile(""); }

    FolderPlaces Installed() const {
        return {root_.File("elsewhere"), root_.File("prefix/bin"), root_.File("home/.config"),
                root_.File("home/Pictures")};
    }

    TempDir root_;
    ScopedWorkingDir inRoot_{root_.Path()};
};

TEST_F(GameFoldersTest, AFolderWithALevelListIsPlayedAsItIsElseTheInstalledDataIsUsed) {
    const FolderPlaces installed = Installed();
    const GameFolders chosen = ChooseGameFolders(installed);
    EXPECT_FALSE(chosen.portable);
    EXPECT_EQ(chosen.data, root_.File("prefix/bin/../share/quarn"));
    EXPECT_EQ(chosen.settings, root_.File("home/.config/quarn/settings.ini"));
    EXPECT_EQ(chosen.screenshots, root_.File("home/Pictures/quarn"));

    const struct {
        const char* name;
        FolderPlaces places;
    } portable[] = {
        {"a game folder",
         {root_.File("prefix/share/quarn"), installed.executableFolder, installed.configHome,
          installed.picturesFolder}},
        {"no data beside the program",
         {installed.current, root_.File("elsewhere"), installed.configHome,
          installed.picturesFolder}},
        {"no program folder", {installed.current, "", installed.configHome, ""}},
    };
    for (const auto& c : portable) {
        const GameFolders folders = ChooseGameFolders(c.places);
        EXPECT_TRUE(folders.portable) << c.name;
        EXPECT_EQ(folders.data, "") << c.name;
        EXPECT_EQ(folders.settings, "") << c.name;
        EXPECT_EQ(folders.screenshots, "") << c.name;
    }
}

TEST_F(GameFoldersTest, InstalledTheUsersSettingsAreMadeOnceFromTheShippedOnes) {
    GameFolders folders = ChooseGameFolders(Installed());
    EXPECT_TRUE(UseGameFolders(folders).empty());
    EXPECT_EQ(CurrentDirectory(), root_.File("prefix/share/quarn"));
    EXPECT_EQ(ReadFileText(root_.File("home/.config/quarn/settings.ini")), "[Video]\nwidth=800\n");
    EXPECT_EQ(SettingsPath(), root_.File("home/.config/quarn/settings.ini"));
    EXPECT_EQ(ReadVideoSettings().width, 800);
    EXPECT_TRUE(IsFile(root_.File("prefix/share/quarn/Levels/levels.m3u")));

    // The user's own settings are kept at the next start.
    root_.Write("home/.config/quarn/settings.ini", "[Video]\nwidth=1024\n");
    GameFolders again = ChooseGameFolders(Installed());
    EXPECT_TRUE(UseGameFolders(again).empty());
    EXPECT_EQ(ReadVideoSettings().width, 1024);
}

TEST_F(GameFoldersTest, FoldersThatCannotBeMadeAreReportedAndTheGamePlaysOn) {
    root_.Write("blocked", "a file where a folder should be");
    FolderPlaces places = Installed();
    places.configHome = root_.File("blocked/config");
    places.picturesFolder = root_.File("blocked/pictures");
    GameFolders folders = ChooseGameFolders(places);
    const std::vector<std::string> messages = UseGameFolders(folders);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find(root_.File("blocked/config/quarn/settings.ini")), std::string::npos)
        << messages[0];
    EXPECT_NE(messages[0].find("the shipped settings are used"), std::string::npos);
    EXPECT_NE(messages[1].find("screenshots are not saved"), std::string::npos) << messages[1];
    // The shipped settings are read; the game's data is current.
    EXPECT_EQ(ReadVideoSettings().width, 800);
    EXPECT_EQ(CurrentDirectory(), root_.File("prefix/share/quarn"));

    // Without a home at all the same holds.
    FolderPlaces homeless = Installed();
    homeless.configHome = homeless.picturesFolder = "";
    GameFolders noHome = ChooseGameFolders(homeless);
    EXPECT_EQ(UseGameFolders(noHome).size(), 2u);
    EXPECT_EQ(ReadVideoSettings().width, 800);
}

TEST(UserFolders, XdgVariablesAndUserDirsPlaceTheUsersFolders) {
    TempDir home;
    home.Write(".config/user-dirs.dirs",
               "# written by xdg-user-dirs-update\n"
               "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
               "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    ScopedEnv homeVariable("HOME", home.Path());
    ScopedEnv config("XDG_CONFIG_HOME", "");
    ScopedEnv data("XDG_DATA_HOME", "relative/is/ignored");
    ScopedEnv pictures("XDG_PICTURES_DIR", "");
    EXPECT_EQ(UserConfigHome(), home.Path() + "/.config");
    EXPECT_EQ(UserDataHome(), home.Path() + "/.local/share");
    EXPECT_EQ(UserPicturesFolder(), home.Path() + "/Bilder");
    {
        ScopedEnv set("XDG_CONFIG_HOME", "/elsewhere/config");
        EXPECT_EQ(UserConfigHome(), "/elsewhere/config");
        EXPECT_EQ(UserPicturesFolder(), home.Path() + "/Pictures");  // no user-dirs.dirs there
    }
    ScopedEnv setPictures("XDG_PICTURES_DIR", "/photos");
    EXPECT_EQ(UserPicturesFolder(), "/photos");
}

}  // namespace
