// Scene::Load of generated scene files: a rock field of 100 000 outline
// edges, and a scene holding one mesh of a million vertices.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <string>

#include "generated_level.h"
#include "levelc/scene_writer.h"
#include "load_bench.h"
#include "scene/scene.h"
#include "scene/scene_file.h"

namespace {

std::string WriteScene(const std::string& name, size_t edges, size_t vertices) {
    Scene scene;
    Material material;
    material.name = "default";
    material.nameHash = NameHash(material.name);
    scene.materials.push_back(material);
    if (edges > 0)
        BuildRockField(scene, edges);
    if (vertices > 0)
        AddBigMesh(scene, vertices);
    const std::string path = "/tmp/quarn-bench-" + std::to_string(getpid()) + "-" + name + ".dme";
    std::string error;
    if (!WriteSceneFile(scene, path, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        return "";
    }
    return path;
}

}  // namespace

void BM_SceneLoad(benchmark::State& state, const std::string& path) {
    if (path.empty()) {
        state.SkipWithError("the scene file could not be written");
        return;
    }
    for (auto _ : state) {
        Scene scene;
        const int result = scene.Load(path);
        if (result != LoadOk) {
            state.SkipWithError(LoadResultName(result));
            return;
        }
        benchmark::DoNotOptimize(scene.shapes.data());
    }
}

void RegisterLoadBenchmarks(std::vector<std::string>& temporaryFiles) {
    const std::string edges = WriteScene("edges", 100000, 0);
    const std::string mesh = WriteScene("mesh", 0, 999999);
    temporaryFiles.push_back(edges);
    temporaryFiles.push_back(mesh);
    benchmark::RegisterBenchmark("load/outline-edges:100000", [edges](benchmark::State& s) {
        BM_SceneLoad(s, edges);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("load/mesh-vertices:999999", [mesh](benchmark::State& s) {
        BM_SceneLoad(s, mesh);
    })->Unit(benchmark::kMillisecond);
}
