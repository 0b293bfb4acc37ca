#include "audio/playlist.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/temp_dir.h"

namespace {

class PlaylistFile : public ::testing::Test {
protected:
    // Writes the text as the playlist file and reads it into list_.
    bool Read(const std::string& text) {
        dir_.Write("list.m3u", text);
        return ReadPlaylist(dir_.File("list.m3u").c_str(), list_);
    }

    TempDir dir_;
    Playlist list_;
};

TEST_F(PlaylistFile, FirstLineMustBeginWithTheHeader) {
    EXPECT_TRUE(Read("#EXTM3U made by hand\r\n#EXTINF:1,a\r\na.ogg\r\n"));
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_STREQ(list_[0]->path, "a.ogg");

    list_.clear();
    EXPECT_FALSE(Read("#EXTM3\r\n#EXTINF:1,a\r\na.ogg\r\n"));
    EXPECT_TRUE(list_.empty());

    EXPECT_FALSE(Read("\r\n#EXTM3U\r\n#EXTINF:1,a\r\na.ogg\r\n"));
    EXPECT_TRUE(list_.empty());
}

TEST_F(PlaylistFile, MissingFileLeavesTheListUnchanged) {
    ASSERT_TRUE(Read("#EXTM3U\r\n#EXTINF:1,kept\r\nkept.ogg\r\n"));
    EXPECT_FALSE(ReadPlaylist(dir_.File("absent.m3u").c_str(), list_));
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_STREQ(list_[0]->title, "kept");
}

TEST_F(PlaylistFile, InfoLineGivesDurationAndTitle) {
    ASSERT_TRUE(
        Read("#EXTM3U\r\n"
             "#EXTINF:123,Some title\r\none.ogg\r\n"
             "#EXTINF:,x\r\ntwo.ogg\r\n"
             "#EXTINF:5,A,B\r\nthree.ogg\r\n"
             "#EXTINF:-7,negative\r\nfour.ogg\r\n"
             "#EXTINF: 12abc,\r\nfive.ogg\r\n"));
    ASSERT_EQ(list_.size(), 5u);
    EXPECT_EQ(list_[0]->duration, 123);
    EXPECT_STREQ(list_[0]->title, "Some title");
    EXPECT_STREQ(list_[0]->path, "one.ogg");
    EXPECT_EQ(list_[1]->duration, 0);
    EXPECT_STREQ(list_[1]->title, "x");
    EXPECT_EQ(list_[2]->duration, 5);
    EXPECT_STREQ(list_[2]->title, "A,B");
    EXPECT_EQ(list_[3]->duration, -7);
    EXPECT_EQ(list_[4]->duration, 12);
    EXPECT_STREQ(list_[4]->title, "");
    EXPECT_STREQ(list_[4]->path, "five.ogg");
}

TEST_F(PlaylistFile, OnlyCarriageReturnsEndLines) {
    // The last line has no carriage return and is dropped.
    EXPECT_TRUE(Read("#EXTM3U\r\n#EXTINF:1,a\r\na.ogg\r\n#EXTINF:2,b\r\nb.ogg"));
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_STREQ(list_[0]->path, "a.ogg");

    // Line feeds alone end nothing: the whole file is one unfinished line.
    list_.clear();
    EXPECT_TRUE(Read("#EXTM3U\n#EXTINF:1,a\na.ogg\n#EXTINF:2,b\nb.ogg\n"));
    EXPECT_TRUE(list_.empty());

    // The byte after a carriage return is thrown away unread, whatever it
    // is; a line feed elsewhere belongs to the line.
    list_.clear();
    EXPECT_TRUE(Read("#EXTM3U\rX#EXTINF:1,a\rYdir\nfile.ogg\rZ"));
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_STREQ(list_[0]->title, "a");
    EXPECT_STREQ(list_[0]->path, "dir\nfile.ogg");
}

TEST_F(PlaylistFile, EntriesAreAppendedAndNeverMerged) {
    const std::string text = "#EXTM3U\r\n#EXTINF:1,a\r\nsame.ogg\r\n#EXTINF:2,b\r\nsame.ogg\r\n";
    ASSERT_TRUE(Read(text));
    ASSERT_TRUE(Read(text));
    ASSERT_EQ(list_.size(), 4u);
    for (const auto& entry : list_)
        EXPECT_STREQ(entry->path, "same.ogg");
    EXPECT_NE(list_[0].get(), list_[2].get());
    EXPECT_EQ(list_[3]->duration, 2);

    FreePlaylist(list_);
    EXPECT_TRUE(list_.empty());
}

TEST_F(PlaylistFile, BackslashesInPathsBecomeSlashes) {
    ASSERT_TRUE(Read("#EXTM3U\r\n#EXTINF:1,a\r\nMusic\\Act 1\\a.ogg\r\n"));
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_STREQ(list_[0]->path, "Music/Act 1/a.ogg");
}

TEST_F(PlaylistFile, LongFieldsAreCutOrEmptiedNeverOverflowed) {
    const std::string path255(255, 'p');
    const std::string path256(256, 'q');
    const std::string title127(127, 't');
    const std::string line600(600, 'L');
    ASSERT_TRUE(
        Read("#EXTM3U\r\n"
             "#EXTINF:1," +
             title127 + "\r\n" + path255 + "\r\n" + "#EXTINF:2," + std::string(200, 'u') + "\r\n" +
             path256 + "\r\n" + "#EXTINF:3,after\r\nafter.ogg\r\n" + "#EXTINF:4," + line600 +
             "\r\n" + line600 + "\r\n"));
    ASSERT_EQ(list_.size(), 4u);
    EXPECT_EQ(std::string(list_[0]->title), title127);
    EXPECT_EQ(std::string(list_[0]->path), path255);
    // A path that does not fit is not cut into another file's name: the
    // entry keeps its place with an empty path.
    EXPECT_EQ(std::string(list_[1]->title), std::string(127, 'u'));
    EXPECT_STREQ(list_[1]->path, "");
    EXPECT_EQ(list_[1]->duration, 2);
    EXPECT_STREQ(list_[2]->path, "after.ogg");
    // A line over 511 characters is cut; the rest up to its carriage return
    // is dropped, so the next line still starts in the right place.
    EXPECT_EQ(std::string(list_[3]->title), std::string(127, 'L'));
    EXPECT_STREQ(list_[3]->path, "");
}

TEST_F(PlaylistFile, CutLinesKeepTheFollowingLines) {
    ASSERT_TRUE(Read("#EXTM3U\r\n#EXTINF:1," + std::string(700, 'x') +
                     "\r\nfirst.ogg\r\n#EXTINF:2,b\r\nsecond.ogg\r\n"));
    ASSERT_EQ(list_.size(), 2u);
    EXPECT_STREQ(list_[0]->path, "first.ogg");
    EXPECT_EQ(std::string(list_[0]->title).size(), 127u);
    EXPECT_STREQ(list_[1]->path, "second.ogg");
}

TEST_F(PlaylistFile, DurationTextIsReadFromFourteenCharactersWithinInt32) {
    ASSERT_TRUE(
        Read("#EXTM3U\r\n"
             "#EXTINF:2147483647,max\r\na\r\n"
             "#EXTINF:2147483648,over\r\nb\r\n"
             "#EXTINF:-99999999999,under\r\nc\r\n"
             "#EXTINF:00000000000000123,fourteen\r\nd\r\n"));
    ASSERT_EQ(list_.size(), 4u);
    EXPECT_EQ(list_[0]->duration, INT_MAX);
    EXPECT_EQ(list_[1]->duration, INT_MAX);
    EXPECT_EQ(list_[2]->duration, INT_MIN);
    EXPECT_EQ(list_[3]->duration, 0);  // "00000000000000" then cut
    EXPECT_STREQ(list_[3]->title, "fourteen");
}

TEST_F(PlaylistFile, InfoLineWithoutCommaIsAllDuration) {
    ASSERT_TRUE(Read("#EXTM3U\r\n#EXTINF:42\r\na.ogg\r\n#EXTINF:Title only\r\nb.ogg\r\n"));
    ASSERT_EQ(list_.size(), 2u);
    EXPECT_EQ(list_[0]->duration, 42);
    EXPECT_STREQ(list_[0]->title, "");
    EXPECT_EQ(list_[1]->duration, 0);
    EXPECT_STREQ(list_[1]->title, "");
    EXPECT_STREQ(list_[1]->path, "b.ogg");
}

TEST_F(PlaylistFile, PathLinesWithoutInfoLineAreEntriesOfTheirOwn) {
    ASSERT_TRUE(
        Read("#EXTM3U\r\n"
             "plain.ogg\r\n"
             "#EXTINF:9,nine\r\nnine.ogg\r\nextra.ogg\r\n"
             "#EXTINF:7,seven\r\n\r\n\r\nseven.ogg\r\n"));
    ASSERT_EQ(list_.size(), 4u);
    EXPECT_STREQ(list_[0]->path, "plain.ogg");
    EXPECT_EQ(list_[0]->duration, 0);
    EXPECT_STREQ(list_[0]->title, "");
    EXPECT_STREQ(list_[1]->path, "nine.ogg");
    EXPECT_STREQ(list_[1]->title, "nine");
    // A second path line after one info line does not reuse that entry.
    EXPECT_STREQ(list_[2]->path, "extra.ogg");
    EXPECT_STREQ(list_[2]->title, "");
    // Empty lines are skipped; the info line waits for its path.
    EXPECT_STREQ(list_[3]->path, "seven.ogg");
    EXPECT_EQ(list_[3]->duration, 7);
}

TEST_F(PlaylistFile, InfoLineWithoutPathAddsNothing) {
    ASSERT_TRUE(Read("#EXTM3U\r\n#EXTINF:1,a\r\n#EXTINF:2,b\r\nb.ogg\r\n#EXTINF:3,dangling\r\n"));
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_STREQ(list_[0]->title, "b");
}

}  // namespace
