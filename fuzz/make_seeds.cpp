// quarn-fuzz-seeds OUT: writes the starting corpus of the binary readers into
// OUT/<fuzzer>/: small pictures of every accepted form, built by the same
// helpers the tests use, scene files compiled from the level sources in
// fuzz/seeds/level_source/, and a replay and a records file without their
// checksums (the fuzzers seal what they are given).

#include <sys/stat.h>

#include <cstdio>
#include <limits>
#include <string>

#include "levelc/level_compiler.h"
#include "levelc/level_source.h"
#include "levelc/scene_writer.h"
#include "records/record_book.h"
#include "records/replay.h"
#include "resources/image.h"
#include "scene/scene.h"
#include "support/image_files.h"

namespace {

std::string MakeDir(const std::string& out, const char* name) {
    const std::string dir = out + "/" + name;
    mkdir(dir.c_str(), 0755);
    return dir;
}

void WritePictures(const std::string& out) {
    const Bytes rgb = PatternPixels(5, 3, 3);
    const Bytes rgba = PatternPixels(5, 3, 4);
    const Bytes indices = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    const Bytes palette = PatternPixels(16, 1, 3);

    const std::string bmp = MakeDir(out, "image_bmp_fuzzer");
    WriteFile(bmp + "/rgb24.bmp", BmpFile24(5, 3, rgb));
    WriteFile(bmp + "/indexed8.bmp", BmpFile8(5, 3, palette, indices));
    WriteFile(bmp + "/indexed8_v4.bmp", BmpFile8(5, 3, palette, indices, 108));
    WriteFile(bmp + "/indexed8_v5_16.bmp", BmpFile8(5, 3, palette, indices, 124, 16));

    const std::string tga = MakeDir(out, "image_tga_fuzzer");
    WriteFile(tga + "/rgb24.tga", TgaUncompressedFile(5, 3, 24, rgb));
    WriteFile(tga + "/rgba32.tga", TgaUncompressedFile(5, 3, 32, rgba));
    WriteFile(tga + "/rle24.tga", TgaRunLengthFile(5, 3, 24, rgb, 4));
    WriteFile(tga + "/rle32.tga", TgaRunLengthFile(5, 3, 32, rgba, 2));
    WriteFile(tga + "/mapped.tga", TgaColourMappedFile(5, 3, palette, indices));
    // Image descriptors: 0x20 top row first, 0x10 right to left, 0x08 alpha bits.
    WriteFile(tga + "/rgb24_top.tga", TgaUncompressedFile(5, 3, 24, rgb, 0x20));
    WriteFile(tga + "/rle32_top_right.tga", TgaRunLengthFile(5, 3, 32, rgba, 2, 0x38));
    WriteFile(tga + "/mapped_right.tga", TgaColourMappedFile(5, 3, palette, indices, 0x10));

    const std::string dds = MakeDir(out, "image_dds_fuzzer");
    WriteFile(dds + "/dxt1.dds", DdsFile("DXT1", 8, 8, 32, 2, 40));
    WriteFile(dds + "/dxt3.dds", DdsFile("DXT3", 4, 4, 16, 1, 16));
    WriteFile(dds + "/dxt5.dds", DdsFile("DXT5", 8, 4, 32, 3, 48));

    const std::string png = MakeDir(out, "image_png_fuzzer");
    PngPicture picture;
    picture.width = 5;
    picture.height = 3;
    picture.rows = rgb;
    WritePngFile(png + "/rgb.png", picture);
    picture.colourType = 6;  // RGBA
    picture.rows = rgba;
    picture.interlaced = true;
    WritePngFile(png + "/rgba_interlaced.png", picture);
    picture.colourType = 3;  // palette
    picture.interlaced = false;
    picture.rows = indices;
    picture.palette = palette;
    picture.transparency = {0, 128};
    WritePngFile(png + "/palette_trns.png", picture);

    const std::string jpeg = MakeDir(out, "image_jpeg_fuzzer");
    WriteGreyJpegFile(jpeg + "/grey.jpg", 9, 7, PatternPixels(9, 7, 1));
    Image colour;
    if (colour.SetPixels(9, 7, 24, PatternPixels(9, 7, 3).data()) == ImageOk &&
        colour.SaveJPEG((jpeg + "/colour.jpg").c_str()) == ImageOk) {
        // Files libjpeg decodes with a warning: no end-of-image marker, stray
        // bytes before the scan.
        const std::string good = ReadFile(jpeg + "/colour.jpg");
        WriteFile(jpeg + "/no_end_marker.jpg", good.substr(0, good.size() - 2));
        std::string stray = good;
        const size_t scan = stray.find("\xFF\xDA");
        if (scan != std::string::npos)
            WriteFile(jpeg + "/stray_bytes.jpg", stray.insert(scan, "\x12\x34"));
    }
}

// A scene the compiler cannot make: an untextured material (map flags 3)
// whose maps name a UV channel the mesh lacks, and a mesh whose normals and
// texture coordinates are not all finite.
bool WriteLooseScene(const std::string& path) {
    Scene scene;
    Material material;
    material.name = "untextured";
    material.mapFlags = 0x03;
    for (uint8_t slot = 0; slot < 2; ++slot) {
        material.mapSlot[slot] = slot;
        MaterialMap map;
        map.name = slot == 0 ? "walls\\rock.png" : "moss.png";
        map.uvChannel = 5;
        material.maps.push_back(map);
    }
    scene.materials.push_back(material);
    Mesh mesh;
    mesh.name = "loose";
    mesh.vertexCount = 3;
    mesh.positions = {0, 0, 0, 10, 0, 0, 0, 0, 10};
    mesh.normals = {0, std::numeric_limits<float>::quiet_NaN(), 0, 0, -1, 0, 0, -1, 0};
    mesh.uvChannelCount = 1;
    mesh.uvChannels.resize(1);
    mesh.uvChannels[0].coordinates = {0, 0, std::numeric_limits<float>::infinity(), 0, 0, 1};
    scene.meshes.push_back(mesh);
    return WriteSceneFile(scene, path);
}

bool WriteScenes(const std::string& out, const std::string& levelSeeds) {
    const std::string scenes = MakeDir(out, "scene_fuzzer");
    bool ok = WriteLooseScene(scenes + "/loose.dme");
    for (const char* name : {"full", "names"}) {
        Diagnostics diagnostics;
        const std::string source = levelSeeds + "/" + name + ".level";
        if (!BuildLevelFile(source, scenes + "/" + name + ".dme", diagnostics)) {
            std::fprintf(stderr, "%s: cannot compile\n", source.c_str());
            ok = false;
        }
    }
    return ok;
}

// The bytes before the 32-byte checksum.
std::string Unsealed(const std::string& bytes) {
    return bytes.substr(0, bytes.size() - 32);
}

void WriteRecordFiles(const std::string& out) {
    Replay replay;
    replay.physicsVersion = 1;
    replay.levelPath = "Levels/seed.dme";
    replay.counterFrequency = 1000000;
    replay.steps = 10;
    replay.splits = {{3, 4}, {kEndSplit, 10}};
    ReplayFrame first;
    first.counterDelta = 16000;
    first.tickAdvanced = true;
    first.pressed = {28};
    first.heldChanges = {28, 17};
    first.mouseX = -5;
    first.mouseY = 7;
    first.buttonsPressed = 1;
    ReplayFrame second;
    second.counterDelta = 15000;
    second.shotReady = true;
    replay.frames = {first, second, first};
    const std::string replays = MakeDir(out, "replay_fuzzer");
    WriteFile(replays + "/run.qrp", Unsealed(EncodeReplay(replay)));

    RecordBook book;
    LevelRecord level;
    level.levelPath = replay.levelPath;
    level.steps = 10;
    level.splits = replay.splits;
    book.levels = {level, level};
    book.loops = {LoopRecord{}};
    const std::string records = MakeDir(out, "records_fuzzer");
    WriteFile(records + "/records.dat", Unsealed(EncodeRecords(book)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quarn-fuzz-seeds OUT LEVEL_SEED_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    mkdir(out.c_str(), 0755);
    WritePictures(out);
    WriteRecordFiles(out);
    return WriteScenes(out, argv[2]) ? 0 : 1;
}
