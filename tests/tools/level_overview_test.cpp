// quarn-scene's overview picture: deadly outlines in their own colour where
// they lie, and the ball's path of a trace's first level only.

#include <gtest/gtest.h>

#include <string>

#include "quarn-scene/overview.h"
#include "resources/image.h"
#include "support/scene_builder.h"
#include "support/temp_dir.h"

namespace {

struct ColourCount {
    int total = 0;
    int leftHalf = 0;
};

// A range of colours: each channel from low to high.
struct ColourRange {
    uint8_t low[3];
    uint8_t high[3];
};

// Pixels of a 24-bit picture inside the range.
ColourCount CountColour(const Image& image, const ColourRange& range) {
    ColourCount count;
    for (uint32_t y = 0; y < image.height; ++y) {
        for (uint32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.pixels[y * image.RowBytes() + x * 3];
            bool inside = true;
            for (int c = 0; c < 3; ++c)
                inside = inside && p[c] >= range.low[c] && p[c] <= range.high[c];
            if (!inside)
                continue;
            ++count.total;
            if (x < image.width / 2)
                ++count.leftHalf;
        }
    }
    return count;
}

void AddRockAndPit(Scene& scene) {
    const auto square = [](float x0, float y0, float side) {
        return MakePolyline(
            true, {{x0, 0, y0}, {x0 + side, 0, y0}, {x0 + side, 0, y0 + side}, {x0, 0, y0 + side}});
    };
    scene.shapes.push_back(MakeShape("rock", {square(0, 0, 100)}));
    scene.shapes.push_back(MakeShape("DEATH_pit", {square(400, 0, 100)}));
}

TEST(LevelOverview, DeadlyOutlinesAreRedWhereTheyLieAndThePathIsDrawnOnlyWhenGiven) {
    const TempDir dir;
    Scene scene;
    AddRockAndPit(scene);
    // Red for deadly outlines, orange for the path (blended over the
    // background); the walls are light grey, the grid dark blue-grey.
    const ColourRange deadly = {{200, 40, 20}, {255, 100, 70}};
    const ColourRange path = {{190, 110, 20}, {255, 170, 70}};

    const std::string trace =
        "load index=0 path=Levels/a.dme start=0,0\n"
        "step=1 level=0 ball=150,50 vel=0,0 hook=0,0 rope=idle free=0\n"
        "step=2 level=0 ball=200,50 vel=0,0 hook=250,100 rope=attached free=10\n"
        "step=3 level=0 ball=250,50 vel=0,0 hook=250,100 rope=attached free=10\n"
        "load index=1 path=Levels/b.dme start=0,0\n"
        "step=4 level=1 ball=900,900 vel=0,0 hook=0,0 rope=idle free=0\n";
    OverviewPath withPath;
    ASSERT_TRUE(ReadTracePath(trace, withPath));
    EXPECT_EQ(withPath.ball.size(), 3u) << "steps after the next level's load are left out";
    ASSERT_EQ(withPath.catches.size(), 1u);
    EXPECT_EQ(withPath.catches[0].x, 250);
    EXPECT_EQ(withPath.catches[0].y, 100);
    OverviewPath noPath;
    EXPECT_FALSE(ReadTracePath("load index=0 path=Levels/a.dme start=0,0\n", noPath));

    for (const bool drawPath : {false, true}) {
        const std::string file = dir.Path() + (drawPath ? "/with.png" : "/without.png");
        std::string error;
        ASSERT_TRUE(
            WriteOverview(scene, drawPath ? withPath : noPath, OverviewOptions{}, file, error))
            << error;
        Image image;
        ASSERT_EQ(image.Load(file.c_str()), ImageOk);
        ASSERT_EQ(image.bitsPerPixel, 24);
        const ColourCount red = CountColour(image, deadly);
        EXPECT_GT(red.total, 100) << "the pit's outline";
        EXPECT_EQ(red.leftHalf, 0) << "the rock on the left is not deadly";
        EXPECT_EQ(CountColour(image, path).total > 0, drawPath);
    }
}

}  // namespace
