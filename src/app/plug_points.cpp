// Where the subsystems of the shipped program are wired into the frame. Each
// maker returns its subsystem once that subsystem exists; until then it
// returns null and the frame runs without it (window, clear, swap).
// Wired so far: input, the sound system and the game. The menus are to come.

#include "app/application.h"
#include "audio/sound_system.h"
#include "game/game.h"
#include "input/input.h"
#include "platform/audio_mixer_backend.h"

SubsystemFactory DefaultSubsystems() {
    SubsystemFactory factory;
    factory.createInput = []() -> std::unique_ptr<InputSubsystem> {
        return std::make_unique<Input>();
    };
    factory.createSound = []() -> std::unique_ptr<SoundSubsystem> {
        return std::make_unique<SoundSystem>(std::make_unique<AudioMixerBackend>());
    };
    factory.createMenu = []() -> std::unique_ptr<MenuSubsystem> { return nullptr; };
    factory.createGame = []() -> std::unique_ptr<GameSubsystem> {
        return std::make_unique<Game>();
    };
    return factory;
}
