#include "platform/input_devices.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "core/clock.h"
#include "platform/message_queue.h"
#include "platform/pad_controls.h"
#include "platform/virtual_pad.h"

namespace {

// SDL scancodes are the USB HID usage numbers of the keys.
enum Scancode : int {
    SDL_SCANCODE_UNKNOWN = 0,
    SDL_SCANCODE_A = 4,
    SDL_SCANCODE_D = 7,
    SDL_SCANCODE_H = 11,
    SDL_SCANCODE_S = 22,
    SDL_SCANCODE_W = 26,
    SDL_SCANCODE_RETURN = 40,
    SDL_SCANCODE_ESCAPE = 41,
    SDL_SCANCODE_SPACE = 44,
    SDL_SCANCODE_BACKSLASH = 49,
    SDL_SCANCODE_NONUSHASH = 50,
    SDL_SCANCODE_F5 = 62,
    SDL_SCANCODE_F8 = 65,
    SDL_SCANCODE_F12 = 69,
    SDL_SCANCODE_PRINTSCREEN = 70,
    SDL_SCANCODE_RIGHT = 79,
    SDL_SCANCODE_LEFT = 80,
    SDL_SCANCODE_DOWN = 81,
    SDL_SCANCODE_UP = 82,
    SDL_NUM_SCANCODES = 512,
};

TEST(DikFromScancodeTest, GivesDirectInputCodesForTheDefaultBindingsAndSpecialKeys) {
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_ESCAPE), 1);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_RETURN), 28);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_SPACE), 57);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_PRINTSCREEN), 183);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_UP), 200);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_LEFT), 203);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_RIGHT), 205);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_DOWN), 208);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_H), 35);
    // W A S D, F5-F8 and F12 of the Keys section.
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_W), 17);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_A), 30);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_S), 31);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_D), 32);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_F5), 63);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_F8), 66);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_F12), 88);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_UNKNOWN), 0);

    // No two keys share a code, except the two keys beside Return.
    for (int a = 0; a < SDL_NUM_SCANCODES; ++a) {
        for (int b = a + 1; b < SDL_NUM_SCANCODES; ++b) {
            const uint8_t dik = DikFromScancode(a);
            if (dik == 0 || dik != DikFromScancode(b))
                continue;
            EXPECT_TRUE(a == SDL_SCANCODE_BACKSLASH && b == SDL_SCANCODE_NONUSHASH)
                << a << " " << b;
        }
    }
}

TEST(KeyboardDeviceTest, BuffersTenRecordsWhileAcquiredAndLosesTheRest) {
    KeyboardDevice keyboard;
    keyboard.OnKey(SDL_SCANCODE_A, true, 1);  // not acquired: not taken
    DeviceKeyRecord records[KeyboardDevice::kBufferSize];
    uint32_t count = KeyboardDevice::kBufferSize;
    EXPECT_EQ(keyboard.GetDeviceData(records, &count), DIERR_NOTACQUIRED);
    EXPECT_EQ(count, 0u);

    EXPECT_EQ(keyboard.Acquire(), DI_OK);
    EXPECT_EQ(keyboard.Acquire(), DI_NOEFFECT);
    for (int i = 0; i < 12; ++i)
        keyboard.OnKey(i % 2 == 0 ? SDL_SCANCODE_W : SDL_SCANCODE_SPACE, i % 4 < 2, 100 + i);
    keyboard.OnKey(SDL_SCANCODE_UNKNOWN, true, 200);
    count = KeyboardDevice::kBufferSize;
    EXPECT_EQ(keyboard.GetDeviceData(records, &count), DI_BUFFEROVERFLOW);
    ASSERT_EQ(count, 10u);
    EXPECT_EQ(records[0].offset, 17u);
    EXPECT_EQ(records[0].data, 0x80u);
    EXPECT_EQ(records[1].offset, 57u);
    EXPECT_EQ(records[2].data, 0u);
    EXPECT_EQ(records[9].timeStamp, 109u);
    EXPECT_LT(records[0].sequence, records[9].sequence);

    count = KeyboardDevice::kBufferSize;
    EXPECT_EQ(keyboard.GetDeviceData(records, &count), DI_OK);
    EXPECT_EQ(count, 0u);  // the two past the tenth are gone

    // A short read leaves the rest for the next one.
    keyboard.OnKey(SDL_SCANCODE_A, true, 1);
    keyboard.OnKey(SDL_SCANCODE_D, true, 2);
    count = 1;
    keyboard.GetDeviceData(records, &count);
    EXPECT_EQ(records[0].offset, 30u);
    count = 5;
    keyboard.GetDeviceData(records, &count);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(records[0].offset, 32u);

    EXPECT_EQ(keyboard.Unacquire(), DI_OK);
    EXPECT_EQ(keyboard.Unacquire(), DI_NOEFFECT);
}

TEST(MouseDeviceTest, SumsMotionBetweenReadsOnlyWhileAcquired) {
    MouseDevice mouse;
    mouse.OnMotion(5, 5);
    DeviceMouseState state;
    state.x = 99;
    EXPECT_EQ(mouse.GetDeviceState(&state), DIERR_NOTACQUIRED);
    EXPECT_EQ(state.x, 0);  // an inactive mouse reads no movement

    EXPECT_EQ(mouse.Acquire(), DI_OK);
    mouse.OnMotion(3, -2);
    mouse.OnMotion(4, 1);
    mouse.OnWheel(-1);
    mouse.OnButton(1, true);  // left
    mouse.OnButton(3, true);  // right
    EXPECT_EQ(mouse.GetDeviceState(&state), DI_OK);
    EXPECT_EQ(state.x, 7);
    EXPECT_EQ(state.y, -1);
    EXPECT_EQ(state.z, -120);
    EXPECT_EQ(state.buttons[0], 0x80);
    EXPECT_EQ(state.buttons[1], 0x80);
    EXPECT_EQ(state.buttons[2], 0);

    mouse.OnButton(3, false);
    mouse.GetDeviceState(&state);
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.y, 0);
    EXPECT_EQ(state.buttons[0], 0x80);  // still held
    EXPECT_EQ(state.buttons[1], 0);

    // Buttons change while released are seen after acquiring again.
    mouse.Unacquire();
    mouse.OnMotion(10, 10);
    mouse.OnButton(1, false);
    mouse.OnButton(2, true);  // middle
    mouse.Acquire();
    mouse.GetDeviceState(&state);
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.buttons[0], 0);
    EXPECT_EQ(state.buttons[2], 0x80);
}

TEST(PadControlsTest, NamesRoundTripAndTheStateTellsWhichAreDown) {
    for (int control = PadNone + 1; control < kPadControlCount; ++control) {
        std::string name = PadControlName(control);
        EXPECT_EQ(PadControlFromName(name), control) << name;
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(PadControlFromName(name), control) << name;
        EXPECT_STRNE(PadControlLabel(control), "-");
    }
    for (const char* name : {"none", "", "lefty", "a b", "button1"})
        EXPECT_EQ(PadControlFromName(name), PadNone) << name;
    EXPECT_STREQ(PadControlName(kPadControlCount), "none");

    PadStateRecord state;
    state.buttons[PadButtonA] = 0x80;
    state.buttons[PadButtonB] = 0x7F;
    state.axes[PadAxisLeftY] = -20000;  // pushed up past half way
    state.axes[PadAxisLeftX] = 16383;   // just short of half way right
    state.axes[PadAxisRightY] = 16384;  // down, half way exactly
    state.axes[PadAxisLeftTrigger] = kPadAxisPressThreshold;
    state.axes[PadAxisRightTrigger] = 100;
    const struct {
        int control;
        bool down;
    } table[] = {{PadA, true},
                 {PadB, false},
                 {PadLeftStickUp, true},
                 {PadLeftStickDown, false},
                 {PadLeftStickRight, false},
                 {PadLeftStickLeft, false},
                 {PadRightStickDown, true},
                 {PadRightStickUp, false},
                 {PadLeftTrigger, true},
                 {PadRightTrigger, false},
                 {PadNone, false},
                 {kPadControlCount, false},
                 {-3, false}};
    for (const auto& row : table)
        EXPECT_EQ(PadControlDown(state, row.control), row.down) << PadControlName(row.control);
}

TEST(PadDeviceTest, TakesButtonsAndAxesOnlyWhileAcquiredAndConnected) {
    PadDevice pad;
    PadStateRecord state;
    pad.Connect();
    pad.OnButton(PadButtonA, true);  // not acquired: not taken
    EXPECT_EQ(pad.GetDeviceState(&state), DIERR_NOTACQUIRED);
    EXPECT_FALSE(state.connected);

    EXPECT_EQ(pad.Acquire(), DI_OK);
    pad.OnButton(PadButtonX, true);
    pad.OnButton(kPadButtonCount, true);  // no such button
    pad.OnAxis(PadAxisLeftTrigger, -5);
    pad.OnAxis(PadAxisRightX, 40000);
    pad.OnAxis(PadAxisRightY, -40000);
    EXPECT_EQ(pad.GetDeviceState(&state), DI_OK);
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(state.buttons[PadButtonA], 0);
    EXPECT_EQ(state.buttons[PadButtonX], 0x80);
    EXPECT_EQ(state.axes[PadAxisLeftTrigger], 0);
    EXPECT_EQ(state.axes[PadAxisRightX], 32767);
    EXPECT_EQ(state.axes[PadAxisRightY], -32768);

    // Pulled out, it lets go of everything and takes nothing more.
    pad.Disconnect();
    pad.OnButton(PadButtonB, true);
    pad.GetDeviceState(&state);
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(state.buttons[PadButtonX], 0);
    EXPECT_EQ(state.buttons[PadButtonB], 0);
    EXPECT_EQ(state.axes[PadAxisRightX], 0);
}

void PumpMessages() {
    for (int round = 0; round < 5; ++round) {
        WindowMessage message;
        while (PeekWindowMessage(&message))
            DispatchWindowMessage(message);
        SystemClock().Sleep(2);
    }
}

TEST(PadDeviceTest, AVirtualPadPluggedInAndOutReachesTheDeviceThroughTheMessageQueue) {
    InputDevices devices;
    ASSERT_TRUE(devices.pad.OpenControllers());
    devices.pad.Acquire();
    PadStateRecord state;
    VirtualPad pad;
    for (int plug = 0; plug < 2; ++plug) {
        ASSERT_TRUE(pad.Attach());
        PumpMessages();
        devices.pad.GetDeviceState(&state);
        EXPECT_TRUE(state.connected);
        pad.SetButton(PadButtonA, true);
        pad.SetAxis(PadAxisLeftY, -32768);
        pad.SetAxis(PadAxisRightTrigger, 32767);
        PumpMessages();
        devices.pad.GetDeviceState(&state);
        EXPECT_EQ(state.buttons[PadButtonA], 0x80);
        EXPECT_EQ(state.axes[PadAxisLeftY], -32768);
        EXPECT_GE(state.axes[PadAxisRightTrigger], 32766);

        // Released and acquired again, the device reads what is held afresh.
        devices.pad.Unacquire();
        devices.pad.GetDeviceState(&state);
        EXPECT_EQ(state.buttons[PadButtonA], 0);
        devices.pad.Acquire();
        devices.pad.GetDeviceState(&state);
        EXPECT_EQ(state.buttons[PadButtonA], 0x80);
        EXPECT_EQ(state.axes[PadAxisLeftY], -32768);

        pad.Detach();
        PumpMessages();
        devices.pad.GetDeviceState(&state);
        EXPECT_FALSE(state.connected);
        EXPECT_EQ(state.buttons[PadButtonA], 0);
        EXPECT_EQ(state.axes[PadAxisLeftY], 0);
    }
}

}  // namespace
