#pragma once
// Software decoding of S3TC (DXT1, DXT3, DXT5) blocks to RGBA, for drivers
// that cannot take compressed textures. Rows come out in the order the
// blocks are stored.

#include <cstddef>
#include <cstdint>
#include <vector>

// Decodes one level of width x height pixels from its blocks (at least
// CompressedLevelSize bytes) into width x height x 4 bytes. False for an
// unknown format or when the memory is not there.
bool DecodeS3tcLevel(uint16_t format, uint32_t width, uint32_t height, const uint8_t* blocks,
                     std::vector<uint8_t>& rgba);
