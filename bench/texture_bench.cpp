// Decoding the texture files the game loads: a 1024 x 1024 picture of
// made-up colours as PNG, JPEG and TGA. Uploading to OpenGL is not included.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/image.h"

namespace {

constexpr uint32_t kSize = 1024;

void BM_Decode(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        Image image;
        if (image.Load(path.c_str()) != ImageOk) {
            state.SkipWithError("the picture could not be decoded");
            return;
        }
        benchmark::DoNotOptimize(image.width);
    }
}

}  // namespace

void RegisterTextureBenchmarks(std::vector<std::string>& temporaryFiles) {
    std::vector<uint8_t> pixels(kSize * kSize * 3);
    for (uint32_t y = 0; y < kSize; ++y) {
        for (uint32_t x = 0; x < kSize; ++x) {
            uint8_t* p = &pixels[(y * kSize + x) * 3];
            p[0] = static_cast<uint8_t>(x ^ y);
            p[1] = static_cast<uint8_t>(x * 3 + y);
            p[2] = static_cast<uint8_t>((x * y) >> 4);
        }
    }
    Image image;
    if (image.SetPixels(kSize, kSize, 24, pixels.data()) != ImageOk)
        return;
    const std::string stem = "/tmp/quarn-bench-" + std::to_string(getpid()) + "-texture";
    struct Format {
        const char* name;
        int (Image::*save)(const char*) const;
    };
    for (const Format& format : {Format{"png", &Image::SavePNG}, Format{"jpg", &Image::SaveJPEG},
                                 Format{"tga", &Image::SaveTGA}}) {
        const std::string path = stem + "." + format.name;
        if ((image.*format.save)(path.c_str()) != ImageOk)
            continue;
        temporaryFiles.push_back(path);
        benchmark::RegisterBenchmark(("texture/" + std::string(format.name) + ":1024x1024").c_str(),
                                     [path](benchmark::State& s) { BM_Decode(s, path); })
            ->Unit(benchmark::kMillisecond);
    }
}
