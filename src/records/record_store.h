#pragma once
// Where the player's records and replays live: the records file and a folder
// of replays, the best run of each level and, when asked for, its last runs.
// Every file is written atomically; a damaged or unknown one is reported on
// standard error and set aside as NAME.bad, never overwritten; a folder that
// cannot be used is reported once and the game plays on without records.

#include <string>

#include "records/record_book.h"
#include "records/replay.h"

constexpr char kRecordsFile[] = "records.dat";
constexpr char kReplayFolder[] = "replays";

// The key a finished run's record is filed under.
RecordKey LevelRecordKey(const Replay& replay);

class RecordStore {
public:
    explicit RecordStore(std::string folder) : folder_(std::move(folder)) {}

    // Creates the folders and reads the records file. False when records
    // cannot be kept; the reason has been written to standard error.
    bool Open();
    bool Usable() const { return usable_; }
    const RecordBook& Book() const { return book_; }

    // A finished run: kept as the level's record and best replay when it is
    // the first or the fastest, and among the last `keepRuns` replays of the
    // level. Returns whether it is the new best.
    bool OfferRun(const Replay& replay, int keepRuns);
    // A whole loop through a level list; returns whether it is the new best.
    bool OfferLoop(const LoopRecord& loop);
    // The best run's replay of the level, when one is kept and reads.
    bool LoadBestReplay(const RecordKey& key, Replay& replay);

    std::string RecordsPath() const { return folder_ + "/" + kRecordsFile; }
    std::string ReplayPath(const RecordKey& key, const std::string& suffix) const;

private:
    bool SaveBook();
    // Reports a file that does not read and sets it aside; false when it
    // could not be set aside (it must then not be written over).
    bool SetAside(const std::string& path, const std::string& problem);
    void KeepLastRun(const RecordKey& key, const std::string& bytes, int keepRuns);

    std::string folder_;
    RecordBook book_;
    bool usable_ = false;
    bool bookWritable_ = false;
};
