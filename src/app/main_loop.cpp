#include "app/main_loop.h"

#include "app/app_context.h"
#include "app/frame_stats.h"
#include "audio/sound_subsystem.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "game/game_frame.h"
#include "game/game_subsystem.h"
#include "input/input_subsystem.h"
#include "menu/menu_subsystem.h"
#include "platform/message_queue.h"
#include "render/gl_window.h"

namespace {

// The in-game menu's screen index.
constexpr int kInGameMenu = 1;

void RunMenus(MenuSubsystem* menu, int32_t& appState) {
    if (!menu)
        return;
    menu->Update(appState);
    menu->Draw();
}

void StartNewGame(GameSubsystem* game, const Clock& clock, int32_t& appState) {
    if (game && !StartGameFrame(*game, clock)) {
        appState = StateMenu;  // the failure has been shown
        return;
    }
    appState = StatePlaying;
}

}  // namespace

void ActOnAppState(AppContext& context, MenuSubsystem* menu, GameSubsystem* game, bool* quit) {
    int32_t& appState = context.appState;
    switch (appState) {
        case StateMenu:
            RunMenus(menu, appState);
            break;
        case StatePaused:
            if (game) {
                game->TickTimer();
                game->Draw(true);
            }
            RunMenus(menu, appState);
            break;
        case StateQuit:
            *quit = true;
            break;
        case StateNewGame:
            StartNewGame(game, context.clock, appState);
            break;
        case StatePlaying:
            if (game)
                PlayGameFrame(*game, appState);
            break;
        case StatePause:
            appState = StatePaused;
            if (game)
                game->TickTimer();
            if (menu)
                menu->Show(kInGameMenu);
            break;
        case StateEndGame:
            if (game)
                game->EndGame();
            appState = StateMenu;
            break;
        default:  // not a state: the frame only begins and ends
            break;
    }
}

void ProduceFrame(AppContext& context, MenuSubsystem* menu, GameSubsystem* game, bool* quit) {
    if (context.input) {
        context.input->ReadKeyboard();
        context.input->ReadMouse();
        context.input->ReadPad();
    }
    if (context.window)
        context.window->BeginFrame();
    if (context.sound && !context.sound->MusicStopped())
        context.sound->Update();
    ActOnAppState(context, menu, game, quit);
    if (context.window)
        context.window->EndFrame();
}

int RunMainLoop(AppContext& context, MenuSubsystem* menu, GameSubsystem* game, FrameStats* stats) {
    bool quit = false;
    int exitCode = 0;
    while (!quit) {
        WindowMessage message;
        if (PeekWindowMessage(&message)) {
            DispatchWindowMessage(message);
            if (message.message == WM_QUIT) {
                quit = true;
                exitCode = static_cast<int>(message.wParam);
            }
            continue;
        }
        if (!context.windowActive) {
            // Minimised: no frame. A short sleep keeps the wait off the CPU.
            context.clock.Sleep(1);
            continue;
        }
        if (stats)
            stats->FrameStarting(context.appState == StatePlaying,
                                 game ? game->SimulationSteps() : 0);
        ProduceFrame(context, menu, game, &quit);
    }
    if (stats)
        stats->LoopEnded(game ? game->SimulationSteps() : 0);
    return exitCode;
}
