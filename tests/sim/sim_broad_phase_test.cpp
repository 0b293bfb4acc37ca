// quarn-sim traces do not depend on how collision and wrapping find their
// candidates: random levels played by random scripts, and the shipped levels
// played by their solutions, give byte-identical traces with the outline
// index and with --full-scan. And they do not change unnoticed: random
// levels and the recorded levels of tests/sim/recorded-levels give the traces
// whose fingerprints were recorded.

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "audio/playlist.h"
#include "levelc/level_compiler.h"
#include "sim/game_simulator.h"
#include "support/game_folder.h"
#include "support/run_quarn_sim.h"
#include "support/temp_dir.h"

namespace {

constexpr double kPi = 3.141592653589793;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// A room full of convex rocks, spiky lines and loose lines, the ball in the middle.
std::string RandomLevel(std::mt19937& random) {
    std::uniform_real_distribution<double> place(-700.0, 700.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::string text = "outline room\n    loop -800 -800  800 -800  800 800  -800 800\nend\n";
    const int rocks = 6 + static_cast<int>(unit(random) * 20);
    for (int r = 0; r < rocks; ++r) {
        const double cx = place(random), cy = place(random);
        if (cx * cx + cy * cy < 60.0 * 60.0)
            continue;  // keep the start free
        const double radius = 10.0 + unit(random) * 70.0;
        const bool deadly = unit(random) < 0.15;
        text += std::string("outline ") + (deadly ? "DEATH_" : "rock") + std::to_string(r) +
                "\n    hidden\n";
        const double kind = unit(random);
        if (kind < 0.6) {
            const int n = 3 + static_cast<int>(unit(random) * 6);
            text += "    solid";
            for (int k = 0; k < n; ++k) {
                const double angle = 2.0 * kPi * k / n;
                text += " " + Number(cx + radius * std::sin(angle)) + " " +
                        Number(cy + radius * std::cos(angle));
            }
        } else {
            text += "    line";
            const int n = 2 + static_cast<int>(unit(random) * 4);
            for (int k = 0; k < n; ++k)
                text += " " + Number(cx + radius * (unit(random) - 0.5) * 2.0) + " " +
                        Number(cy + radius * (unit(random) - 0.5) * 2.0);
        }
        text += "\nend\n";
    }
    text += "primitive START point 0 0\nprimitive END2 box 600 600 700 700\n";
    return text;
}

// Starts the level, then aims, fires, releases, swings and reels at random.
std::string RandomScript(std::mt19937& random) {
    std::uniform_int_distribution<int> action(0, 9);
    std::uniform_int_distribution<int> move(-300, 300);
    std::uniform_int_distribution<int> frames(1, 25);
    std::string script = "key 28\nframes 1\nkeyup 28\n";
    const int keys[4] = {30, 32, 17, 31};
    for (int i = 0; i < 40; ++i) {
        switch (action(random)) {
            case 0:
            case 1:
                script += "move " + std::to_string(move(random)) + " " +
                          std::to_string(move(random)) + "\nbutton 0 down\nframes 1\nbutton 0 up\n";
                break;
            case 2:
                script += "button 1 down\nframes 1\nbutton 1 up\n";
                break;
            case 3:
            case 4:
            case 5: {
                const int key = keys[action(random) % 4];
                script += "key " + std::to_string(key) + "\nframes " +
                          std::to_string(frames(random)) + "\nkeyup " + std::to_string(key) + "\n";
                break;
            }
            default:
                script += "frames " + std::to_string(frames(random)) + "\n";
        }
    }
    return script;
}

// Whether some step line shows the rope wrapped round a corner.
bool HeldACorner(const std::string& trace) {
    for (size_t at = trace.find(" wraps="); at != std::string::npos;
         at = trace.find(" wraps=", at + 1)) {
        if (trace[at + 7] != '0')
            return true;
    }
    return false;
}

int RunSimTo(const std::string& folder, std::vector<std::string> arguments,
             const std::string& script, std::ostream& output, std::ostream& errors) {
    return RunQuarnSim(folder, std::move(arguments), script, output, errors);
}

int RunSim(const std::string& folder, std::vector<std::string> arguments, const std::string& script,
           std::string& out) {
    std::ostringstream output, errors;
    const int code = RunSimTo(folder, std::move(arguments), script, output, errors);
    out = output.str() + errors.str();
    return code;
}

// FNV-1a, 64 bits: a trace in one number.
uint64_t Fingerprint(const std::string& text) {
    uint64_t hash = 1469598103934665603ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016" PRIx64, value);
    return text;
}

// The traces of random seeds 1 to 12, recorded.
constexpr uint64_t kRandomTraces[12] = {
    0xa65b776d7b2c590aull, 0xee14dc0e44642c21ull, 0x0277ddde5b583534ull, 0x3ecadd1ebb41f93full,
    0x99dc82c89a7ee1ffull, 0x7045684a35508a81ull, 0x27014968ce3e9ed9ull, 0x2c290fcb052a367aull,
    0xf866c3f49793c067ull, 0xc0c83aceeba1fe93ull, 0x820e7950081077d2ull, 0xf90f2d67c731853cull,
};

// The output of a long run kept as a 64-bit FNV-1a digest and the text of
// its last line, not as the megabytes of its trace.
class DigestBuffer : public std::streambuf {
public:
    uint64_t digest = 14695981039346656037ull;
    std::string lastLine;

protected:
    int overflow(int c) override {
        if (c == traits_type::eof())
            return traits_type::not_eof(c);
        digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        if (c == '\n') {
            lastLine = line_;
            line_.clear();
        } else {
            line_ += static_cast<char>(c);
        }
        return c;
    }

private:
    std::string line_;
};

struct Digest {
    int code = -1;
    uint64_t value = 0;
    std::string lastLine;
};

Digest RunSimDigest(const std::string& folder, std::vector<std::string> arguments,
                    const std::string& script) {
    DigestBuffer buffer;
    std::ostream output(&buffer);
    std::ostringstream errors;
    Digest digest;
    digest.code = RunSimTo(folder, std::move(arguments), script, output, errors);
    digest.value = buffer.digest;
    digest.lastLine = buffer.lastLine;
    return digest;
}

TEST(SimulatorBroadPhase, RandomLevelsAndScriptsGiveByteIdenticalTracesWithTheFullScan) {
    int attachedRuns = 0;
    int wrappedRuns = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        TempDir dir;
        dir.Write("random.level", RandomLevel(random));
        dir.Write("Levels/.keep", "");
        Diagnostics diagnostics;
        ASSERT_TRUE(
            BuildLevelFile(dir.File("random.level"), dir.File("Levels/random.dme"), diagnostics))
            << "seed " << seed;
        const std::string script = RandomScript(random);
        std::string indexed, scanned;
        ASSERT_EQ(RunSim(dir.Path(), {"--trace", "--level", "Levels/random.dme"}, script, indexed),
                  0)
            << indexed;
        ASSERT_EQ(RunSim(dir.Path(), {"--trace", "--full-scan", "--level", "Levels/random.dme"},
                         script, scanned),
                  0)
            << scanned;
        ASSERT_EQ(indexed, scanned) << "seed " << seed << "\n" << script;
        EXPECT_GT(indexed.size(), 10000u);
        EXPECT_EQ(Hex(Fingerprint(indexed)), Hex(kRandomTraces[seed - 1])) << "seed " << seed;
        attachedRuns += indexed.find("rope=attached") != std::string::npos ? 1 : 0;
        wrappedRuns += HeldACorner(indexed) ? 1 : 0;
    }
    // The scripts did swing on the rope, round corners.
    EXPECT_GE(attachedRuns, 6);
    EXPECT_GE(wrappedRuns, 2);
}

// The first line where two traces part, from both.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::istringstream left(a), right(b);
    std::string l, r;
    for (int line = 1;; ++line) {
        const bool moreLeft = static_cast<bool>(std::getline(left, l));
        const bool moreRight = static_cast<bool>(std::getline(right, r));
        if (!moreLeft && !moreRight)
            return "no difference";
        if (!moreLeft || !moreRight || l != r)
            return "line " + std::to_string(line) + ":\n  index: " + (moreLeft ? l : "(end)") +
                   "\n  scan:  " + (moreRight ? r : "(end)");
    }
}

// The shipped solutions are long, so their traces are compared by digest;
// a level whose digests differ is run again to show the first difference.
TEST(SimulatorBroadPhase, EveryShippedSolutionGivesAByteIdenticalTraceWithTheFullScan) {
    const std::vector<std::string> paths = ShippedLevelPaths(QUARN_GAME_DIR);
    ASSERT_GE(paths.size(), 6u);
    std::string allSolutions;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const std::string name = LevelName(path);
        const std::string script =
            ReadFileText(std::string(QUARN_LEVEL_SOURCE_DIR) + "/" + name + ".sim");
        ASSERT_FALSE(script.empty());
        allSolutions += script + "\n";
        const Digest indexed = RunSimDigest(QUARN_GAME_DIR, {"--trace", "--level", path}, script);
        const Digest scanned =
            RunSimDigest(QUARN_GAME_DIR, {"--trace", "--full-scan", "--level", path}, script);
        ASSERT_EQ(indexed.code, 0);
        ASSERT_EQ(scanned.code, 0);
        EXPECT_NE(indexed.lastLine.find(" levels-completed=1"), std::string::npos)
            << "the solution reaches the end zone";
        if (indexed.value != scanned.value) {
            std::string indexedText, scannedText;
            RunSim(QUARN_GAME_DIR, {"--trace", "--level", path}, script, indexedText);
            RunSim(QUARN_GAME_DIR, {"--trace", "--full-scan", "--level", path}, script,
                   scannedText);
            ADD_FAILURE() << FirstDifference(indexedText, scannedText);
        }
    }
    // All of them in one game, through the level list from level to level.
    const Digest indexed = RunSimDigest(QUARN_GAME_DIR, {"--trace"}, allSolutions);
    const Digest scanned = RunSimDigest(QUARN_GAME_DIR, {"--trace", "--full-scan"}, allSolutions);
    ASSERT_EQ(indexed.code, 0);
    ASSERT_EQ(scanned.code, 0);
    EXPECT_NE(indexed.lastLine.find(" levels-completed=" + std::to_string(paths.size())),
              std::string::npos)
        << indexed.lastLine;
    EXPECT_EQ(indexed.value, scanned.value) << "the whole loop's traces differ";
}

struct RecordedTrace {
    const char* level;  // a level of tests/sim/recorded-levels, or null: the whole loop
    uint64_t fingerprint;
};

constexpr RecordedTrace kRecordedTraces[] = {
    {"first-swing", 0x2575afb199072983ull},     {"around-the-corner", 0x32b14d3423fa7306ull},
    {"bumper", 0x47db5c970ea5b26cull},          {"leap", 0x7754998f86eaf154ull},
    {"stepping-stones", 0x308b6da81efb60c2ull}, {"homeward", 0xf4b41eb7ed6b6b65ull},
    {nullptr, 0x6203af586e6001c2ull},
};

// Also with the aim line worked out in every frame: its prediction leaves
// the game as it was.
TEST(SimulatorTraces, RecordedLevelsPlayAsTheyWereRecorded) {
    const std::string recorded = std::string(QUARN_RECORDED_LEVEL_DIR) + "/";
    TempDir game;
    game.Write("settings.ini", ReadFileText(recorded + "settings.ini"));
    std::vector<std::string> paths;
    std::string allSolutions;
    for (const RecordedTrace& entry : kRecordedTraces) {
        if (!entry.level)
            continue;
        const std::string path = std::string("Levels/") + entry.level + ".dme";
        WriteCompiledLevel(game, path, ReadFileText(recorded + entry.level + ".level"));
        paths.push_back(path);
        allSolutions += ReadFileText(recorded + entry.level + ".sim") + "\n";
    }
    WriteLevelList(game, paths);
    for (const RecordedTrace& entry : kRecordedTraces) {
        for (const char* aimLine : {"--trace", "--aim-line"}) {
            SCOPED_TRACE(entry.level ? entry.level : "the whole loop");
            SCOPED_TRACE(aimLine);
            std::vector<std::string> arguments = {"--trace", aimLine};
            std::string script = allSolutions;
            if (entry.level) {
                arguments.insert(arguments.end(),
                                 {"--level", std::string("Levels/") + entry.level + ".dme"});
                script = ReadFileText(recorded + entry.level + ".sim");
            }
            std::string trace;
            ASSERT_EQ(RunSim(game.Path(), arguments, script, trace), 0) << trace;
            EXPECT_EQ(Hex(Fingerprint(trace)), Hex(entry.fingerprint));
        }
    }
}

}  // namespace
