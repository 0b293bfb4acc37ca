#pragma once
// DirectInput-style keyboard and mouse devices fed by the SDL event pump. The
// keyboard keeps a buffer of 10 key records in DirectInput scan codes; the
// mouse reports relative motion summed between reads and 8 button bytes; the
// pad, SDL's game controllers, its buttons and axes as they are now. Devices
// take events only while acquired.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/input_records.h"
#include "platform/message_queue.h"

// Results in DirectInput's sense: 0 and 1 succeed, negative values fail.
enum DeviceResult : int32_t {
    DI_OK = 0,
    DI_NOEFFECT = 1,        // acquiring an acquired device, and the like
    DI_BUFFEROVERFLOW = 1,  // events were lost since the last read
    DIERR_INPUTLOST = static_cast<int32_t>(0x8007001Eu),
    DIERR_NOTACQUIRED = static_cast<int32_t>(0x8007000Cu),
};

// DirectInput scan code (DIK_ value) of an SDL scancode; 0 for keys without one.
uint8_t DikFromScancode(int sdlScancode);
// The name of the key with that scan code on a US keyboard ("W", "Space",
// "Left Shift"); empty for codes no key has.
std::string DikName(int dik);

// One buffered key event (DIDEVICEOBJECTDATA) and the extended mouse state
// (DIMOUSESTATE2), as the devices deliver them.
using DeviceKeyRecord = KeyEventRecord;
using DeviceMouseState = MouseStateRecord;

class KeyboardDevice {
public:
    static constexpr uint32_t kBufferSize = 10;

    int32_t Acquire();  // DI_NOEFFECT when already acquired; starts with an empty buffer
    int32_t Unacquire();
    bool Acquired() const { return acquired_; }

    // Moves up to *count buffered records, oldest first, into records and sets
    // *count to the number moved. DIERR_NOTACQUIRED while not acquired.
    int32_t GetDeviceData(DeviceKeyRecord* records, uint32_t* count);

    // From the event pump. Events past the tenth before a read are lost.
    void OnKey(int sdlScancode, bool down, uint32_t timeMs);
    // A key event already in DirectInput terms (scripted input, tests).
    void OnScanCode(uint8_t dik, bool down, uint32_t timeMs);

private:
    DeviceKeyRecord buffer_[kBufferSize];
    uint32_t buffered_ = 0;
    uint32_t sequence_ = 0;
    bool overflowed_ = false;
    bool acquired_ = false;
};

class MouseDevice {
public:
    // Acquiring switches SDL's relative mouse mode on (motion without a
    // cursor, like exclusive mode); unacquiring switches it off.
    int32_t Acquire();
    int32_t Unacquire();
    bool Acquired() const { return acquired_; }

    // The motion summed since the last read and the buttons now.
    // DIERR_NOTACQUIRED, with a zero state, while not acquired.
    int32_t GetDeviceState(DeviceMouseState* state);

    // From the event pump. SDL buttons 1 left, 2 middle, 3 right, 4 and 5 the
    // side buttons become DirectInput's 0 left, 1 right, 2 middle, 3, 4.
    void OnMotion(int dx, int dy);
    void OnButton(int sdlButton, bool down);
    // A button already in DirectInput numbering, 0-7 (scripted input, tests).
    void SetButton(int button, bool down);
    void OnWheel(int notches);

private:
    DeviceMouseState state_;
    bool acquired_ = false;
};

// Game controllers through SDL's game-controller layer, hot-plugged: once
// opened, every controller plugged in is opened too, and all of them feed one
// pad state. A controller unplugged leaves nothing held.
class PadDevice {
public:
    PadDevice() = default;
    ~PadDevice();  // closes the controllers and the layer
    PadDevice(const PadDevice&) = delete;
    PadDevice& operator=(const PadDevice&) = delete;

    // Starts the game-controller layer; the controllers plugged in already
    // arrive as events like those plugged in later. False when SDL cannot
    // start it (the game runs on without a pad).
    bool OpenControllers();

    // Acquiring reads the buttons and axes afresh from the open controllers;
    // unacquiring lets go of everything held.
    int32_t Acquire();
    int32_t Unacquire();
    bool Acquired() const { return acquired_; }

    // The pad now. DIERR_NOTACQUIRED, with a zero state, while not acquired.
    int32_t GetDeviceState(PadStateRecord* state) const;

    // From the event pump: a controller plugged in (SDL's device index) or
    // out (its instance id), and a button or axis of an open controller.
    void OnAdded(int deviceIndex);
    void OnRemoved(int instanceId);
    void OnButton(int button, bool down);
    void OnAxis(int axis, int value);
    // A pad plugged in or out without SDL (scripted input, tests); its
    // buttons and axes then come through OnButton and OnAxis.
    void Connect();
    void Disconnect();

private:
    void Clear();
    bool Connected() const { return !controllers_.empty() || scriptedPads_ > 0; }

    std::vector<int32_t> controllers_;  // instance ids of the open controllers
    int scriptedPads_ = 0;
    bool layerOpen_ = false;
    bool acquired_ = false;
    PadStateRecord state_;
};

// The devices, fed by the event pump while this object lives.
class InputDevices : public RawInputSink {
public:
    InputDevices();
    ~InputDevices() override;
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;

    void OnKey(int sdlScancode, bool down, uint32_t timeMs) override;
    void OnMouseMotion(int dx, int dy) override;
    void OnMouseButton(int button, bool down) override;
    void OnMouseWheel(int dz) override;
    void OnPadAdded(int deviceIndex) override;
    void OnPadRemoved(int instanceId) override;
    void OnPadButton(int button, bool down) override;
    void OnPadAxis(int axis, int value) override;

    KeyboardDevice keyboard;
    MouseDevice mouse;
    PadDevice pad;
};
