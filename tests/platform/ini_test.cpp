#include "platform/ini.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

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
    std::string path_ = ::testing::TempDir() + "quarn_ini_test.ini";
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

}  // namespace
