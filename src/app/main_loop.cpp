#include "app/main_loop.h"

#include "app/app_context.h"
#include "core/app_state.h"
#include "app/frame_stats.h"
#include "render/gl_window.h"
#include "app/subsystems.h"
#include "platform/clock.h"
#include "platform/message_queue.h"

namespace {

// The in-game menu's screen index.
constexpr int kInGameMenu = 1;

void RunMenus(MenuSubsystem* menu) {
    if (!menu)
        return;
    menu->Update(AppState);
    menu->Draw();
}

void StartNewGame(GameSubsystem* game) {
    if (game) {
        if (!game->StartGame()) {
            AppState = StateMenu;  // the failure has been shown
            return;
        }
        game->TickTimer();
        game->SetLastSimulatedTick(GetTickCount());
        game->FrameUpdate();
    }
    AppState = StatePlaying;
}

void PlayFrame(GameSubsystem* game) {
    if (!game)
        return;
    game->TickTimer();
    game->FrameUpdate();
    game->ControlStep(AppState);
    game->Draw(false);
}

}  // namespace

void ActOnAppState(MenuSubsystem* menu, GameSubsystem* game, bool* quit) {
    switch (AppState) {
        case StateMenu:
            RunMenus(menu);
            break;
        case StatePaused:
            if (game) {
                game->TickTimer();
                game->Draw(true);
            }
            RunMenus(menu);
            break;
        case StateQuit:
            *quit = true;
            break;
        case StateNewGame:
            StartNewGame(game);
            break;
        case StatePlaying:
            PlayFrame(game);
            break;
        case StatePause:
            AppState = StatePaused;
            if (game)
                game->TickTimer();
            if (menu)
                menu->Show(kInGameMenu);
            break;
        case StateEndGame:
            if (game)
                game->EndGame();
            AppState = StateMenu;
            break;
        default:  // not a state: the frame only begins and ends
            break;
    }
}

void ProduceFrame(AppContext& context, MenuSubsystem* menu, GameSubsystem* game, bool* quit) {
    if (context.input) {
        context.input->ReadKeyboard();
        context.input->ReadMouse();
    }
    if (context.window)
        context.window->BeginFrame();
    if (context.sound && !context.sound->MusicStopped())
        context.sound->Update();
    ActOnAppState(menu, game, quit);
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
        if (!g_windowActive) {
            // Minimised: no frame. A short sleep keeps the wait off the CPU.
            Sleep(1);
            continue;
        }
        if (stats)
            stats->FrameStarting(AppState == StatePlaying);
        ProduceFrame(context, menu, game, &quit);
    }
    if (stats)
        stats->LoopEnded();
    return exitCode;
}
