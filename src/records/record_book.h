#pragma once
// The player's best times: per level the best run with its splits, and per
// level list the best total of one whole loop through it. A record belongs to
// the level's exact bytes and to the physics (version and settings) it was
// run with; change either and the level starts fresh.
//
// File layout, little-endian: "QREC", format version (u16), the level records,
// the loop records, and a SHA-256 of everything before it.

#include <cstdint>
#include <string>
#include <vector>

#include "records/content_hash.h"
#include "records/run_time.h"

constexpr uint16_t kRecordFormatVersion = 1;
constexpr char kRecordMagic[4] = {'Q', 'R', 'E', 'C'};

// What a record is valid for: the level or list bytes and the physics.
struct RecordKey {
    ContentHash content{};  // the level file's hash, or a list's (its levels' hashes in order)
    uint32_t physicsVersion = 0;
    ContentHash physics{};  // HashPhysicsSettings

    bool operator==(const RecordKey& other) const {
        return content == other.content && physicsVersion == other.physicsVersion &&
               physics == other.physics;
    }
};

struct LevelRecord {
    RecordKey key;
    std::string levelPath;  // where it was last played, for people reading the file
    uint32_t steps = 0;
    std::vector<Split> splits;
};

struct LoopRecord {
    RecordKey key;
    uint64_t steps = 0;
};

class RecordBook {
public:
    const LevelRecord* FindLevel(const RecordKey& key) const;
    const LoopRecord* FindLoop(const RecordKey& key) const;
    // Keeps the run when it is the level's first or faster than its best;
    // returns whether it did.
    bool OfferLevel(const LevelRecord& run);
    bool OfferLoop(const LoopRecord& loop);

    std::vector<LevelRecord> levels;
    std::vector<LoopRecord> loops;
};

std::string EncodeRecords(const RecordBook& book);
// False, with `problem` saying what is wrong in a few words, when the bytes
// are not a whole records file this version reads.
bool DecodeRecords(const std::string& bytes, RecordBook& book, std::string& problem);
