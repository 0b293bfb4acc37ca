#pragma once
// Extended M3U playlists in the game's strict dialect: a "#EXTM3U" header
// line, then pairs of an "#EXTINF:duration,title" line and a path line.
// Lines end with a carriage return; the byte after it (the line feed of a
// CR LF pair) is thrown away unread, a line feed alone ends nothing, and a
// last line without a carriage return is dropped.
//
// Limits, chosen so that no field can overflow:
// - a line keeps its first 511 characters; the rest, up to the carriage
//   return, is discarded;
// - a path line longer than 255 characters is not cut into another file's
//   name: its entry stays in place (later entries keep their numbers) with
//   an empty path, which names no file;
// - a title keeps its first 127 characters;
// - the duration is read from the first 14 characters of its text, as atol
//   would, and held within the signed 32-bit range;
// - "#EXTINF:" without a comma: the whole text is the duration, the title
//   is empty;
// - a path line without an "#EXTINF:" line before it (also a second path
//   line after one info line) is an entry of its own with duration 0 and an
//   empty title;
// - empty lines are skipped; an info line still waiting for its path keeps
//   waiting.
// A backslash in a path (playlists written on Windows) becomes a slash, as in
// every path read from a data file (DataFilePath).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

constexpr size_t kPlaylistLineSize = 512;
constexpr size_t kPlaylistPathSize = 256;
constexpr size_t kPlaylistTitleSize = 128;
constexpr size_t kPlaylistDurationDigits = 14;

constexpr char kPlaylistHeader[] = "#EXTM3U";
constexpr char kPlaylistInfo[] = "#EXTINF:";

struct PlaylistEntry {
    char path[kPlaylistPathSize];
    char title[kPlaylistTitleSize];
    int32_t duration;
};

// Entries in file order, each owned by the list.
using Playlist = std::vector<std::unique_ptr<PlaylistEntry>>;

// Appends the entries of the file to the list. True when the end of the file
// was reached; false when it cannot be opened or its first line is not the
// header (entries read before a failure stay in the list).
bool ReadPlaylist(const char* path, Playlist& list);

// Deletes every entry and empties the list.
void FreePlaylist(Playlist& list);

// The line mechanics every playlist reader shares. Calls handleLine with each
// line ended by a carriage return (NUL-terminated, at most 511 characters);
// handleLine returns false to stop reading.
enum class PlaylistRead { EndOfFile, CannotOpen, Stopped };

PlaylistRead ReadPlaylistLines(const char* path,
                               const std::function<bool(const char*)>& handleLine);

// Line tests shared by the readers.
bool IsPlaylistHeader(const char* line);
bool IsPlaylistInfo(const char* line);

// Copies a path line into a path field; false (and an empty field) when the
// line does not fit. Backslashes become slashes.
bool CopyPlaylistPath(const char* line, char (&path)[kPlaylistPathSize]);
