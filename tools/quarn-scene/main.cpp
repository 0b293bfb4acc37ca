// quarn-scene: tools for scene files.
//
//   quarn-scene dump [--brief] FILE   every record of FILE as text, then the load result
//   quarn-scene build SOURCE OUT      compile a level source into the scene file OUT
//   quarn-scene overview [--trace TRACE] [--scale PIXELS] FILE OUT.png
//                                     draw a whole level from the camera's side

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/settings.h"
#include "levelc/level_compiler.h"
#include "levelc/scene_text.h"
#include "overview.h"
#include "platform/bitmap_font.h"
#include "scene/scene.h"
#include "scene/scene_file.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Command {
    const char* name;
    const char* usage;
    int (*run)(int argc, char** argv);
};

int RunDump(int argc, char** argv) {
    SceneTextOptions options;
    const char* file = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--brief") == 0) {
            options.points = false;
            options.vertices = false;
        } else if (!file) {
            file = argv[i];
        } else {
            file = nullptr;
            break;
        }
    }
    if (!file) {
        std::fprintf(stderr, "usage: quarn-scene dump [--brief] FILE\n");
        return kExitUsage;
    }

    Scene scene;
    const int result = scene.Load(file);
    // A failed load keeps the records read before the failure: show them too.
    std::fputs(DescribeScene(scene, options).c_str(), stdout);
    if (result != LoadOk) {
        std::fflush(stdout);
        std::fprintf(stderr, "quarn-scene: %s: load failed with result %d (%s)\n", file, result,
                     LoadResultName(result));
        return kExitFailure;
    }
    std::printf("result %d (%s)\n", result, LoadResultName(result));
    return 0;
}

int RunBuild(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quarn-scene build SOURCE OUT\n");
        return kExitUsage;
    }
    Diagnostics diagnostics;
    const bool built = BuildLevelFile(argv[0], argv[1], diagnostics);
    for (const Diagnostic& message : diagnostics.messages)
        std::fprintf(stderr, "%s\n", message.Text().c_str());
    if (!built)
        return kExitFailure;
    std::printf("wrote %s\n", argv[1]);
    return 0;
}

int RunOverview(int argc, char** argv) {
    const char* usage =
        "usage: quarn-scene overview [--trace TRACE] [--scale PIXELS] FILE OUT.png\n";
    std::string tracePath;
    OverviewOptions options;
    std::vector<std::string> files;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0 && i + 1 < argc) {
            tracePath = argv[++i];
        } else if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
            char* end = nullptr;
            options.pixelsPerUnit = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(options.pixelsPerUnit > 0.0 && options.pixelsPerUnit <= 16.0)) {
                std::fprintf(stderr,
                             "quarn-scene: the scale is pixels per unit, above 0 up to 16\n");
                return kExitUsage;
            }
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.size() != 2) {
        std::fputs(usage, stderr);
        return kExitUsage;
    }

    Scene scene;
    const int result = scene.Load(files[0]);
    if (result != LoadOk) {
        std::fprintf(stderr, "quarn-scene: %s: load failed with result %d (%s)\n", files[0].c_str(),
                     result, LoadResultName(result));
        return kExitFailure;
    }
    OverviewPath path;
    if (!tracePath.empty()) {
        std::ifstream in(tracePath, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in || !ReadTracePath(text.str(), path)) {
            std::fprintf(stderr, "quarn-scene: %s: no quarn-sim step lines to draw\n",
                         tracePath.c_str());
            return kExitFailure;
        }
    }
    // The reach of magnets and black holes comes from the settings the game
    // would read here.
    const PhysicsSettings physics = ReadPhysicsSettings();
    options.magnetRadius = physics.world.magnetRadius;
    options.blackHoleRadius = physics.world.bhRadius;
    options.fontFile = FindBoldSansFontFile();
    std::string error;
    if (!WriteOverview(scene, path, options, files[1], error)) {
        std::fprintf(stderr, "quarn-scene: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf("wrote %s\n", files[1].c_str());
    return 0;
}

const Command kCommands[] = {
    {"dump", "dump [--brief] FILE   print every record of a scene file and the load result",
     RunDump},
    {"build", "build SOURCE OUT      compile the level source SOURCE into the scene file OUT",
     RunBuild},
    {"overview",
     "overview [--trace TRACE] [--scale PIXELS] FILE OUT.png\n"
     "                        draw a whole level (and a quarn-sim trace's ball path) as a PNG",
     RunOverview},
};

int Usage() {
    std::fprintf(stderr, "usage: quarn-scene COMMAND ...\ncommands:\n");
    for (const Command& command : kCommands)
        std::fprintf(stderr, "  %s\n", command.usage);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "quarn-scene: unknown command \"%s\"\n", argv[1]);
    return Usage();
}
