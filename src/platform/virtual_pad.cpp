#include "platform/virtual_pad.h"

#include <SDL.h>

#include "platform/input_records.h"

namespace {

SDL_Joystick* Joystick(void* handle) {
    return static_cast<SDL_Joystick*>(handle);
}

}  // namespace

VirtualPad::VirtualPad() {
    layerStarted_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

VirtualPad::~VirtualPad() {
    Detach();
    if (layerStarted_)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool VirtualPad::Attach() {
    if (!layerStarted_)
        return false;
    if (Attached())
        return true;
    SDL_VirtualJoystickDesc description;
    SDL_zero(description);
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = kPadAxisCount;
    description.nbuttons = kPadButtonCount;
    description.name = "Quarn virtual pad";
    const int index = SDL_JoystickAttachVirtualEx(&description);
    if (index < 0)
        return false;
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (!joystick) {
        SDL_JoystickDetachVirtual(index);
        return false;
    }
    deviceIndex_ = index;
    joystick_ = joystick;
    // Triggers rest at the low end of the joystick's range.
    SetAxis(PadAxisLeftTrigger, 0);
    SetAxis(PadAxisRightTrigger, 0);
    return true;
}

void VirtualPad::Detach() {
    if (!Attached())
        return;
    // The device index of a virtual joystick is found again by its instance.
    const SDL_JoystickID id = SDL_JoystickInstanceID(Joystick(joystick_));
    SDL_JoystickClose(Joystick(joystick_));
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    deviceIndex_ = -1;
}

void VirtualPad::SetButton(int button, bool down) {
    if (Attached())
        SDL_JoystickSetVirtualButton(Joystick(joystick_), button, down ? 1 : 0);
}

void VirtualPad::SetAxis(int axis, int value) {
    if (!Attached())
        return;
    // The controller layer reads a trigger's joystick axis from -32768 (at
    // rest) to 32767 (pulled all the way) as 0 to 32767.
    const bool trigger = axis == PadAxisLeftTrigger || axis == PadAxisRightTrigger;
    const int raw = trigger ? value * 2 - 32768 : value;
    SDL_JoystickSetVirtualAxis(
        Joystick(joystick_), axis,
        static_cast<Sint16>(raw < -32768 ? -32768 : (raw > 32767 ? 32767 : raw)));
}
