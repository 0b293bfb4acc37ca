#include "records/record_store.h"

#include <cstdio>

#include "platform/file_store.h"

namespace {

constexpr char kPrefix[] = "Quarn records: ";
constexpr int kMostKeptRuns = 100;

void Report(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", kPrefix, text.c_str());
}

}  // namespace

RecordKey LevelRecordKey(const Replay& replay) {
    RecordKey key;
    key.content = replay.levelHash;
    key.physicsVersion = replay.physicsVersion;
    key.physics = HashPhysicsSettings(replay.physics);
    return key;
}

bool RecordStore::Open() {
    usable_ = false;
    std::string error;
    if (!MakeWritableFolder(folder_, &error) ||
        !MakeWritableFolder(folder_ + "/" + kReplayFolder, &error)) {
        Report("cannot keep records and replays: " + error + ". The game plays on without them.");
        return false;
    }
    usable_ = true;
    bookWritable_ = true;
    book_ = RecordBook();
    std::string bytes;
    if (!ReadWholeFile(RecordsPath(), bytes, &error)) {
        if (PathExists(RecordsPath())) {
            Report(error + "; it is left as it is and not written over.");
            bookWritable_ = false;
        }
        return true;  // no records yet
    }
    std::string problem;
    if (!DecodeRecords(bytes, book_, problem)) {
        book_ = RecordBook();
        bookWritable_ = SetAside(RecordsPath(), problem);
    }
    return true;
}

bool RecordStore::SetAside(const std::string& path, const std::string& problem) {
    const std::string aside = SetFileAside(path);
    if (aside.empty()) {
        Report(path + " cannot be read: " + problem +
               "; it cannot be set aside either, so it is left as it is and not written over.");
        return false;
    }
    Report(path + " cannot be read: " + problem + "; kept aside as " + aside + ".");
    return true;
}

bool RecordStore::SaveBook() {
    if (!bookWritable_)
        return false;
    std::string error;
    if (!WriteFileAtomically(RecordsPath(), EncodeRecords(book_), &error)) {
        Report("cannot save the records: " + error + ".");
        return false;
    }
    return true;
}

std::string RecordStore::ReplayPath(const RecordKey& key, const std::string& suffix) const {
    return folder_ + "/" + kReplayFolder + "/" + HashHex(key.content) + "-" +
           HashHex(key.physics).substr(0, 16) + "-p" + std::to_string(key.physicsVersion) + suffix +
           ".qrp";
}

bool RecordStore::OfferRun(const Replay& replay, int keepRuns) {
    if (!usable_)
        return false;
    const RecordKey key = LevelRecordKey(replay);
    const std::string bytes = replay.frames.empty() ? std::string() : EncodeReplay(replay);
    if (!bytes.empty())
        KeepLastRun(key, bytes, keepRuns);

    LevelRecord run;
    run.key = key;
    run.levelPath = replay.levelPath;
    run.steps = replay.steps;
    run.splits = replay.splits;
    if (!book_.OfferLevel(run))
        return false;
    SaveBook();
    std::string error;
    if (!bytes.empty() && !WriteFileAtomically(ReplayPath(key, ".best"), bytes, &error))
        Report("cannot save the best run's replay: " + error + ".");
    return true;
}

void RecordStore::KeepLastRun(const RecordKey& key, const std::string& bytes, int keepRuns) {
    if (keepRuns <= 0)
        return;
    keepRuns = std::min(keepRuns, kMostKeptRuns);
    // .last-1 is the newest; the oldest drops off the end.
    std::remove(ReplayPath(key, ".last-" + std::to_string(keepRuns)).c_str());
    for (int n = keepRuns - 1; n >= 1; --n) {
        std::rename(ReplayPath(key, ".last-" + std::to_string(n)).c_str(),
                    ReplayPath(key, ".last-" + std::to_string(n + 1)).c_str());
    }
    std::string error;
    if (!WriteFileAtomically(ReplayPath(key, ".last-1"), bytes, &error))
        Report("cannot save the run's replay: " + error + ".");
}

bool RecordStore::OfferLoop(const LoopRecord& loop) {
    if (!usable_ || !book_.OfferLoop(loop))
        return false;
    SaveBook();
    return true;
}

bool RecordStore::LoadBestReplay(const RecordKey& key, Replay& replay) {
    if (!usable_)
        return false;
    const std::string path = ReplayPath(key, ".best");
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    std::string problem;
    if (!DecodeReplay(bytes, replay, problem)) {
        SetAside(path, problem);
        return false;
    }
    if (!(LevelRecordKey(replay) == key)) {
        SetAside(path, "it holds a run of another level or physics");
        return false;
    }
    return true;
}
