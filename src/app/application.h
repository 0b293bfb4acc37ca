#pragma once
// The program from start to end: the start-up order, the main loop and the
// shut-down order.

#include <functional>
#include <memory>

#include "app/subsystems.h"

// Makes the subsystems that plug into the application frame; a missing maker
// or a null result leaves that subsystem out.
struct SubsystemFactory {
    std::function<std::unique_ptr<InputSubsystem>()> createInput;
    std::function<std::unique_ptr<SoundSubsystem>()> createSound;
    std::function<std::unique_ptr<MenuSubsystem>()> createMenu;
    std::function<std::unique_ptr<GameSubsystem>()> createGame;
};

// The subsystems of the shipped program.
SubsystemFactory DefaultSubsystems();

// Starts up, runs the main loop, shuts down; returns the exit code.
int RunApplication(const SubsystemFactory& factory);
