#include "app/application.h"

#include <cstdio>

#include "app/app_context.h"
#include "app/frame_stats.h"
#include "app/main_loop.h"
#include "app/window_procedure.h"
#include "core/event_list.h"
#include "core/settings.h"
#include "render/gl_window.h"
#include "resources/gl_extensions.h"

namespace {

constexpr char kEffectList[] = "Sounds/effects.m3u";
constexpr char kMusicPlaylist[] = "Music/playlist.m3u";

template <typename T>
std::unique_ptr<T> Make(const std::function<std::unique_ptr<T>()>& maker) {
    return maker ? maker() : nullptr;
}

}  // namespace

int RunApplication(const SubsystemFactory& factory, Clock& clock,
                   const std::string& screenshotFolder) {
    auto context = std::make_unique<AppContext>(clock);
    context->window = std::make_unique<GLWindow>(ReadVideoSettings());
    context->window->SetScreenshotFolder(screenshotFolder);
    context->input = Make(factory.createInput);
    context->sound = Make(factory.createSound);
    context->events = std::make_unique<EventList>();
    std::unique_ptr<MenuSubsystem> menu = Make(factory.createMenu);
    std::unique_ptr<GameSubsystem> game = Make(factory.createGame);

    GLWindow* window = context->window.get();
    if (Failed(window->Create(QuarnWindowProcedure, context.get()))) {
        // The failure has been shown; the objects go in the shut-down order.
        menu.reset();
        game.reset();
        return 0;
    }

    if (context->input)
        context->input->Init(window->Window());  // a failure has shown its own box

    // Without a game the table lives here, so anisotropy is still set up.
    GLExtensions startupExtensions;
    GLExtensions& extensions = game ? game->Extensions() : startupExtensions;
    extensions.Probe();
    window->SetupAnisotropy(extensions.anisotropicFilter);

    if (game)
        game->Attach(context->events.get(), window, context->input.get(), context->sound.get());
    if (menu)
        menu->Init(window, context->input.get(), context->events.get(), &extensions);
    if (context->sound) {
        context->sound->Init(window->Window());
        context->sound->LoadEffects(kEffectList);
        context->sound->LoadMusicPlaylist(kMusicPlaylist);
    }

    FrameStats stats(clock);
    const bool printStats = FrameStats::Requested();
    context->loopRunning = true;
    const int exitCode =
        RunMainLoop(*context, menu.get(), game.get(), printStats ? &stats : nullptr);

    context->loopRunning = false;
    if (context->sound)
        context->sound->Shutdown();
    window->Destroy();
    menu.reset();
    game.reset();
    context.reset();  // event list, input, window object, sound, then the context
    if (printStats)
        std::fprintf(stderr, "%s\n", stats.Summary().c_str());
    return exitCode;
}
