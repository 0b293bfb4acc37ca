#include "platform/ini.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/game_folder.h"

namespace {

class IniFile : public ::testing::Test {
protected:
    void Write(const std::string& text) {
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file << text;
    }
    void TearDown() override { std::remove(path_.c_str()); }
    std::string Read(const char* section, const char* key, const char* def = "dflt") {
        return ReadProfileString(path_, section, key, def);
    }
    // One file per test process: ctest runs tests of this fixture side by side.
    std::string path_ =
        ::testing::TempDir() + "quarn_ini_test_" + std::to_string(getpid()) + ".ini";
};

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(ReadProfileString(path_ + ".absent", "Video", "width", "640"), "640");
    Write("[Video]\r\nwidth=800\r\n");
    EXPECT_EQ(Read("Sound", "width"), "dflt");
    EXPECT_EQ(Read("Video", "height"), "dflt");
    EXPECT_EQ(Read("Video", "width"), "800");
}

TEST_F(IniFile, SectionsAndKeysMatchWithoutRegardToCase) {
    Write("[Video]\nShow_FPS = 1\n");
    EXPECT_EQ(Read("video", "show_fps"), "1");
    EXPECT_EQ(Read("VIDEO", "SHOW_FPS"), "1");
}

TEST_F(IniFile, ValuesAreTrimmedUnquotedAndLimitedTo63Characters) {
    const std::string longValue(80, 'x');
    Write("[A]\nquoted = \"  spaced  \"\nplain =   7  \nlong=" + longValue + "\n");
    EXPECT_EQ(Read("A", "quoted"), "  spaced  ");
    EXPECT_EQ(Read("A", "plain"), "7");
    EXPECT_EQ(Read("A", "long"), std::string(63, 'x'));
    EXPECT_EQ(Read("A", "absent", longValue.c_str()), std::string(63, 'x'));
}

TEST_F(IniFile, TheFileIsReadAgainAtEveryCall) {
    Write("[Physics]\ngravity=-0.689\n");
    EXPECT_EQ(Read("Physics", "gravity"), "-0.689");
    Write("[Physics]\ngravity=-1.5\n");
    EXPECT_EQ(Read("Physics", "gravity"), "-1.5");
}

TEST_F(IniFile, CommentsAndKeysOfOtherSectionsAreIgnored) {
    Write("; width=1\n[Keys]\nwidth=2\n[Video]\n;width=3\nwidth=4\n");
    EXPECT_EQ(Read("Video", "width"), "4");
    EXPECT_EQ(Read("Keys", "width"), "2");
}

// Each key's line in the first section of its name gets the value; keys and
// sections not there are added; every other line stays byte for byte.
TEST_F(IniFile, WritingChangesOnlyTheLinesOfItsKeys) {
    const struct {
        const char* before;
        std::vector<ProfileEntry> entries;
        const char* after;
    } cases[] = {
        {"; top\r\n[Keys]\r\n; reel in\r\nup = 17\r\nleft=30\r\n\r\n[Sound]\r\nmusic=1\r\n",
         {{"keys", "UP", "200"}, {"Keys", "fire", "33"}},
         "; top\r\n[Keys]\r\n; reel in\r\nup = 200\r\nleft=30\r\nfire=33\r\n\r\n[Sound]\r\n"
         "music=1\r\n"},
        {"[Video]\nwidth=640\n; about Pad\n[Keys]\nup=17\n[Keys]\nfire=1\n",
         {{"Keys", "fire", "33"}, {"Pad", "fire", "a"}},
         "[Video]\nwidth=640\n; about Pad\n[Keys]\nup=17\nfire=33\n[Keys]\nfire=1\n\n[Pad]\n"
         "fire=a\n"},
        {"\xEF\xBB\xBF[Keys]\nup=17",
         {{"Keys", "down", "31"}},
         "\xEF\xBB\xBF[Keys]\nup=17\ndown=31\n"},
        {"", {{"Pad", "fire", "righttrigger a"}}, "[Pad]\nfire=righttrigger a\n"},
        {"[Keys]\n;up=1\nupper=5\nup=17\n",
         {{"Keys", "up", "18"}},
         "[Keys]\n;up=1\nupper=5\nup=18\n"},
    };
    for (const auto& c : cases) {
        Write(c.before);
        std::string error;
        ASSERT_TRUE(WriteProfileStrings(path_, c.entries, error)) << error;
        EXPECT_EQ(ReadFileText(path_), c.after) << c.before;
        for (const ProfileEntry& entry : c.entries)
            EXPECT_EQ(Read(entry.section.c_str(), entry.key.c_str()), entry.value);
    }
    // A missing file is made.
    std::remove(path_.c_str());
    std::string error;
    ASSERT_TRUE(WriteProfileStrings(path_, {{"Keys", "fire", "33"}}, error)) << error;
    EXPECT_EQ(ReadFileText(path_), "[Keys]\nfire=33\n");
}

// The file is replaced through a file beside it: a link keeps pointing at it,
// its mode stays, and a folder it cannot be written in leaves it as it was.
TEST_F(IniFile, WritingReplacesTheFileWholeOrNotAtAll) {
    const std::string folder = ::testing::TempDir() + "quarn_ini_folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::string target = folder + "/settings.ini";
    const std::string link = folder + "/link.ini";
    { std::ofstream(target) << "[Keys]\nup=17\n"; }
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    std::filesystem::create_symlink(target, link);
    std::string error;
    ASSERT_TRUE(WriteProfileStrings(link, {{"Keys", "up", "200"}}, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileText(target), "[Keys]\nup=200\n");
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              2);  // nothing left behind

    const std::string nowhere = folder + "/missing/settings.ini";
    EXPECT_FALSE(WriteProfileStrings(nowhere, {{"Keys", "up", "1"}}, error));
    EXPECT_NE(error.find(nowhere), std::string::npos) << error;
    if (getuid() != 0) {  // root writes anywhere
        std::filesystem::permissions(folder, std::filesystem::perms(0500));
        EXPECT_FALSE(WriteProfileStrings(target, {{"Keys", "up", "1"}}, error));
        EXPECT_NE(error.find(target), std::string::npos) << error;
        std::filesystem::permissions(folder, std::filesystem::perms(0700));
    }
    EXPECT_EQ(ReadFileText(target), "[Keys]\nup=200\n");
    std::filesystem::remove_all(folder);
}

}  // namespace
