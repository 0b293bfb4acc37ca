#include "input/pad_actions.h"

#include <cmath>

namespace {

constexpr double kStickReach = 32767.0;

bool Pressed(const InputSubsystem& input, const PadControlPair& pair) {
    return input.PadPressed(pair.first) || input.PadPressed(pair.second);
}

bool Held(const InputSubsystem& input, const PadControlPair& pair) {
    return input.PadHeld(pair.first) || input.PadHeld(pair.second);
}

}  // namespace

PadActions ReadPadActions(const InputSubsystem& input, const PadBindings& bindings) {
    PadActions actions;
    actions.fire = Pressed(input, bindings.fire);
    actions.letGo = Pressed(input, bindings.letGo);
    actions.pause = Pressed(input, bindings.pause);
    actions.reset = Pressed(input, bindings.reset);
    actions.reelIn = Held(input, bindings.up);
    actions.reelOut = Held(input, bindings.down);
    actions.swingLeft = Held(input, bindings.left);
    actions.swingRight = Held(input, bindings.right);
    actions.lock = Held(input, bindings.lock);
    actions.anyPressed = actions.fire || actions.letGo || Pressed(input, bindings.up) ||
                         Pressed(input, bindings.down) || Pressed(input, bindings.left) ||
                         Pressed(input, bindings.right) || Pressed(input, bindings.lock);

    // The stick's y grows downwards; the plane's upwards. The dead zone is
    // round: a stick resting a little off centre in any direction never aims.
    const PadStateRecord pad = input.PadState();
    const Vector2 stick{pad.axes[PadAxisRightX] / kStickReach,
                        -pad.axes[PadAxisRightY] / kStickReach};
    const double reach = stick.Length();
    if (reach > 0.0 && reach > bindings.deadZone) {
        actions.aiming = true;
        actions.aim = stick / reach;
    }
    return actions;
}
