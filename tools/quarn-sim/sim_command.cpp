#include "sim_command.h"

#include <fstream>
#include <sstream>
#include <string>

#include "sim/game_simulator.h"

namespace {

constexpr const char* kUsage =
    "usage: quarn-sim [--trace] [--full-scan] [--aim-line] [--level FILE] [SCRIPT]";

}  // namespace

int RunSimulatorCommand(int argc, char** argv, std::istream& standardInput, std::ostream& out,
                        std::ostream& err) {
    SimulatorOptions options;
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--full-scan") {
            options.fullScan = true;
        } else if (argument == "--aim-line") {
            options.aimLine = true;
        } else if (argument == "--level" && i + 1 < argc) {
            options.singleLevel = argv[++i];
        } else if (!argument.empty() && argument[0] != '-' && scriptPath.empty()) {
            scriptPath = argument;
        } else {
            err << kUsage << '\n';
            return 2;
        }
    }

    std::string text;
    if (scriptPath.empty()) {
        std::ostringstream buffer;
        buffer << standardInput.rdbuf();
        text = buffer.str();
    } else {
        std::ifstream file(scriptPath, std::ios::binary);
        if (!file) {
            err << "quarn-sim: " << scriptPath << ": cannot open the script\n";
            return 2;
        }
        std::ostringstream buffer;
        buffer << file.rdbuf();
        text = buffer.str();
    }
    const std::string scriptName = scriptPath.empty() ? "standard input" : scriptPath;

    SimScript script;
    std::string error;
    if (!ParseSimScript(text, script, error)) {
        err << "quarn-sim: " << scriptName << ":" << error << '\n';
        return 2;
    }

    GameSimulator simulator(options, out);
    if (!simulator.StartNewGame(error) || !simulator.Run(script, error)) {
        err << "quarn-sim: " << error << '\n';
        return 2;
    }
    simulator.PrintEnd();
    return 0;
}
