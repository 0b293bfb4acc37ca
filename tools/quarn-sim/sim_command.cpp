#include "sim_command.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_store.h"
#include "records/replay.h"
#include "sim/game_simulator.h"
#include "sim/sim_perturb.h"

namespace {

constexpr const char* kUsage =
    "usage: quarn-sim [--trace] [--trace-from STEP] [--full-scan] [--aim-line] [--perturb SEED]\n"
    "                 [--start N] [--level FILE] [--ghost REPLAY] [--save-replay FILE] [SCRIPT]\n"
    "       quarn-sim [--trace] [--full-scan] --replay REPLAY\n"
    "       quarn-sim --verify REPLAY";

// A seed is a whole decimal number.
bool ParseSeed(const char* text, uint64_t& seed) {
    if (*text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    seed = value;
    return true;
}

// A start or step number is a whole decimal number from 0 up.
bool ParseCount(const char* text, int32_t& number) {
    uint64_t value = 0;
    if (!ParseSeed(text, value) || value > 100000000)
        return false;
    number = static_cast<int32_t>(value);
    return true;
}

// Reads a replay file; false with one line for standard error otherwise.
bool LoadReplay(const std::string& path, Replay& replay, std::string& problem) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, &error)) {
        problem = path + ": damaged file: " + error;
        return false;
    }
    std::string why;
    if (!DecodeReplay(bytes, replay, why)) {
        problem = path + ": damaged file: " + why;
        return false;
    }
    return true;
}

bool ReadScript(const std::string& scriptPath, std::istream& standardInput, std::string& text) {
    std::ostringstream buffer;
    if (scriptPath.empty()) {
        buffer << standardInput.rdbuf();
    } else {
        std::ifstream file(scriptPath, std::ios::binary);
        if (!file)
            return false;
        buffer << file.rdbuf();
    }
    text = buffer.str();
    return true;
}

int Verify(const std::string& path, std::ostream& out, std::ostream& err) {
    Replay replay;
    std::string problem;
    if (!LoadReplay(path, replay, problem)) {
        err << "quarn-sim: " << problem << '\n';
        return 1;
    }
    if (!VerifyReplay(replay, problem)) {
        err << "quarn-sim: " << path << ": " << problem << '\n';
        return 1;
    }
    out << "level=" << replay.levelPath << " time=" << FormatStepTime(replay.steps)
        << " steps=" << replay.steps << '\n';
    return 0;
}

}  // namespace

int RunSimulatorCommand(int argc, char** argv, std::istream& standardInput, std::ostream& out,
                        std::ostream& err) {
    SimulatorOptions options;
    std::string scriptPath;
    std::string replayPath;
    std::string verifyPath;
    std::string savePath;
    std::string ghostPath;
    bool perturb = false;
    uint64_t seed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--full-scan") {
            options.fullScan = true;
        } else if (argument == "--aim-line") {
            options.aimLine = true;
        } else if (argument == "--trace-from" && hasValue &&
                   ParseCount(argv[i + 1], options.traceFrom)) {
            options.trace = true;
            ++i;
        } else if (argument == "--perturb" && hasValue && ParseSeed(argv[i + 1], seed)) {
            perturb = true;
            ++i;
        } else if (argument == "--start" && hasValue && ParseCount(argv[i + 1], options.entry)) {
            ++i;
        } else if (argument == "--level" && hasValue) {
            options.singleLevel = argv[++i];
        } else if (argument == "--replay" && hasValue) {
            replayPath = argv[++i];
        } else if (argument == "--verify" && hasValue) {
            verifyPath = argv[++i];
        } else if (argument == "--save-replay" && hasValue) {
            savePath = argv[++i];
        } else if (argument == "--ghost" && hasValue) {
            ghostPath = argv[++i];
        } else if (!argument.empty() && argument[0] != '-' && scriptPath.empty()) {
            scriptPath = argument;
        } else {
            err << kUsage << '\n';
            return 2;
        }
    }
    const bool scripted = !scriptPath.empty() || !savePath.empty() || !ghostPath.empty() ||
                          !options.singleLevel.empty() || perturb || options.entry >= 0;
    if ((!verifyPath.empty() && (scripted || !replayPath.empty() || options.trace)) ||
        (!replayPath.empty() && scripted)) {
        err << kUsage << '\n';
        return 2;
    }
    if (!verifyPath.empty())
        return Verify(verifyPath, out, err);

    std::string error;
    if (!replayPath.empty()) {
        Replay replay;
        if (!LoadReplay(replayPath, replay, error)) {
            err << "quarn-sim: " << error << '\n';
            return 2;
        }
        GameSimulator simulator(options, out);
        if (!simulator.RunReplay(replay, error)) {
            err << "quarn-sim: " << replayPath << ": " << error << '\n';
            return 2;
        }
        simulator.PrintEnd();
        return 0;
    }

    std::string text;
    if (!ReadScript(scriptPath, standardInput, text)) {
        err << "quarn-sim: " << scriptPath << ": cannot open the script\n";
        return 2;
    }
    const std::string scriptName = scriptPath.empty() ? "standard input" : scriptPath;
    SimScript script;
    if (!ParseSimScript(text, script, error)) {
        err << "quarn-sim: " << scriptName << ":" << error << '\n';
        return 2;
    }
    if (perturb)
        script = PerturbSimScript(script, seed);

    GameSimulator simulator(options, out);
    if (!ghostPath.empty()) {
        Replay ghost;
        if (!LoadReplay(ghostPath, ghost, error)) {
            err << "quarn-sim: " << error << '\n';
            return 2;
        }
        simulator.SetGhostReplay(ghost);
    }
    if (!simulator.StartNewGame(error) || !simulator.Run(script, error)) {
        err << "quarn-sim: " << error << '\n';
        return 2;
    }
    simulator.PrintEnd();
    if (!savePath.empty()) {
        const std::vector<Replay>& runs = simulator.FinishedRuns();
        const Replay* run = runs.empty() ? nullptr : &runs.front();
        if (run == nullptr || run->frames.empty()) {
            err << "quarn-sim: " << savePath << ": no level was finished, so there is no replay\n";
            return 2;
        }
        if (!WriteFileAtomically(savePath, EncodeReplay(*run), &error)) {
            err << "quarn-sim: " << error << '\n';
            return 2;
        }
    }
    return 0;
}
