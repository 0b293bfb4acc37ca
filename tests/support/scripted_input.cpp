#include "support/scripted_input.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kKeyBufferSize = 10;
constexpr uint32_t kKeyDownBit = 0x80;
constexpr uint8_t kButtonDown = 0x80;

}  // namespace

ScriptedInput::ScriptedInput() {
    Reset();
}

void ScriptedInput::Reset() {
    queuedKeys_.clear();
    frameKeys_.clear();
    std::memset(keyState_, 0, sizeof keyState_);
    pending_ = MouseStateRecord();
    previous_ = MouseStateRecord();
    current_ = MouseStateRecord();
    std::fill(std::begin(releaseAfterRead_), std::end(releaseAfterRead_), false);
}

HRESULT ScriptedInput::Init(PlatformWindow*) {
    ++initCount;
    return S_OK;
}

void ScriptedInput::Queue(int code, bool down) {
    KeyEventRecord record;
    record.offset = static_cast<uint32_t>(code) & 0xFF;
    record.data = down ? kKeyDownBit : 0;
    record.sequence = static_cast<uint32_t>(queuedKeys_.size());
    queuedKeys_.push_back(record);
}

void ScriptedInput::HoldKey(int code) {
    Queue(code, true);
}
void ScriptedInput::ReleaseKey(int code) {
    Queue(code, false);
}
void ScriptedInput::TapKey(int code) {
    Queue(code, true);
    Queue(code, false);
}

void ScriptedInput::ReadKeyboard() {
    const size_t count = std::min(queuedKeys_.size(), kKeyBufferSize);
    frameKeys_.assign(queuedKeys_.begin(), queuedKeys_.begin() + count);
    queuedKeys_.clear();  // the device lost the rest
    for (const KeyEventRecord& record : frameKeys_)
        keyState_[record.offset & 0xFF] = (record.data & kKeyDownBit) ? 1 : 0;
}

bool ScriptedInput::KeyPressed(int code) const {
    const uint32_t key = static_cast<uint32_t>(code) & 0xFF;
    for (const KeyEventRecord& record : frameKeys_) {
        if ((record.offset & 0xFF) == key && (record.data & kKeyDownBit))
            return true;
    }
    return false;
}

bool ScriptedInput::KeyHeld(int code) const {
    return keyState_[static_cast<uint32_t>(code) & 0xFF] != 0;
}

void ScriptedInput::MoveMouse(int32_t dx, int32_t dy) {
    pending_.x += dx;
    pending_.y += dy;
}

void ScriptedInput::HoldButton(int button) {
    pending_.buttons[button & 7] = kButtonDown;
}

void ScriptedInput::ReleaseButton(int button) {
    pending_.buttons[button & 7] = 0;
}

void ScriptedInput::ClickButton(int button) {
    HoldButton(button);
    releaseAfterRead_[button & 7] = true;
}

void ScriptedInput::ReadMouse() {
    previous_ = current_;
    current_ = pending_;
    pending_.x = pending_.y = pending_.z = 0;
    for (int i = 0; i < 8; ++i) {
        if (releaseAfterRead_[i]) {
            pending_.buttons[i] = 0;
            releaseAfterRead_[i] = false;
        }
    }
}

bool ScriptedInput::MouseButtonPressed(int button) const {
    if (button < 0 || button > 7)
        return false;
    return (current_.buttons[button] & kButtonDown) && !(previous_.buttons[button] & kButtonDown);
}
