#pragma once
// The frame rate of play as the running program reaches it: the frames in
// which the game plays, the time from the start of each to the start of the
// next frame, and the simulation steps run in that time. Menus, pauses and
// the frame that loads a new game do not count. With QUARN_FRAME_STATS=1 in
// its environment quarn prints the figures on standard error when it ends,
// for the frame-rate measurements.

#include <cstdint>
#include <string>

class Clock;

class FrameStats {
public:
    // Reads the performance counter of `clock`, or its millisecond clock.
    explicit FrameStats(const Clock& clock);

    // Whether QUARN_FRAME_STATS asks for the figures (set, not empty, not "0").
    static bool Requested();

    // At the start of every frame: whether the game plays in it, and the
    // simulation steps the game has run so far.
    void FrameStarting(bool playing, uint64_t steps = 0);
    // After the last frame: closes the time of a last frame of play.
    void LoopEnded(uint64_t steps = 0);

    uint64_t Frames() const { return frames_; }
    uint64_t Steps() const { return steps_; }
    double Seconds() const;
    // "frames of play: N in S s, F per second", then on a line of its own
    // "simulation steps: N in S s, F per second".
    std::string Summary() const;

private:
    int64_t Now() const;

    const Clock& clock_;
    int64_t frequency_ = 1000;  // counts per second
    bool counter_ = false;      // the performance counter, else the millisecond clock
    bool playing_ = false;      // the frame that started last is a frame of play
    int64_t frameStart_ = 0;
    uint64_t stepsAtFrameStart_ = 0;
    uint64_t frames_ = 0;
    uint64_t steps_ = 0;
    int64_t counts_ = 0;
};
