#include "platform/input_devices.h"

#include <SDL.h>

#include <cstddef>

namespace {

struct ScancodeToDik {
    SDL_Scancode scancode;
    uint8_t dik;
};

// Every key a player can bind, by its position on a US keyboard.
constexpr ScancodeToDik kKeyTable[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},
    {SDL_SCANCODE_1, 0x02},
    {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05},
    {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07},
    {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A},
    {SDL_SCANCODE_0, 0x0B},
    {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D},
    {SDL_SCANCODE_BACKSPACE, 0x0E},
    {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10},
    {SDL_SCANCODE_W, 0x11},
    {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13},
    {SDL_SCANCODE_T, 0x14},
    {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16},
    {SDL_SCANCODE_I, 0x17},
    {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19},
    {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, 0x1C},
    {SDL_SCANCODE_LCTRL, 0x1D},
    {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F},
    {SDL_SCANCODE_D, 0x20},
    {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22},
    {SDL_SCANCODE_H, 0x23},
    {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25},
    {SDL_SCANCODE_L, 0x26},
    {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28},
    {SDL_SCANCODE_GRAVE, 0x29},
    {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B},
    {SDL_SCANCODE_NONUSHASH, 0x2B},
    {SDL_SCANCODE_Z, 0x2C},
    {SDL_SCANCODE_X, 0x2D},
    {SDL_SCANCODE_C, 0x2E},
    {SDL_SCANCODE_V, 0x2F},
    {SDL_SCANCODE_B, 0x30},
    {SDL_SCANCODE_N, 0x31},
    {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, 0x34},
    {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x37},
    {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39},
    {SDL_SCANCODE_CAPSLOCK, 0x3A},
    {SDL_SCANCODE_F1, 0x3B},
    {SDL_SCANCODE_F2, 0x3C},
    {SDL_SCANCODE_F3, 0x3D},
    {SDL_SCANCODE_F4, 0x3E},
    {SDL_SCANCODE_F5, 0x3F},
    {SDL_SCANCODE_F6, 0x40},
    {SDL_SCANCODE_F7, 0x41},
    {SDL_SCANCODE_F8, 0x42},
    {SDL_SCANCODE_F9, 0x43},
    {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45},
    {SDL_SCANCODE_SCROLLLOCK, 0x46},
    {SDL_SCANCODE_KP_7, 0x47},
    {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49},
    {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B},
    {SDL_SCANCODE_KP_5, 0x4C},
    {SDL_SCANCODE_KP_6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, 0x4E},
    {SDL_SCANCODE_KP_1, 0x4F},
    {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51},
    {SDL_SCANCODE_KP_0, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
    {SDL_SCANCODE_F11, 0x57},
    {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_F13, 0x64},
    {SDL_SCANCODE_F14, 0x65},
    {SDL_SCANCODE_F15, 0x66},
    {SDL_SCANCODE_KP_ENTER, 0x9C},
    {SDL_SCANCODE_RCTRL, 0x9D},
    {SDL_SCANCODE_KP_DIVIDE, 0xB5},
    {SDL_SCANCODE_PRINTSCREEN, 0xB7},
    {SDL_SCANCODE_RALT, 0xB8},
    {SDL_SCANCODE_PAUSE, 0xC5},
    {SDL_SCANCODE_HOME, 0xC7},
    {SDL_SCANCODE_UP, 0xC8},
    {SDL_SCANCODE_PAGEUP, 0xC9},
    {SDL_SCANCODE_LEFT, 0xCB},
    {SDL_SCANCODE_RIGHT, 0xCD},
    {SDL_SCANCODE_END, 0xCF},
    {SDL_SCANCODE_DOWN, 0xD0},
    {SDL_SCANCODE_PAGEDOWN, 0xD1},
    {SDL_SCANCODE_INSERT, 0xD2},
    {SDL_SCANCODE_DELETE, 0xD3},
    {SDL_SCANCODE_LGUI, 0xDB},
    {SDL_SCANCODE_RGUI, 0xDC},
    {SDL_SCANCODE_APPLICATION, 0xDD},
};

constexpr int32_t kWheelDelta = 120;  // one wheel notch

void SetRelativeMouse(bool on) {
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_SetRelativeMouseMode(on ? SDL_TRUE : SDL_FALSE);
}

int DirectInputButton(int sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return 0;
        case SDL_BUTTON_RIGHT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        default:
            return sdlButton >= 4 && sdlButton <= 8 ? sdlButton - 1 : -1;
    }
}

}  // namespace

uint8_t DikFromScancode(int sdlScancode) {
    for (const ScancodeToDik& entry : kKeyTable) {
        if (entry.scancode == sdlScancode)
            return entry.dik;
    }
    return 0;
}

std::string DikName(int dik) {
    for (const ScancodeToDik& entry : kKeyTable) {
        if (entry.dik == dik)
            return SDL_GetScancodeName(entry.scancode);
    }
    return "";
}

int32_t KeyboardDevice::Acquire() {
    if (acquired_)
        return DI_NOEFFECT;
    acquired_ = true;
    buffered_ = 0;
    overflowed_ = false;
    return DI_OK;
}

int32_t KeyboardDevice::Unacquire() {
    if (!acquired_)
        return DI_NOEFFECT;
    acquired_ = false;
    return DI_OK;
}

int32_t KeyboardDevice::GetDeviceData(DeviceKeyRecord* records, uint32_t* count) {
    if (!acquired_) {
        *count = 0;
        return DIERR_NOTACQUIRED;
    }
    const uint32_t taken = *count < buffered_ ? *count : buffered_;
    for (uint32_t i = 0; i < taken; ++i)
        records[i] = buffer_[i];
    for (uint32_t i = taken; i < buffered_; ++i)
        buffer_[i - taken] = buffer_[i];
    buffered_ -= taken;
    *count = taken;
    const bool overflowed = overflowed_;
    overflowed_ = false;
    return overflowed ? DI_BUFFEROVERFLOW : DI_OK;
}

void KeyboardDevice::OnKey(int sdlScancode, bool down, uint32_t timeMs) {
    OnScanCode(DikFromScancode(sdlScancode), down, timeMs);
}

void KeyboardDevice::OnScanCode(uint8_t dik, bool down, uint32_t timeMs) {
    if (!acquired_ || dik == 0)
        return;
    if (buffered_ == kBufferSize) {
        overflowed_ = true;
        return;
    }
    DeviceKeyRecord& record = buffer_[buffered_++];
    record.offset = dik;
    record.data = down ? 0x80 : 0x00;
    record.timeStamp = timeMs;
    record.sequence = ++sequence_;
    record.appData = 0;
}

int32_t MouseDevice::Acquire() {
    if (acquired_)
        return DI_NOEFFECT;
    acquired_ = true;
    state_.x = state_.y = state_.z = 0;
    SetRelativeMouse(true);
    return DI_OK;
}

int32_t MouseDevice::Unacquire() {
    if (!acquired_)
        return DI_NOEFFECT;
    acquired_ = false;
    SetRelativeMouse(false);
    return DI_OK;
}

int32_t MouseDevice::GetDeviceState(DeviceMouseState* state) {
    if (!acquired_) {
        *state = DeviceMouseState();
        return DIERR_NOTACQUIRED;
    }
    *state = state_;
    state_.x = state_.y = state_.z = 0;
    return DI_OK;
}

void MouseDevice::OnMotion(int dx, int dy) {
    if (!acquired_)
        return;
    state_.x += dx;
    state_.y += dy;
}

void MouseDevice::OnButton(int sdlButton, bool down) {
    // Buttons are followed even while not acquired, so a button held when the
    // device is acquired again reads as down.
    const int button = DirectInputButton(sdlButton);
    if (button >= 0)
        state_.buttons[button] = down ? 0x80 : 0x00;
}

void MouseDevice::SetButton(int button, bool down) {
    if (button >= 0 && button < 8)
        state_.buttons[button] = down ? 0x80 : 0x00;
}

void MouseDevice::OnWheel(int notches) {
    if (acquired_)
        state_.z += notches * kWheelDelta;
}

PadDevice::~PadDevice() {
    if (!layerOpen_)
        return;
    for (int32_t id : controllers_)
        SDL_GameControllerClose(SDL_GameControllerFromInstanceID(id));
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool PadDevice::OpenControllers() {
    if (layerOpen_)
        return true;
    // Whether the window has the focus is the input's business (acquiring
    // and unacquiring); SDL is not to drop pad events on its own.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    layerOpen_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    return layerOpen_;
}

void PadDevice::Clear() {
    const bool connected = Connected();
    state_ = PadStateRecord();
    state_.connected = connected;
}

int32_t PadDevice::Acquire() {
    if (acquired_)
        return DI_NOEFFECT;
    acquired_ = true;
    Clear();
    // Buttons held while the device was not acquired read as held now.
    for (int32_t id : controllers_) {
        SDL_GameController* controller = SDL_GameControllerFromInstanceID(id);
        if (!controller)
            continue;
        for (int button = 0; button < kPadButtonCount; ++button) {
            if (SDL_GameControllerGetButton(controller,
                                            static_cast<SDL_GameControllerButton>(button)))
                state_.buttons[button] = 0x80;
        }
        for (int axis = 0; axis < kPadAxisCount; ++axis)
            state_.axes[axis] =
                SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(axis));
    }
    return DI_OK;
}

int32_t PadDevice::Unacquire() {
    if (!acquired_)
        return DI_NOEFFECT;
    acquired_ = false;
    Clear();
    return DI_OK;
}

int32_t PadDevice::GetDeviceState(PadStateRecord* state) const {
    if (!acquired_) {
        *state = PadStateRecord();
        return DIERR_NOTACQUIRED;
    }
    *state = state_;
    return DI_OK;
}

void PadDevice::OnAdded(int deviceIndex) {
    if (!layerOpen_)
        return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
        return;
    const int32_t id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    for (int32_t open : controllers_) {
        if (open == id) {  // opened already: SDL counts each open, so close this one
            SDL_GameControllerClose(controller);
            return;
        }
    }
    controllers_.push_back(id);
    state_.connected = true;
}

void PadDevice::OnRemoved(int instanceId) {
    for (size_t i = 0; i < controllers_.size(); ++i) {
        if (controllers_[i] != instanceId)
            continue;
        SDL_GameControllerClose(SDL_GameControllerFromInstanceID(instanceId));
        controllers_.erase(controllers_.begin() + static_cast<std::ptrdiff_t>(i));
        // Whatever it held is let go, on every pad: the state is one for all.
        Clear();
        return;
    }
}

void PadDevice::OnButton(int button, bool down) {
    if (acquired_ && Connected() && button >= 0 && button < kPadButtonCount)
        state_.buttons[button] = down ? 0x80 : 0x00;
}

void PadDevice::OnAxis(int axis, int value) {
    if (!acquired_ || !Connected() || axis < 0 || axis >= kPadAxisCount)
        return;
    const int low = axis >= PadAxisLeftTrigger ? 0 : -32768;
    state_.axes[axis] = static_cast<int16_t>(value < low ? low : (value > 32767 ? 32767 : value));
}

void PadDevice::Connect() {
    ++scriptedPads_;
    state_.connected = true;
}

void PadDevice::Disconnect() {
    if (scriptedPads_ == 0)
        return;
    --scriptedPads_;
    Clear();
}

InputDevices::InputDevices() {
    SetRawInputSink(this);
}

InputDevices::~InputDevices() {
    SetRawInputSink(nullptr);
}

void InputDevices::OnKey(int sdlScancode, bool down, uint32_t timeMs) {
    keyboard.OnKey(sdlScancode, down, timeMs);
}
void InputDevices::OnMouseMotion(int dx, int dy) {
    mouse.OnMotion(dx, dy);
}
void InputDevices::OnMouseButton(int button, bool down) {
    mouse.OnButton(button, down);
}
void InputDevices::OnMouseWheel(int dz) {
    mouse.OnWheel(dz);
}
void InputDevices::OnPadAdded(int deviceIndex) {
    pad.OnAdded(deviceIndex);
}
void InputDevices::OnPadRemoved(int instanceId) {
    pad.OnRemoved(instanceId);
}
void InputDevices::OnPadButton(int button, bool down) {
    pad.OnButton(button, down);
}
void InputDevices::OnPadAxis(int axis, int value) {
    pad.OnAxis(axis, value);
}
