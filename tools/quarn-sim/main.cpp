// quarn-sim: the real game driven by a script, without a window, with an
// optional trace of every simulation step. Run it in a game folder.

#include <cstdlib>
#include <iostream>

#include "sim_command.h"

int main(int argc, char** argv) {
    // Failures the game would show in a box go to standard error instead.
    setenv("QUARN_MESSAGEBOX", "stderr", 1);
    return RunSimulatorCommand(argc, argv, std::cin, std::cout, std::cerr);
}
