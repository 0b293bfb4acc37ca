#include "support/run_quarn_sim.h"

#include <sstream>

#include "quarn-sim/sim_command.h"
#include "support/temp_dir.h"

int RunQuarnSim(const std::string& folder, std::vector<std::string> arguments,
                const std::string& script, std::ostream& out, std::ostream& err) {
    ScopedWorkingDir inFolder(folder);
    arguments.insert(arguments.begin(), "quarn-sim");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    std::istringstream in(script);
    return RunSimulatorCommand(static_cast<int>(argv.size()), argv.data(), in, out, err);
}
