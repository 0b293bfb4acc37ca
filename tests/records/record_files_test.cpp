// The replay and records readers on damaged, cut and foreign files, the
// records store's handling of them, and the records file surviving a kill
// while it is written.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "platform/file_store.h"
#include "records/record_book.h"
#include "records/record_store.h"
#include "records/replay.h"
#include "support/game_folder.h"
#include "support/temp_dir.h"

namespace {

Replay SampleReplay() {
    Replay replay;
    replay.physicsVersion = 1;
    replay.levelHash = HashBytes("level bytes");
    replay.levelPath = "Levels/sample.dme";
    replay.physics.world.gravity = -0.5f;
    replay.entryNumber = 3;
    replay.cursorX = -12.0f;
    replay.cursorY = 40.0f;
    replay.collisions = 1;
    replay.counterFrequency = 1000000000;
    replay.steps = 15;
    replay.splits = {{2, 7}, {kEndSplit, 15}};
    for (int i = 0; i < 4; ++i) {
        ReplayFrame frame;
        frame.counterDelta = 16000000 + i;
        frame.tickAdvanced = i != 1;
        frame.shotReady = i == 2;
        if (i == 0) {
            frame.pressed = {28};
            frame.heldChanges = {28, 32};
        }
        frame.mouseX = i * 3 - 4;
        frame.mouseY = -i;
        frame.buttonsPressed = i == 2 ? 1 : 0;
        if (i == 1 || i == 3) {  // the controller in two frames, the last one included
            frame.padPressed = {1};
            frame.padHeldChanges = {static_cast<uint8_t>(i == 1 ? 1 : 20)};
            frame.padAimX = static_cast<int16_t>(-32768 + i);
            frame.padAimY = 9000;
        }
        replay.frames.push_back(frame);
    }
    replay.pad.deadZone = 0.4f;
    replay.padAiming = true;
    replay.padAim = {0.6, -0.8};
    return replay;
}

RecordBook SampleBook() {
    RecordBook book;
    LevelRecord level;
    level.key.content = HashBytes("level bytes");
    level.key.physicsVersion = 1;
    level.key.physics = HashBytes("physics");
    level.levelPath = "Levels/sample.dme";
    level.steps = 900;
    level.splits = {{0, 300}, {kEndSplit, 900}};
    book.levels.push_back(level);
    LoopRecord loop;
    loop.key = level.key;
    loop.steps = 5000;
    book.loops.push_back(loop);
    return book;
}

// Rewrites the format version and seals the bytes again, as a newer writer would.
std::string WithVersion(std::string bytes, uint16_t version) {
    bytes[4] = static_cast<char>(version & 0xFF);
    bytes[5] = static_cast<char>(version >> 8);
    bytes.resize(bytes.size() - 32);
    const ContentHash seal = HashBytes(bytes);
    bytes.append(reinterpret_cast<const char*>(seal.data()), seal.size());
    return bytes;
}

struct Reader {
    const char* name;
    std::string good;
    std::function<bool(const std::string&, std::string&)> decode;
};

std::vector<Reader> Readers() {
    return {
        {"replay", EncodeReplay(SampleReplay()),
         [](const std::string& bytes, std::string& problem) {
             Replay replay;
             return DecodeReplay(bytes, replay, problem);
         }},
        {"records", EncodeRecords(SampleBook()),
         [](const std::string& bytes, std::string& problem) {
             RecordBook book;
             return DecodeRecords(bytes, book, problem);
         }},
    };
}

TEST(RecordFiles, EachReaderRefusesEveryPrefixFlippedByteNewerVersionAndForeignFile) {
    for (const Reader& reader : Readers()) {
        SCOPED_TRACE(reader.name);
        std::string problem;
        ASSERT_TRUE(reader.decode(reader.good, problem)) << problem;
        for (size_t size = 0; size < reader.good.size(); ++size) {
            problem.clear();
            EXPECT_FALSE(reader.decode(reader.good.substr(0, size), problem)) << size;
            EXPECT_FALSE(problem.empty()) << size;
        }
        for (size_t at = 0; at < reader.good.size(); ++at) {
            std::string flipped = reader.good;
            flipped[at] = static_cast<char>(flipped[at] ^ 0x5A);
            problem.clear();
            EXPECT_FALSE(reader.decode(flipped, problem)) << at;
            EXPECT_FALSE(problem.empty()) << at;
        }
        EXPECT_FALSE(reader.decode(WithVersion(reader.good, 2), problem));
        EXPECT_NE(problem.find("newer version"), std::string::npos) << problem;
        EXPECT_FALSE(reader.decode("#EXTM3U\r\nLevels/a.dme\r\n", problem));
        EXPECT_NE(problem.find("not a"), std::string::npos) << problem;
    }
}

TEST(RecordFiles, ReplayAndRecordsReadBackAsWritten) {
    Replay replay;
    std::string problem;
    const Replay sample = SampleReplay();
    ASSERT_TRUE(DecodeReplay(EncodeReplay(sample), replay, problem)) << problem;
    EXPECT_EQ(EncodeReplay(replay), EncodeReplay(sample));
    EXPECT_EQ(replay.frames, sample.frames);
    EXPECT_EQ(replay.levelPath, sample.levelPath);
    EXPECT_EQ(replay.entryNumber, 3);
    EXPECT_TRUE(SamePhysicsSettings(replay.physics, sample.physics));
    EXPECT_EQ(replay.pad.deadZone, 0.4f);
    EXPECT_TRUE(replay.padAiming);
    EXPECT_EQ(replay.padAim.y, -0.8);

    RecordBook book;
    ASSERT_TRUE(DecodeRecords(EncodeRecords(SampleBook()), book, problem)) << problem;
    EXPECT_EQ(EncodeRecords(book), EncodeRecords(SampleBook()));

    // A record of another level hash is another level's: not found, not replaced.
    LevelRecord other = book.levels[0];
    other.key.content = HashBytes("edited level bytes");
    EXPECT_EQ(book.FindLevel(other.key), nullptr);
    other.steps = 2000;
    EXPECT_TRUE(book.OfferLevel(other));
    LevelRecord slower = book.levels[0];
    slower.steps = 901;
    EXPECT_FALSE(book.OfferLevel(slower));
    slower.steps = 899;
    EXPECT_TRUE(book.OfferLevel(slower));
    EXPECT_EQ(book.FindLevel(slower.key)->steps, 899u);
    EXPECT_EQ(book.levels.size(), 2u);
}

TEST(RecordStoreFiles, ADamagedRecordsFileIsSetAsideNeverOverwrittenAndTheStorePlaysOn) {
    TempDir dir;
    const std::string folder = dir.File("quarn");
    RecordStore first(folder);
    ASSERT_TRUE(first.Open());
    dir.Write("quarn/records.dat", "QREC garbage");
    dir.Write("quarn/records.dat.bad", "an older damaged file");

    testing::internal::CaptureStderr();
    RecordStore store(folder);
    EXPECT_TRUE(store.Open());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("records.dat.bad.2"), std::string::npos) << said;
    EXPECT_EQ(ReadFileText(dir.File("quarn/records.dat.bad")), "an older damaged file");
    EXPECT_EQ(ReadFileText(dir.File("quarn/records.dat.bad.2")), "QREC garbage");

    Replay run = SampleReplay();
    EXPECT_TRUE(store.OfferRun(run, 2));
    run.steps = 10;
    run.splits = {{kEndSplit, 10}};
    EXPECT_TRUE(store.OfferRun(run, 2));
    RecordStore again(folder);
    ASSERT_TRUE(again.Open());
    ASSERT_EQ(again.Book().levels.size(), 1u);
    EXPECT_EQ(again.Book().levels[0].steps, 10u);
    Replay best;
    ASSERT_TRUE(again.LoadBestReplay(LevelRecordKey(run), best));
    EXPECT_EQ(best.steps, 10u);
    const RecordKey key = LevelRecordKey(run);
    EXPECT_FALSE(ReadFileText(again.ReplayPath(key, ".last-2")).empty());

    // A damaged best replay is reported and set aside; the game has no ghost.
    dir.Write(again.ReplayPath(key, ".best").substr(dir.Path().size() + 1), "QRPL\1");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(again.LoadBestReplay(key, best));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(".best.qrp.bad"), std::string::npos);
}

TEST(RecordStoreFiles, AFolderThatCannotBeUsedIsReportedOnce) {
    TempDir dir;
    dir.Write("blocked", "a file where the folder should be");
    RecordStore store(dir.File("blocked/quarn"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.Open());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot keep records"), std::string::npos) << said;
    EXPECT_FALSE(store.OfferRun(SampleReplay(), 0));
    // A records file that cannot be read is reported and never written over.
    dir.Write("quarn/records.dat/inside", "a folder where the file should be");
    RecordStore unreadable(dir.File("quarn"));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(unreadable.Open());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("not written over"), std::string::npos);
    EXPECT_TRUE(unreadable.OfferRun(SampleReplay(), 0));
    EXPECT_EQ(ReadFileText(dir.File("quarn/records.dat/inside")),
              "a folder where the file should be");

    RecordStore nowhere("");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(nowhere.Open());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("HOME"), std::string::npos);
}

// A child saves ever larger record books as fast as it can; it is killed at a
// random moment, and the file must then read as one whole book.
TEST(RecordStoreFiles, TheRecordsFileSurvivesAKillAtAnyMomentOfWriting) {
    TempDir dir;
    const std::string path = dir.File("records.dat");
    std::mt19937 random(12345);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RecordBook book = SampleBook();
            for (uint32_t n = 0;; ++n) {
                LevelRecord level = book.levels[0];
                level.key.content = HashBytes(std::to_string(n));
                level.splits.resize(200, Split{1, n});
                book.levels.push_back(level);
                WriteFileAtomically(path, EncodeRecords(book));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 30000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        std::string bytes;
        if (!ReadWholeFile(path, bytes))
            continue;  // killed before the first rename
        RecordBook book;
        std::string problem;
        EXPECT_TRUE(DecodeRecords(bytes, book, problem)) << "round " << round << ": " << problem;
    }
}

}  // namespace
