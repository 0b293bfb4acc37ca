#include "input/input.h"

#include <cstring>

#include "platform/input_devices.h"
#include "platform/message_box.h"
#include "platform/pad_controls.h"

namespace {

constexpr const char* kFailureCaption = "Failure";
constexpr const char* kCreateFailed = "Creating dinput failed";
constexpr const char* kCooperativeLevelFailed = "Couldn't set cooperative level";
constexpr const char* kAcquireFailed = "Couldn't Acquire";

// A lost device is acquired again before a read is retried; the retry is
// bounded so a device that never comes back cannot hang the frame.
constexpr int kReacquireAttempts = 100;

HRESULT Fail(const char* text) {
    ShowMessageBox(text, kFailureCaption, MB_OK | MB_ICONWARNING);
    return E_FAIL;
}

template <typename Device>
void ReacquireWhileLost(Device& device) {
    for (int attempt = 0; attempt < kReacquireAttempts; ++attempt) {
        if (device.Acquire() != DIERR_INPUTLOST)
            return;
    }
}

bool WantsKeyboard(int which) {
    return which == InputBoth || which == InputKeyboardOnly;
}
bool WantsMouse(int which) {
    return which == InputBoth || which == InputMouseOnly;
}

}  // namespace

Input::Input() {
    std::memset(keyState_, 0, sizeof keyState_);
}

Input::~Input() = default;

HRESULT Input::Init(PlatformWindow* window) {
    devices_ = std::make_unique<InputDevices>();
    if (!devices_)
        return Fail(kCreateFailed);
    // The devices take their events from the window's event pump; without a
    // window there is nothing to cooperate with.
    if (!window) {
        devices_.reset();
        return Fail(kCooperativeLevelFailed);
    }
    devices_->pad.OpenControllers();
    return Acquire(InputBoth);
}

HRESULT Input::InitWithoutWindow() {
    devices_ = std::make_unique<InputDevices>();
    return Acquire(InputBoth);
}

HRESULT Input::Acquire(int which) {
    if (!devices_)
        return S_OK;
    // Acquiring a device that is already acquired leaves it working; only a
    // real failure is reported.
    if (WantsKeyboard(which) && devices_->keyboard.Acquire() < 0)
        return Fail(kAcquireFailed);
    if (WantsMouse(which) && devices_->mouse.Acquire() < 0)
        return Fail(kAcquireFailed);
    if (which == InputBoth)
        devices_->pad.Acquire();
    return S_OK;
}

void Input::Release(int which) {
    if (!devices_)
        return;
    if (which == InputBoth)
        devices_->pad.Unacquire();
    if (WantsMouse(which))
        devices_->mouse.Unacquire();
    if (WantsKeyboard(which)) {
        devices_->keyboard.Unacquire();
        // Key-up events while released never arrive; forget what was held.
        std::memset(keyState_, 0, sizeof keyState_);
    }
}

void Input::ReadKeyboard() {
    if (!devices_)
        return;
    uint32_t count = kKeyEventBufferSize;
    const int32_t result = devices_->keyboard.GetDeviceData(keyEvents_, &count);
    if (result < 0) {
        if (result == DIERR_INPUTLOST)
            ReacquireWhileLost(devices_->keyboard);
        // Nothing was read this frame, so nothing counts as pressed in it.
        keyEventCount_ = 0;
        return;
    }
    for (uint32_t i = 0; i < count; ++i)
        keyState_[keyEvents_[i].offset & 0xFF] = (keyEvents_[i].data & 0x80) ? 1 : 0;
    keyEventCount_ = count;
}

void Input::ReadMouse() {
    if (!devices_)
        return;
    previousMouse_ = currentMouse_;
    currentMouse_ = MouseStateRecord();
    const int32_t result = devices_->mouse.GetDeviceState(&currentMouse_);
    if (result < 0) {
        currentMouse_ = MouseStateRecord();
        if (result == DIERR_INPUTLOST)
            ReacquireWhileLost(devices_->mouse);
    }
}

void Input::ReadPad() {
    if (!devices_)
        return;
    previousPad_ = currentPad_;
    devices_->pad.GetDeviceState(&currentPad_);
}

bool Input::KeyPressed(int code) const {
    const uint32_t key = static_cast<uint32_t>(code) & 0xFF;
    for (uint32_t i = 0; i < keyEventCount_; ++i) {
        if ((keyEvents_[i].offset & 0xFF) == key && (keyEvents_[i].data & 0x80))
            return true;
    }
    return false;
}

bool Input::KeyHeld(int code) const {
    return keyState_[static_cast<uint32_t>(code) & 0xFF] != 0;
}

bool Input::MouseButtonPressed(int button) const {
    if (button < 0 || button > 7)
        return false;
    return (currentMouse_.buttons[button] & 0x80) && !(previousMouse_.buttons[button] & 0x80);
}

bool Input::PadPressed(int control) const {
    return PadControlDown(currentPad_, control) && !PadControlDown(previousPad_, control);
}

bool Input::PadHeld(int control) const {
    return PadControlDown(currentPad_, control);
}
