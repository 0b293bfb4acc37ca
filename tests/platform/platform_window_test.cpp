// Starting the window system's video: a display that cannot be reached is a
// failure, not a game running with no window; a driver asked for by name is
// used as it is.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "platform/platform_window.h"
#include "support/scoped_env.h"

namespace {

intptr_t NoProcedure(const WindowMessage&, void*) {
    return 0;
}

TEST(PlatformWindowVideo, NoDisplayToReachFailsUnlessADriverThatDrawsNowhereIsAskedFor) {
    const ScopedEnv display("DISPLAY", ":59999");
    const ScopedEnv wayland("WAYLAND_DISPLAY", "quarn-test-no-such-display");
    {
        unsetenv("SDL_VIDEODRIVER");
        PlatformWindow window;
        EXPECT_FALSE(window.RegisterClass(NoProcedure));
    }
    {
        const ScopedEnv offscreen("SDL_VIDEODRIVER", "offscreen");
        PlatformWindow window;
        EXPECT_TRUE(window.RegisterClass(NoProcedure));
        EXPECT_TRUE(window.UnregisterClass());
    }
}

}  // namespace
