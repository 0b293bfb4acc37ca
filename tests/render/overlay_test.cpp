#include "render/overlay.h"

#include <gtest/gtest.h>

namespace {

TEST(VirtualScreenCoordinate, SinglePrecisionFractionsAreTruncated) {
    EXPECT_EQ(VirtualScreenCoordinate(0.16f, kVirtualScreenHeight), 95);
    EXPECT_EQ(VirtualScreenCoordinate(0.38f, kVirtualScreenHeight), 227);
    EXPECT_EQ(VirtualScreenCoordinate(0.27f, kVirtualScreenHeight), 162);
    EXPECT_EQ(VirtualScreenCoordinate(0.05f, kVirtualScreenHeight), 30);
    EXPECT_EQ(VirtualScreenCoordinate(0.0f, kVirtualScreenWidth), 0);
    EXPECT_EQ(VirtualScreenCoordinate(0.5f, kVirtualScreenWidth), 400);
    EXPECT_EQ(VirtualScreenCoordinate(1.0f, kVirtualScreenWidth), 800);
    EXPECT_EQ(VirtualScreenCoordinate(-0.001f, kVirtualScreenWidth), 0);  // toward zero
}

}  // namespace
