#include "records/record_book.h"

#include "records/byte_codec.h"

namespace {

constexpr size_t kPathLimit = 4096;
constexpr uint64_t kCountLimit = 1000000;

void WriteKey(ByteWriter& out, const RecordKey& key) {
    out.Raw(key.content.data(), key.content.size());
    out.U32(key.physicsVersion);
    out.Raw(key.physics.data(), key.physics.size());
}

void ReadKey(ByteReader& in, RecordKey& key) {
    in.Raw(key.content.data(), key.content.size());
    key.physicsVersion = in.U32();
    in.Raw(key.physics.data(), key.physics.size());
}

template <typename Record>
Record* Find(std::vector<Record>& records, const RecordKey& key) {
    for (Record& record : records) {
        if (record.key == key)
            return &record;
    }
    return nullptr;
}

}  // namespace

const LevelRecord* RecordBook::FindLevel(const RecordKey& key) const {
    return Find(const_cast<std::vector<LevelRecord>&>(levels), key);
}

const LoopRecord* RecordBook::FindLoop(const RecordKey& key) const {
    return Find(const_cast<std::vector<LoopRecord>&>(loops), key);
}

bool RecordBook::OfferLevel(const LevelRecord& run) {
    LevelRecord* best = Find(levels, run.key);
    if (best == nullptr) {
        levels.push_back(run);
        return true;
    }
    if (run.steps >= best->steps)
        return false;
    *best = run;
    return true;
}

bool RecordBook::OfferLoop(const LoopRecord& loop) {
    LoopRecord* best = Find(loops, loop.key);
    if (best == nullptr) {
        loops.push_back(loop);
        return true;
    }
    if (loop.steps >= best->steps)
        return false;
    *best = loop;
    return true;
}

std::string EncodeRecords(const RecordBook& book) {
    ByteWriter out;
    BeginSealed(out, kRecordMagic, kRecordFormatVersion);
    out.Varint(book.levels.size());
    for (const LevelRecord& level : book.levels) {
        WriteKey(out, level.key);
        out.Text(level.levelPath);
        out.U32(level.steps);
        out.Varint(level.splits.size());
        for (const Split& split : level.splits) {
            out.I32(split.checkpoint);
            out.U32(split.step);
        }
    }
    out.Varint(book.loops.size());
    for (const LoopRecord& loop : book.loops) {
        WriteKey(out, loop.key);
        out.U64(loop.steps);
    }
    return Sealed(out);
}

bool DecodeRecords(const std::string& bytes, RecordBook& book, std::string& problem) {
    book = RecordBook();
    ByteReader in(nullptr, 0);
    if (!OpenSealed(bytes, kRecordMagic, kRecordFormatVersion, "records", in, problem))
        return false;
    const uint64_t levelCount = in.Varint();
    if (levelCount > kCountLimit || levelCount > in.Remaining()) {
        problem = "damaged (its level count does not fit the file)";
        return false;
    }
    book.levels.resize(static_cast<size_t>(levelCount));
    for (LevelRecord& level : book.levels) {
        ReadKey(in, level.key);
        level.levelPath = in.Text(kPathLimit);
        level.steps = in.U32();
        const uint64_t splitCount = in.Varint();
        if (in.Failed() || splitCount > kCountLimit || splitCount * 8 > in.Remaining()) {
            problem = "damaged (a level record cannot be read)";
            return false;
        }
        level.splits.resize(static_cast<size_t>(splitCount));
        for (Split& split : level.splits) {
            split.checkpoint = in.I32();
            split.step = in.U32();
        }
    }
    const uint64_t loopCount = in.Varint();
    if (in.Failed() || loopCount > kCountLimit || loopCount > in.Remaining()) {
        problem = "damaged (its loop count does not fit the file)";
        return false;
    }
    book.loops.resize(static_cast<size_t>(loopCount));
    for (LoopRecord& loop : book.loops) {
        ReadKey(in, loop.key);
        loop.steps = in.U64();
    }
    if (in.Failed() || in.Remaining() != 0) {
        problem = "damaged (its records do not fill the file exactly)";
        return false;
    }
    return true;
}
