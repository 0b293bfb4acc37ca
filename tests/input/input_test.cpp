#include "input/input.h"

#include <gtest/gtest.h>

#include "platform/input_devices.h"
#include "platform/platform_window.h"

namespace {

constexpr uint8_t kW = 17;

class InputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(input.Init(&window), S_OK); }

    void Key(uint8_t dik, bool down) { input.Devices()->keyboard.OnScanCode(dik, down, 0); }
    void Frame() {
        input.ReadKeyboard();
        input.ReadMouse();
    }

    PlatformWindow window;  // never opened: the devices only need an owner
    Input input;
};

TEST_F(InputTest, AKeyHeldOverManyFramesIsPressedOnceAndHeldThroughout) {
    Key(kW, true);
    Frame();
    EXPECT_TRUE(input.KeyPressed(kW));
    EXPECT_TRUE(input.KeyHeld(kW));
    for (int frame = 0; frame < 5; ++frame) {
        Frame();
        EXPECT_FALSE(input.KeyPressed(kW));
        EXPECT_TRUE(input.KeyHeld(kW));
    }
    Key(kW, false);
    Frame();
    EXPECT_FALSE(input.KeyPressed(kW));
    EXPECT_FALSE(input.KeyHeld(kW));
}

TEST_F(InputTest, AKeyDownAndUpWithinOneFrameIsPressedButNotHeld) {
    Key(DIK_SPACE, true);
    Key(DIK_SPACE, false);
    Frame();
    EXPECT_TRUE(input.KeyPressed(DIK_SPACE));
    EXPECT_FALSE(input.KeyHeld(DIK_SPACE));
}

TEST_F(InputTest, KeyCodesAbove255AreTakenModulo256) {
    Key(DIK_RETURN, true);
    Frame();
    EXPECT_TRUE(input.KeyPressed(DIK_RETURN + 256));
    EXPECT_TRUE(input.KeyHeld(DIK_RETURN + 512));
    EXPECT_FALSE(input.KeyPressed(DIK_RETURN + 1));
}

TEST_F(InputTest, MoreThanTenKeyEventsBetweenTwoReadsLoseTheRest) {
    for (uint8_t code = 2; code < 14; ++code)
        Key(code, true);  // twelve key-downs
    Frame();
    for (uint8_t code = 2; code < 12; ++code)
        EXPECT_TRUE(input.KeyPressed(code)) << int(code);
    EXPECT_FALSE(input.KeyPressed(12));
    EXPECT_FALSE(input.KeyPressed(13));
    EXPECT_FALSE(input.KeyHeld(13));
}

TEST_F(InputTest, AMouseButtonHeldCountsAsPressedOnceAndMotionIsPerReading) {
    InputDevices& devices = *input.Devices();
    devices.mouse.OnButton(1, true);  // SDL's left button is button 0
    devices.mouse.OnMotion(3, -4);
    devices.mouse.OnMotion(2, 1);
    Frame();
    EXPECT_TRUE(input.MouseButtonPressed(0));
    EXPECT_EQ(input.MouseState().x, 5);
    EXPECT_EQ(input.MouseState().y, -3);
    Frame();
    EXPECT_FALSE(input.MouseButtonPressed(0));
    EXPECT_EQ(input.MouseState().buttons[0] & 0x80, 0x80);
    EXPECT_EQ(input.MouseState().x, 0);
    EXPECT_FALSE(input.MouseButtonPressed(8));
    EXPECT_FALSE(input.MouseButtonPressed(-1));
}

TEST_F(InputTest, AReleasedInputReadsNoMotionNoButtonsAndForgetsHeldKeys) {
    Key(kW, true);
    Frame();
    input.Release(InputBoth);
    input.Devices()->mouse.OnMotion(10, 10);
    input.Devices()->mouse.OnButton(1, true);
    Key(DIK_SPACE, true);
    Frame();
    EXPECT_EQ(input.MouseState().x, 0);
    EXPECT_EQ(input.MouseState().y, 0);
    EXPECT_FALSE(input.MouseButtonPressed(0));
    EXPECT_FALSE(input.KeyHeld(kW));
    EXPECT_FALSE(input.KeyPressed(DIK_SPACE));
    EXPECT_FALSE(input.KeyPressed(kW));

    // Acquired again, the devices deliver what happens from then on.
    EXPECT_EQ(input.Acquire(InputBoth), S_OK);
    Key(DIK_SPACE, true);
    Frame();
    EXPECT_TRUE(input.KeyPressed(DIK_SPACE));
}

TEST_F(InputTest, AcquiringAnAcquiredDeviceIsNoFailure) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(input.Acquire(InputBoth), S_OK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(InputWithoutDevices, AnswersNothingAndInitWithoutAWindowFails) {
    Input input;
    input.ReadKeyboard();
    input.ReadMouse();
    EXPECT_FALSE(input.KeyPressed(DIK_ESCAPE));
    EXPECT_FALSE(input.MouseButtonPressed(0));
    testing::internal::CaptureStderr();
    EXPECT_EQ(input.Init(nullptr), E_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failure: Couldn't set cooperative level\n");
    EXPECT_EQ(input.Devices(), nullptr);
}

}  // namespace
