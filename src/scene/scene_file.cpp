#include "scene/scene_file.h"

#include "scene/scene.h"

const char* LoadResultName(int code) {
    switch (code) {
        case LoadOk:
            return "LoadOk";
        case LoadCannotOpen:
            return "LoadCannotOpen";
        case LoadCannotClose:
            return "LoadCannotClose";
        case LoadBadMagic:
            return "LoadBadMagic";
        case LoadBadVersion:
            return "LoadBadVersion";
        case LoadTooLarge:
            return "LoadTooLarge";
        case LoadTruncated:
            return "LoadTruncated";
        case LoadBadPrimitive:
            return "LoadBadPrimitive";
        case LoadBadMaterialIndex:
            return "LoadBadMaterialIndex";
        case LoadBadUvChannel:
            return "LoadBadUvChannel";
        case LoadBadVertexCount:
            return "LoadBadVertexCount";
        case LoadBadNumber:
            return "LoadBadNumber";
        default:
            return "LoadUnknown";
    }
}

bool MapFlagsReadUvChannel(uint8_t mapFlags, int slot) {
    switch (mapFlags) {
        case MapFlagsBase:
            return slot == MapSlotBase;
        case MapFlagsBaseAndOverlay:
            return slot == MapSlotBase || slot == MapSlotOverlay;
        case MapFlagsOpacity:
            return slot == MapSlotOpacity;
        case MapFlagsOpacityAndBase:
            return slot == MapSlotOpacity || slot == MapSlotBase;
        default:
            return false;
    }
}
