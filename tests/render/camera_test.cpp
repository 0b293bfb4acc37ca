#include "render/camera.h"

#include <gtest/gtest.h>

namespace {

Camera CameraAt(double x, double y) {
    Camera camera;
    camera.ApplySettings(500.0f, 1.0f, 30.0f, -700.0f);
    camera.position.Set(-x, -700.0, -y);
    camera.previousPosition = camera.position;
    return camera;
}

TEST(Camera, ApplySettingsSetsRotationDistanceAndPreviousPosition) {
    Camera camera;
    camera.position.Set(-10.0, 0.0, -20.0);
    camera.ApplySettings(500.0f, 1.0f, 30.0f, -700.0f);
    EXPECT_EQ(camera.rotationAngle, -90.0);
    EXPECT_EQ(camera.rotationAxis.x, 1.0);
    EXPECT_EQ(camera.rotationAxis.y, 0.0);
    EXPECT_EQ(camera.rotationAxis.z, 0.0);
    EXPECT_EQ(camera.position.y, -700.0);
    EXPECT_EQ(camera.previousPosition.x, -10.0);
    EXPECT_EQ(camera.previousPosition.y, -700.0);
    EXPECT_EQ(camera.previousPosition.z, -20.0);
}

TEST(Camera, NearTheBallTheCentreClosesSixPercentOfTheDistancePerStep) {
    Camera camera = CameraAt(0.0, 0.0);
    camera.Follow({100.0, 0.0});
    // Speed 30 * 100 / 500 = 6 units towards the ball, along +x.
    EXPECT_NEAR(camera.Centre().x, 6.0, 1e-12);
    EXPECT_NEAR(camera.Centre().y, 0.0, 1e-12);
    EXPECT_NEAR(camera.step.x, -6.0, 1e-12);
    EXPECT_EQ(camera.step.y, 0.0);
    EXPECT_EQ(camera.previousPosition.x, 0.0);
}

TEST(Camera, FarFromTheBallTheCentreMovesAtFullSpeed) {
    Camera camera = CameraAt(0.0, 0.0);
    camera.Follow({0.0, -800.0});
    EXPECT_NEAR(camera.Centre().y, -30.0, 1e-12);
    EXPECT_NEAR(camera.Centre().x, 0.0, 1e-12);
    camera.Follow({0.0, -800.0});
    EXPECT_NEAR(camera.Centre().y, -60.0, 1e-12);
}

TEST(Camera, WithinTheSnapRadiusTheCentreJumpsOntoTheBallAndTheStepStays) {
    Camera camera = CameraAt(0.0, 0.0);
    camera.Follow({100.0, 0.0});
    const Vector3d lastStep = camera.step;
    camera.position.Set(-50.0, -700.0, -20.0);
    camera.Follow({50.5, 20.0});
    EXPECT_EQ(camera.Centre().x, 50.5);
    EXPECT_EQ(camera.Centre().y, 20.0);
    EXPECT_EQ(camera.step.x, lastStep.x);
    EXPECT_EQ(camera.step.z, lastStep.z);
}

TEST(Camera, ANonPositiveFullSpeedRadiusNeverSlowsTheCamera) {
    Camera camera;
    camera.ApplySettings(0.0f, 1.0f, 30.0f, -700.0f);
    camera.Follow({10.0, 0.0});
    EXPECT_NEAR(camera.Centre().x, 30.0, 1e-12);
    camera.ApplySettings(-5.0f, 1.0f, 30.0f, -700.0f);
    camera.Follow({100.0, 0.0});
    EXPECT_NEAR(camera.Centre().x, 60.0, 1e-12);
}

TEST(Camera, TheHeightNeverChangesWhileFollowing) {
    Camera camera = CameraAt(0.0, 0.0);
    for (int i = 0; i < 200; ++i)
        camera.Follow({300.0 * (i % 3), -40.0 * i});
    EXPECT_EQ(camera.position.y, -700.0);
}

}  // namespace
