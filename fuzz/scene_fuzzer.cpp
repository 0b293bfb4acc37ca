// Scene::Load on arbitrary bytes: every record type, counts and lengths.

#include <cstdint>

#include "fuzz_file.h"
#include "scene/scene.h"
#include "scene/scene_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzInput(data, size, "dme");
    Scene scene;
    scene.SetUseBufferObjects(false);
    if (scene.Load(path) == LoadOk)
        scene.BuildTransparentList();
    return 0;
}
