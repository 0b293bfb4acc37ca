#include "game/game_frame.h"

#include "core/clock.h"
#include "game/game_subsystem.h"

bool StartGameFrame(GameSubsystem& game, const Clock& clock) {
    if (!game.StartGame())
        return false;
    game.TickTimer();
    game.SetLastSimulatedTick(clock.TickCount());
    game.FrameUpdate();
    return true;
}

void PlayGameFrame(GameSubsystem& game, int32_t& appState) {
    game.TickTimer();
    game.FrameUpdate();
    game.ControlStep(appState);
    game.Draw(false);
}
