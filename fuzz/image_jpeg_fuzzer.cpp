// Image::Load on arbitrary bytes given the .jpg extension, then the
// operations the texture loader applies to what it accepts.

#include <cstdint>

#include "fuzz_file.h"
#include "resources/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzInput(data, size, "jpg");
    Image image;
    if (image.Load(path.c_str()) == ImageOk && !image.compressed) {
        image.FlipVertical();
        image.Resample(image.width / 2 + 1, image.height / 2 + 1);
    }
    return 0;
}
