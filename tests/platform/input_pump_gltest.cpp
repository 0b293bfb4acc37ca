// Keys and mouse motion sent to a real window through the window system reach
// the keyboard and mouse devices as DirectInput records.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/clock.h"
#include "platform/input_devices.h"
#include "platform/message_queue.h"
#include "platform/platform_window.h"
#include "support/gl_test_window.h"

namespace {

void PumpFor(int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 5) {
        WindowMessage message;
        while (PeekWindowMessage(&message))
            DispatchWindowMessage(message);
        SystemClock().Sleep(5);
    }
}

int RunCommand(const std::string& command) {
    return std::system(command.c_str());
}

TEST(InputPumpTest, KeysReachTheKeyboardDeviceAsScanCodes) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    InputDevices devices;
    devices.keyboard.Acquire();
    PumpFor(200);
    const std::string id = std::to_string(window.Get().Window()->NativeHandle());
    ASSERT_EQ(RunCommand("xdotool windowfocus --sync " + id + " key --delay 20 w Escape F12 Print"),
              0);
    PumpFor(300);

    DeviceKeyRecord records[KeyboardDevice::kBufferSize];
    uint32_t count = KeyboardDevice::kBufferSize;
    ASSERT_GE(devices.keyboard.GetDeviceData(records, &count), 0);
    ASSERT_EQ(count, 8u);
    const uint32_t codes[] = {17, 1, 88, 183};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(records[i * 2].offset, codes[i]);
        EXPECT_EQ(records[i * 2].data, 0x80u);
        EXPECT_EQ(records[i * 2 + 1].offset, codes[i]);
        EXPECT_EQ(records[i * 2 + 1].data, 0u);
    }
}

TEST(InputPumpTest, RelativeMotionReachesTheAcquiredMouse) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    InputDevices devices;
    devices.mouse.Acquire();
    PumpFor(200);
    DeviceMouseState state;
    devices.mouse.GetDeviceState(&state);
    ASSERT_EQ(RunCommand("xdotool mousemove_relative -- 30 -20"), 0);
    PumpFor(300);
    devices.mouse.GetDeviceState(&state);
    EXPECT_EQ(state.x, 30);
    EXPECT_EQ(state.y, -20);
    ASSERT_EQ(RunCommand("xdotool mousedown 1"), 0);
    PumpFor(200);
    devices.mouse.GetDeviceState(&state);
    EXPECT_EQ(state.buttons[0], 0x80);
    ASSERT_EQ(RunCommand("xdotool mouseup 1"), 0);
    PumpFor(200);
    devices.mouse.GetDeviceState(&state);
    EXPECT_EQ(state.buttons[0], 0);
}

}  // namespace
