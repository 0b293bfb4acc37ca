// Where the subsystems of the shipped program are wired into the frame. Each
// maker returns its subsystem; a maker that returns null leaves its subsystem
// out and the frame runs without it (window, clear, swap).

#include "app/application.h"
#include "audio/sound_system.h"
#include "game/game.h"
#include "input/input.h"
#include "menu/menu.h"
#include "platform/audio_mixer_backend.h"
#include "platform/file_store.h"
#include "records/recorded_game.h"

SubsystemFactory DefaultSubsystems(Clock& clock) {
    SubsystemFactory factory;
    factory.createInput = []() -> std::unique_ptr<InputSubsystem> {
        return std::make_unique<Input>();
    };
    factory.createSound = []() -> std::unique_ptr<SoundSubsystem> {
        return std::make_unique<SoundSystem>(std::make_unique<AudioMixerBackend>());
    };
    factory.createMenu = []() -> std::unique_ptr<MenuSubsystem> {
        return std::make_unique<TMenu>();
    };
    factory.createGame = [&clock]() -> std::unique_ptr<GameSubsystem> {
        auto game = std::make_unique<RecordedGame>(std::make_unique<Game>(clock), clock);
        game->KeepRecordsIn(UserDataFolder("quarn"));
        return game;
    };
    return factory;
}
