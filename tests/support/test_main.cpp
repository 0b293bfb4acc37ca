// The entry point of both test programs. Tests never block on a message box
// and never need a sound card; a caller's own settings of these win.

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QUARN_MESSAGEBOX", "stderr", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
