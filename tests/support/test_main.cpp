// The entry point of both test programs. Tests never block on a message box
// and never need a sound card; a caller's own settings of these win. Records
// and replays never go into the real home: the player's data folder is a
// temporary one of this process.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    setenv("QUARN_MESSAGEBOX", "stderr", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const char* temporary = std::getenv("TMPDIR");
    const std::string home = std::string(temporary && temporary[0] ? temporary : "/tmp") +
                             "/quarn-test-home-" + std::to_string(getpid());
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return result;
}
