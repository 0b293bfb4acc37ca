#include "platform/pad_controls.h"

#include <strings.h>

namespace {

struct ControlText {
    const char* name;
    const char* label;
};

// Indexed by PadControl.
constexpr ControlText kControls[kPadControlCount] = {
    {"none", "-"},
    {"a", "A"},
    {"b", "B"},
    {"x", "X"},
    {"y", "Y"},
    {"back", "Back"},
    {"guide", "Guide"},
    {"start", "Start"},
    {"leftstick", "Left stick press"},
    {"rightstick", "Right stick press"},
    {"leftshoulder", "Left shoulder"},
    {"rightshoulder", "Right shoulder"},
    {"dpup", "D-pad up"},
    {"dpdown", "D-pad down"},
    {"dpleft", "D-pad left"},
    {"dpright", "D-pad right"},
    {"leftx-", "Left stick left"},
    {"leftx+", "Left stick right"},
    {"lefty-", "Left stick up"},
    {"lefty+", "Left stick down"},
    {"rightx-", "Right stick left"},
    {"rightx+", "Right stick right"},
    {"righty-", "Right stick up"},
    {"righty+", "Right stick down"},
    {"lefttrigger", "Left trigger"},
    {"righttrigger", "Right trigger"},
};

bool IsControl(int control) {
    return control > PadNone && control < kPadControlCount;
}

}  // namespace

bool PadControlDown(const PadStateRecord& state, int control) {
    if (!IsControl(control))
        return false;
    if (control < PadLeftStickLeft)
        return (state.buttons[control - PadA] & 0x80) != 0;
    if (control >= PadLeftTrigger) {
        const int axis = control == PadLeftTrigger ? PadAxisLeftTrigger : PadAxisRightTrigger;
        return state.axes[axis] >= kPadAxisPressThreshold;
    }
    // Stick halves come in pairs, minus then plus, in the order of the axes.
    const int half = control - PadLeftStickLeft;
    const int value = state.axes[half / 2];
    return half % 2 == 0 ? value <= -kPadAxisPressThreshold : value >= kPadAxisPressThreshold;
}

const char* PadControlName(int control) {
    return IsControl(control) ? kControls[control].name : kControls[PadNone].name;
}

int PadControlFromName(const std::string& name) {
    for (int control = PadNone + 1; control < kPadControlCount; ++control) {
        if (strcasecmp(name.c_str(), kControls[control].name) == 0)
            return control;
    }
    return PadNone;
}

const char* PadControlLabel(int control) {
    return IsControl(control) ? kControls[control].label : kControls[PadNone].label;
}
