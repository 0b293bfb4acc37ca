#include "records/replay.h"

#include "records/byte_codec.h"

namespace {

constexpr size_t kPathLimit = 4096;
constexpr size_t kSplitLimit = 100000;

enum FrameFlag : uint8_t {
    FrameTickAdvanced = 1,
    FrameShotReady = 2,
    FrameKeys = 4,
    FrameMouseMotion = 8,
    FrameButtons = 16,
};
constexpr uint8_t kKnownFrameFlags = 31;

void WritePhysics(ByteWriter& out, const PhysicsSettings& physics) {
    const PhysicsParameters& world = physics.world;
    for (float value : {world.ropePush, world.ropeIn, world.ropeOut, world.gravity,
                        world.bhMaxForce, world.bhRadius, world.magnetMaxForce, world.magnetRadius,
                        physics.minLength, physics.maxLength, physics.shootPower, physics.hookMass,
                        physics.ballMass, physics.timeBetweenShoot})
        out.F32(value);
}

void ReadPhysics(ByteReader& in, PhysicsSettings& physics) {
    PhysicsParameters& world = physics.world;
    for (float* value :
         {&world.ropePush, &world.ropeIn, &world.ropeOut, &world.gravity, &world.bhMaxForce,
          &world.bhRadius, &world.magnetMaxForce, &world.magnetRadius, &physics.minLength,
          &physics.maxLength, &physics.shootPower, &physics.hookMass, &physics.ballMass,
          &physics.timeBetweenShoot})
        *value = in.F32();
}

int* KeyFields(KeyBindings& keys, int index) {
    int* fields[] = {&keys.left,     &keys.right,     &keys.up,       &keys.down,
                     &keys.lock,     &keys.nextSong,  &keys.prevSong, &keys.stopSong,
                     &keys.playSong, &keys.startGame, &keys.reset,    &keys.fire,
                     &keys.letGo};
    return fields[index];
}
constexpr int kKeyFieldCount = 13;

PadControlPair* PadFields(PadBindings& pad, int index) {
    PadControlPair* fields[] = {&pad.fire,  &pad.letGo, &pad.up,    &pad.down, &pad.left,
                                &pad.right, &pad.lock,  &pad.pause, &pad.reset};
    return fields[index];
}
constexpr int kPadFieldCount = 9;

void WritePadBindings(ByteWriter& out, PadBindings pad) {
    for (int i = 0; i < kPadFieldCount; ++i) {
        out.U8(static_cast<uint8_t>(PadFields(pad, i)->first));
        out.U8(static_cast<uint8_t>(PadFields(pad, i)->second));
    }
    out.F32(pad.deadZone);
}

void ReadPadBindings(ByteReader& in, PadBindings& pad) {
    for (int i = 0; i < kPadFieldCount; ++i) {
        PadFields(pad, i)->first = in.U8();
        PadFields(pad, i)->second = in.U8();
    }
    pad.deadZone = in.F32();
}

void WriteCodes(ByteWriter& out, const std::vector<uint8_t>& codes) {
    out.U8(static_cast<uint8_t>(codes.size()));
    out.Raw(codes.data(), codes.size());
}

void ReadCodes(ByteReader& in, std::vector<uint8_t>& codes) {
    codes.resize(in.U8());
    in.Raw(codes.data(), codes.size());
}

void WriteFrame(ByteWriter& out, const ReplayFrame& frame) {
    const bool keys = !frame.pressed.empty() || !frame.heldChanges.empty();
    const bool motion = frame.mouseX != 0 || frame.mouseY != 0;
    uint8_t flags = 0;
    flags |= frame.tickAdvanced ? FrameTickAdvanced : 0;
    flags |= frame.shotReady ? FrameShotReady : 0;
    flags |= keys ? FrameKeys : 0;
    flags |= motion ? FrameMouseMotion : 0;
    flags |= frame.buttonsPressed != 0 ? FrameButtons : 0;
    out.U8(ReplayFrameRecord);
    out.U8(flags);
    out.SignedVarint(frame.counterDelta);
    if (keys) {
        WriteCodes(out, frame.pressed);
        WriteCodes(out, frame.heldChanges);
    }
    if (motion) {
        out.SignedVarint(frame.mouseX);
        out.SignedVarint(frame.mouseY);
    }
    if (frame.buttonsPressed != 0)
        out.U8(frame.buttonsPressed);
    if (frame.HasPad()) {
        out.U8(ReplayPadRecord);
        WriteCodes(out, frame.padPressed);
        WriteCodes(out, frame.padHeldChanges);
        out.U16(static_cast<uint16_t>(frame.padAimX));
        out.U16(static_cast<uint16_t>(frame.padAimY));
    }
}

bool ReadPad(ByteReader& in, ReplayFrame& frame) {
    ReadCodes(in, frame.padPressed);
    ReadCodes(in, frame.padHeldChanges);
    frame.padAimX = static_cast<int16_t>(in.U16());
    frame.padAimY = static_cast<int16_t>(in.U16());
    return !in.Failed() && frame.HasPad();
}

bool ReadFrame(ByteReader& in, ReplayFrame& frame) {
    const uint8_t flags = in.U8();
    if (flags & ~kKnownFrameFlags)
        return false;
    frame.tickAdvanced = (flags & FrameTickAdvanced) != 0;
    frame.shotReady = (flags & FrameShotReady) != 0;
    frame.counterDelta = in.SignedVarint();
    if (flags & FrameKeys) {
        ReadCodes(in, frame.pressed);
        ReadCodes(in, frame.heldChanges);
    }
    if (flags & FrameMouseMotion) {
        const int64_t x = in.SignedVarint();
        const int64_t y = in.SignedVarint();
        if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX)
            return false;
        frame.mouseX = static_cast<int32_t>(x);
        frame.mouseY = static_cast<int32_t>(y);
    }
    if (flags & FrameButtons)
        frame.buttonsPressed = in.U8();
    return !in.Failed();
}

}  // namespace

bool ReplayFrame::operator==(const ReplayFrame& other) const {
    return counterDelta == other.counterDelta && tickAdvanced == other.tickAdvanced &&
           shotReady == other.shotReady && pressed == other.pressed &&
           heldChanges == other.heldChanges && mouseX == other.mouseX && mouseY == other.mouseY &&
           buttonsPressed == other.buttonsPressed && padPressed == other.padPressed &&
           padHeldChanges == other.padHeldChanges && padAimX == other.padAimX &&
           padAimY == other.padAimY;
}

std::string EncodePhysicsSettings(const PhysicsSettings& physics) {
    ByteWriter out;
    WritePhysics(out, physics);
    return out.Bytes();
}

ContentHash HashPhysicsSettings(const PhysicsSettings& physics) {
    return HashBytes(EncodePhysicsSettings(physics));
}

bool SamePhysicsSettings(const PhysicsSettings& a, const PhysicsSettings& b) {
    return EncodePhysicsSettings(a) == EncodePhysicsSettings(b);
}

std::string EncodeReplay(const Replay& replay) {
    ByteWriter out;
    BeginSealed(out, kReplayMagic, kReplayFormatVersion);
    out.U32(replay.physicsVersion);
    out.Raw(replay.levelHash.data(), replay.levelHash.size());
    out.Text(replay.levelPath);
    WritePhysics(out, replay.physics);
    KeyBindings keys = replay.keys;
    for (int i = 0; i < kKeyFieldCount; ++i)
        out.U8(static_cast<uint8_t>(*KeyFields(keys, i)));
    WritePadBindings(out, replay.pad);
    out.I32(replay.entryNumber);
    out.F32(replay.cursorX);
    out.F32(replay.cursorY);
    out.U8(replay.padAiming ? 1 : 0);
    out.F64(replay.padAim.x);
    out.F64(replay.padAim.y);
    out.I32(replay.collisions);
    out.U64(static_cast<uint64_t>(replay.counterFrequency));
    out.U32(replay.steps);
    out.U32(static_cast<uint32_t>(StepMilliseconds(replay.steps)));
    out.Varint(replay.splits.size());
    for (const Split& split : replay.splits) {
        out.I32(split.checkpoint);
        out.U32(split.step);
    }
    out.Varint(replay.frames.size());
    for (const ReplayFrame& frame : replay.frames)
        WriteFrame(out, frame);
    return Sealed(out);
}

bool DecodeReplay(const std::string& bytes, Replay& replay, std::string& problem) {
    replay = Replay();
    ByteReader header(nullptr, 0);
    if (!OpenSealed(bytes, kReplayMagic, kReplayFormatVersion, "replay", header, problem))
        return false;
    replay.physicsVersion = header.U32();
    header.Raw(replay.levelHash.data(), replay.levelHash.size());
    replay.levelPath = header.Text(kPathLimit);
    ReadPhysics(header, replay.physics);
    for (int i = 0; i < kKeyFieldCount; ++i)
        *KeyFields(replay.keys, i) = header.U8();
    ReadPadBindings(header, replay.pad);
    replay.entryNumber = header.I32();
    replay.cursorX = header.F32();
    replay.cursorY = header.F32();
    replay.padAiming = header.U8() != 0;
    replay.padAim.x = header.F64();
    replay.padAim.y = header.F64();
    replay.collisions = header.I32();
    replay.counterFrequency = static_cast<int64_t>(header.U64());
    replay.steps = header.U32();
    const uint32_t milliseconds = header.U32();
    const uint64_t splitCount = header.Varint();
    if (header.Failed() || splitCount > kSplitLimit || splitCount * 8 > header.Remaining()) {
        problem = "damaged (its header cannot be read)";
        return false;
    }
    replay.splits.resize(static_cast<size_t>(splitCount));
    for (Split& split : replay.splits) {
        split.checkpoint = header.I32();
        split.step = header.U32();
    }
    const uint64_t frameCount = header.Varint();
    // Every frame takes at least three bytes.
    if (header.Failed() || frameCount > header.Remaining() / 3 || frameCount == 0) {
        problem = "damaged (its frame count does not fit the file)";
        return false;
    }
    replay.frames.reserve(static_cast<size_t>(frameCount));
    while (replay.frames.size() < frameCount ||
           (header.Remaining() > 0 && header.Peek() == ReplayPadRecord)) {
        const uint8_t kind = header.U8();
        if (kind == ReplayFrameRecord && replay.frames.size() < frameCount) {
            replay.frames.emplace_back();
            if (!ReadFrame(header, replay.frames.back())) {
                problem = "damaged (a frame cannot be read)";
                return false;
            }
        } else if (kind == ReplayPadRecord && !replay.frames.empty() &&
                   !replay.frames.back().HasPad()) {
            if (!ReadPad(header, replay.frames.back())) {
                problem = "damaged (a frame's controller cannot be read)";
                return false;
            }
        } else if (header.Failed()) {
            problem = "damaged (its frames are cut short)";
            return false;
        } else if (kind == ReplayPadRecord) {
            problem = "damaged (a controller record out of place)";
            return false;
        } else {
            problem =
                "written by a newer version of the game (record kind " + std::to_string(kind) + ")";
            return false;
        }
    }
    if (header.Remaining() != 0) {
        problem = "damaged (bytes after the last frame)";
        return false;
    }
    if (replay.counterFrequency <= 0 || replay.splits.empty() ||
        replay.splits.back().checkpoint != kEndSplit || replay.splits.back().step != replay.steps ||
        milliseconds != StepMilliseconds(replay.steps)) {
        problem = "damaged (its time, splits and frequency do not agree)";
        return false;
    }
    return true;
}
