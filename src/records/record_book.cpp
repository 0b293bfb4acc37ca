#include "records/record_book.h"

#include <cstring>

#include "records/byte_codec.h"

namespace {

constexpr size_t kSealSize = 32;
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
    out.Raw(kRecordMagic, sizeof kRecordMagic);
    out.U16(kRecordFormatVersion);
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
    const ContentHash seal = HashBytes(out.Bytes());
    out.Raw(seal.data(), seal.size());
    return out.Bytes();
}

bool DecodeRecords(const std::string& bytes, RecordBook& book, std::string& problem) {
    book = RecordBook();
    if (bytes.size() < sizeof kRecordMagic ||
        std::memcmp(bytes.data(), kRecordMagic, sizeof kRecordMagic) != 0) {
        problem = "not a records file";
        return false;
    }
    ByteReader start(bytes.data() + sizeof kRecordMagic, bytes.size() - sizeof kRecordMagic);
    const uint16_t version = start.U16();
    if (start.Failed()) {
        problem = "cut short";
        return false;
    }
    if (version > kRecordFormatVersion) {
        problem = "written by a newer version of the game (records format " +
                  std::to_string(version) + ", this one reads " +
                  std::to_string(kRecordFormatVersion) + ")";
        return false;
    }
    const size_t headerSize = sizeof kRecordMagic + 2;
    if (version == 0 || bytes.size() < headerSize + kSealSize) {
        problem = version == 0 ? "damaged (format version 0)" : "cut short";
        return false;
    }
    const size_t body = bytes.size() - kSealSize;
    const ContentHash seal = HashBytes(bytes.data(), body);
    if (std::memcmp(seal.data(), bytes.data() + body, kSealSize) != 0) {
        problem = "damaged or cut short (its checksum does not match)";
        return false;
    }

    ByteReader in(bytes.data() + headerSize, body - headerSize);
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
