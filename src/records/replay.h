#pragma once
// A replay: what re-simulating one finished level needs and nothing else.
// The header names the level (its path and the hash of its bytes), the
// physics (version and the settings in force), the state the level began in
// and the result; then one record per frame of play from the level's load to
// the frame whose steps reached the end: the frame's keys, mouse and game
// controller, whether its tick advanced (and so whether it ran steps), how
// far the game's frame timer moved, and whether a shot was allowed.
//
// File layout, little-endian: "QRPL", format version (u16), the header, the
// records (each a kind byte and its fields; kinds are only ever appended, and
// a kind this reader does not know belongs to a newer format), and a SHA-256
// of everything before it.

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/vector.h"
#include "records/content_hash.h"
#include "records/run_time.h"

constexpr uint16_t kReplayFormatVersion = 1;
constexpr char kReplayMagic[4] = {'Q', 'R', 'P', 'L'};

enum ReplayRecordKind : uint8_t {
    ReplayFrameRecord = 1,
    // The game controller in the frame recorded just before: written only
    // for frames in which it did something.
    ReplayPadRecord = 2,
};

struct ReplayFrame {
    int64_t counterDelta = 0;  // the game frame timer's counter since its previous reading
    bool tickAdvanced = false;
    bool shotReady = false;            // a shot was allowed at this frame's controls
    std::vector<uint8_t> pressed;      // key codes with a key-down event this frame
    std::vector<uint8_t> heldChanges;  // key codes whose held state changed
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    uint8_t buttonsPressed = 0;  // bit n: mouse button n went down this frame
    // The game controller (platform/pad_controls.h): controls that went down
    // this frame, controls whose held state changed, and the aiming stick.
    std::vector<uint8_t> padPressed;
    std::vector<uint8_t> padHeldChanges;
    int16_t padAimX = 0;
    int16_t padAimY = 0;

    bool HasPad() const {
        return !padPressed.empty() || !padHeldChanges.empty() || padAimX != 0 || padAimY != 0;
    }
    bool operator==(const ReplayFrame& other) const;
};

struct Replay {
    uint32_t physicsVersion = 0;
    ContentHash levelHash{};
    std::string levelPath;  // as the level list names it
    PhysicsSettings physics;
    KeyBindings keys;
    PadBindings pad;
    int32_t entryNumber = -1;  // the end zone the previous level ended in
    float cursorX = 0.0f;      // the aim cursor's offset when the level began
    float cursorY = 0.0f;
    bool padAiming = false;  // the controller's stick aimed when the level began, this way
    Vector2 padAim{0.0, 1.0};
    int32_t collisions = 0;        // carried into the level's first frame
    int64_t counterFrequency = 0;  // counts per second of the frame timer
    uint32_t steps = 0;            // the run's time
    std::vector<Split> splits;     // checkpoints in the order reached, then the end
    std::vector<ReplayFrame> frames;
};

std::string EncodeReplay(const Replay& replay);
// False, with `problem` saying what is wrong in a few words, when the bytes
// are not a whole replay this version reads.
bool DecodeReplay(const std::string& bytes, Replay& replay, std::string& problem);

// The physics settings as a fixed run of bytes, and their hash.
std::string EncodePhysicsSettings(const PhysicsSettings& physics);
ContentHash HashPhysicsSettings(const PhysicsSettings& physics);
bool SamePhysicsSettings(const PhysicsSettings& a, const PhysicsSettings& b);
