#include "audio/playlist.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "core/data_path.h"

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

constexpr int kCarriageReturn = 13;

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// atol on at most the first kPlaylistDurationDigits characters, held within
// the signed 32-bit range.
int32_t ParseDuration(const char* text, size_t length) {
    if (length > kPlaylistDurationDigits)
        length = kPlaylistDurationDigits;
    size_t i = 0;
    while (i < length && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < length && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = value * 10 + (text[i] - '0');  // 14 digits fit easily in 64 bits
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

void ReadInfoLine(const char* line, PlaylistEntry& entry) {
    const char* text = line + std::strlen(kPlaylistInfo);
    const char* comma = std::strchr(text, ',');
    if (!comma) {
        entry.duration = ParseDuration(text, std::strlen(text));
        return;
    }
    entry.duration = ParseDuration(text, static_cast<size_t>(comma - text));
    std::strncpy(entry.title, comma + 1, kPlaylistTitleSize - 1);
    entry.title[kPlaylistTitleSize - 1] = '\0';
}

std::unique_ptr<PlaylistEntry> NewEntry() {
    auto entry = std::make_unique<PlaylistEntry>();
    std::memset(entry.get(), 0, sizeof(PlaylistEntry));
    return entry;
}

}  // namespace

bool IsPlaylistHeader(const char* line) {
    return StartsWith(line, kPlaylistHeader);
}

bool IsPlaylistInfo(const char* line) {
    return StartsWith(line, kPlaylistInfo);
}

bool CopyPlaylistPath(const char* line, char (&path)[kPlaylistPathSize]) {
    std::memset(path, 0, kPlaylistPathSize);
    const std::string local = DataFilePath(line);
    if (local.size() >= kPlaylistPathSize)
        return false;
    std::memcpy(path, local.data(), local.size());
    return true;
}

PlaylistRead ReadPlaylistLines(const char* path,
                               const std::function<bool(const char*)>& handleLine) {
    FileHandle file(path ? std::fopen(path, "rb") : nullptr);
    if (!file)
        return PlaylistRead::CannotOpen;
    char line[kPlaylistLineSize] = {};
    size_t length = 0;
    for (int byte = std::fgetc(file.get()); byte != EOF; byte = std::fgetc(file.get())) {
        if (byte != kCarriageReturn) {
            if (length < kPlaylistLineSize - 1)
                line[length++] = static_cast<char>(byte);
            continue;
        }
        if (!handleLine(line))
            return PlaylistRead::Stopped;
        std::memset(line, 0, sizeof line);
        length = 0;
        std::fgetc(file.get());  // the line feed of the CR LF pair, unread
    }
    return PlaylistRead::EndOfFile;
}

bool ReadPlaylist(const char* path, Playlist& list) {
    bool firstLine = true;
    std::unique_ptr<PlaylistEntry> pending;
    const PlaylistRead result = ReadPlaylistLines(path, [&](const char* line) {
        if (firstLine) {
            firstLine = false;
            return IsPlaylistHeader(line);
        }
        if (IsPlaylistInfo(line)) {
            pending = NewEntry();
            ReadInfoLine(line, *pending);
            return true;
        }
        if (line[0] == '\0')
            return true;
        if (!pending)
            pending = NewEntry();
        CopyPlaylistPath(line, pending->path);
        list.push_back(std::move(pending));
        return true;
    });
    return result == PlaylistRead::EndOfFile;
}

void FreePlaylist(Playlist& list) {
    list.clear();
}
