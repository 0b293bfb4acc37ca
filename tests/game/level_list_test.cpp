#include "game/level_list.h"

#include <gtest/gtest.h>

#include "support/game_folder.h"
#include "support/temp_dir.h"

namespace {

TEST(LevelList, ReadsThePathsInOrderAndWraps) {
    TempDir folder;
    folder.Write("list.m3u", LevelListText({"Levels/a.dme", "Levels\\b.dme", "Levels/c.dme"}));
    LevelList list;
    std::string error;
    ASSERT_TRUE(list.Read(folder.File("list.m3u"), &error));
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Current(), "Levels/a.dme");
    list.Advance();
    EXPECT_EQ(list.Current(), "Levels/b.dme");  // written on Windows
    list.Advance();
    list.Advance();
    EXPECT_EQ(list.Index(), 0u);

    // Reading again starts from the first level.
    list.Advance();
    ASSERT_TRUE(list.Read(folder.File("list.m3u"), &error));
    EXPECT_EQ(list.Index(), 0u);
    EXPECT_EQ(list.Count(), 3u);
}

TEST(LevelList, AMissingFileABadHeaderAndNoEntriesAreRefused) {
    TempDir folder;
    LevelList list;
    std::string error;
    EXPECT_FALSE(list.Read(folder.File("none.m3u"), &error));
    EXPECT_EQ(error, "cannot be read or is not an extended M3U list");

    folder.Write("bad.m3u", "Levels/a.dme\r\n");
    EXPECT_FALSE(list.Read(folder.File("bad.m3u"), &error));
    EXPECT_TRUE(list.Empty());

    folder.Write("empty.m3u", LevelListText({}));
    EXPECT_FALSE(list.Read(folder.File("empty.m3u"), &error));
    EXPECT_EQ(error, "names no level");
    EXPECT_EQ(list.Current(), "");
    list.Advance();  // harmless on an empty list
    EXPECT_EQ(list.Index(), 0u);
}

}  // namespace
