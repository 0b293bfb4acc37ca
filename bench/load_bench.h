#pragma once
// Scene::Load of one scene file per iteration, shared by the generated and the
// shipped level benchmarks.

#include <benchmark/benchmark.h>

#include <string>

// An empty path (a scene that could not be written) skips with an error.
void BM_SceneLoad(benchmark::State& state, const std::string& path);
