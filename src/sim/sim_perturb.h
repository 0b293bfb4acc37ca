#pragma once
// A script played as a person would play it: every input (key, mouse button
// or mouse move) lands up to a frame earlier or later than written, and the
// cursor after every mouse move lies up to a few units off where the script
// puts it. Each input and each aim is moved independently, by a seeded
// generator, so a seed always gives the same script.

#include <cstdint>

#include "sim/sim_script.h"

struct ScriptPerturbation {
    int32_t frameShift = 1;  // each input moves by -frameShift..frameShift frames
    int32_t aimError = 2;    // each aim lands within this distance, in level units
};

// The script with its inputs moved. The frames keep their count and clock
// steps; a key or button keeps the order of its own presses and releases, and
// a press and release written in different frames stay in different frames.
// The cursor errors do not add up: after every move the cursor is within
// aimError of where the script puts it.
SimScript PerturbSimScript(const SimScript& script, uint64_t seed,
                           const ScriptPerturbation& perturbation = {});
