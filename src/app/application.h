#pragma once
// The program from start to end: the start-up order, the main loop and the
// shut-down order.

#include <functional>
#include <memory>
#include <string>

#include "audio/sound_subsystem.h"
#include "game/game_subsystem.h"
#include "input/input_subsystem.h"
#include "menu/menu_subsystem.h"

class Clock;

// Makes the subsystems that plug into the application frame; a missing maker
// or a null result leaves that subsystem out.
struct SubsystemFactory {
    std::function<std::unique_ptr<InputSubsystem>()> createInput;
    std::function<std::unique_ptr<SoundSubsystem>()> createSound;
    std::function<std::unique_ptr<MenuSubsystem>()> createMenu;
    std::function<std::unique_ptr<GameSubsystem>()> createGame;
};

// The subsystems of the shipped program; the game's timers read `clock`.
SubsystemFactory DefaultSubsystems(Clock& clock);

// Starts up, runs the main loop, shuts down; returns the exit code. Every
// timer of the frame reads `clock`; screenshots go to `screenshotFolder` (""
// for the current folder).
int RunApplication(const SubsystemFactory& factory, Clock& clock,
                   const std::string& screenshotFolder = "");
