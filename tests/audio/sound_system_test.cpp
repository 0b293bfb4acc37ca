#include "audio/sound_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_audio.h"
#include "support/temp_dir.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string kEnded = "18446744073709551615";  // all ones: no stream

std::string M3u(const std::vector<std::string>& paths) {
    std::string text = "#EXTM3U\r\n";
    for (const std::string& path : paths)
        text += "#EXTINF:10," + path + "\r\n" + path + "\r\n";
    return text;
}

std::string SoundSettings(int effects, int music, int effectVolume, int musicVolume) {
    return "[Sound]\r\neffects=" + std::to_string(effects) + "\r\nmusic=" + std::to_string(music) +
           "\r\neffect_vol=" + std::to_string(effectVolume) +
           "\r\nmusic_vol=" + std::to_string(musicVolume) + "\r\n";
}

class SoundSystemTest : public ::testing::Test {
protected:
    SoundSystemTest() : cwd_(dir_.Path()), sound_(audio_) {}

    // Settings, three tracks and four effects, as the program starts them.
    void Start(const std::string& settings = SoundSettings(1, 1, 100, 80)) {
        dir_.Write("settings.ini", settings);
        dir_.Write("Music/playlist.m3u", M3u({"Music/a.ogg", "Music/b.ogg", "Music/c.ogg"}));
        dir_.Write("Sounds/effects.m3u",
                   M3u({"Sounds/0.wav", "Sounds/1.wav", "Sounds/2.wav", "Sounds/3.wav"}));
        dir_.Write("effects/effects.m3u", M3u({"effects/hum.wav", "effects/wind.wav"}));
        sound_.Init(nullptr);
        sound_.LoadEffects("Sounds/effects.m3u");
        sound_.LoadMusicPlaylist("Music/playlist.m3u");
        audio_.TakeCalls();
    }

    // The calls that start a track on stream handle `stream`.
    static std::vector<std::string> StartCalls(const std::string& path, int stream, int volume) {
        const std::string s = std::to_string(stream);
        return {"StreamCreateFile(" + path + ", 0) = " + s, "StreamPlay(" + s + ", 0, 0) = 1",
                "ChannelSetAttributes(" + s + ", 0, " + std::to_string(volume) + ", -101) = 1"};
    }

    std::vector<std::string> Opened() { return audio_.TakeCalls("StreamCreateFile"); }

    TempDir dir_;
    ScopedWorkingDir cwd_;
    RecordingAudio audio_;
    SoundSystem sound_;
};

TEST_F(SoundSystemTest, InitReadsTheSoundSectionAndOpensTheDevice) {
    dir_.Write("settings.ini", SoundSettings(0, 1, 70, 30));
    EXPECT_EQ(sound_.Init(nullptr), S_OK);
    EXPECT_FALSE(sound_.EffectsOn());
    EXPECT_TRUE(sound_.MusicOn());
    EXPECT_EQ(sound_.EffectVolume(), 70);
    EXPECT_EQ(sound_.MusicVolume(), 30);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("Init(1, 44100, 0, null) = 1"));
}

TEST_F(SoundSystemTest, WithoutSettingsEverythingIsOnAtVolumeOne) {
    audio_.initSucceeds = false;
    EXPECT_EQ(sound_.Init(nullptr), E_FAIL);
    EXPECT_TRUE(sound_.EffectsOn());
    EXPECT_TRUE(sound_.MusicOn());
    EXPECT_EQ(sound_.EffectVolume(), 1);
    EXPECT_EQ(sound_.MusicVolume(), 1);
}

TEST_F(SoundSystemTest, FirstFrameStartsTrackZeroAndTheListWraps) {
    Start();
    EXPECT_EQ(sound_.CurrentTrack(), -1);
    sound_.Update();
    std::vector<std::string> expected = {"ChannelGetPosition(0) = " + kEnded,
                                         "StreamGetLength(0) = " + kEnded, "ChannelStop(0) = 0",
                                         "StreamFree(0)"};
    for (const std::string& call : StartCalls("Music/a.ogg", 201, 80))
        expected.push_back(call);
    EXPECT_EQ(audio_.TakeCalls(), expected);
    EXPECT_EQ(sound_.CurrentTrack(), 0);

    // While the track plays, a frame costs two queries and nothing else.
    sound_.Update();
    EXPECT_THAT(audio_.TakeCalls(),
                ElementsAre("ChannelGetPosition(201) = 0", "StreamGetLength(201) = 1000"));

    audio_.EndStream(201);
    sound_.Update();
    expected = {"ChannelGetPosition(201) = 1000", "StreamGetLength(201) = 1000",
                "ChannelStop(201) = 1", "StreamFree(201)"};
    for (const std::string& call : StartCalls("Music/b.ogg", 202, 80))
        expected.push_back(call);
    EXPECT_EQ(audio_.TakeCalls(), expected);

    audio_.EndStream(202);
    sound_.Update();
    audio_.EndStream(203);
    sound_.Update();
    EXPECT_EQ(sound_.CurrentTrack(), 0);
    EXPECT_THAT(Opened(), ElementsAre("StreamCreateFile(Music/c.ogg, 0) = 203",
                                      "StreamCreateFile(Music/a.ogg, 0) = 204"));
}

TEST_F(SoundSystemTest, PrevAndNextWrapAtBothEnds) {
    Start();
    sound_.Update();
    audio_.TakeCalls();
    sound_.PrevTrack();
    EXPECT_EQ(sound_.CurrentTrack(), 2);
    EXPECT_THAT(Opened(), ElementsAre("StreamCreateFile(Music/c.ogg, 0) = 202"));
    sound_.NextTrack();
    EXPECT_EQ(sound_.CurrentTrack(), 0);
    EXPECT_THAT(Opened(), ElementsAre("StreamCreateFile(Music/a.ogg, 0) = 203"));
    sound_.NextTrack();
    EXPECT_EQ(sound_.CurrentTrack(), 1);
    EXPECT_THAT(Opened(), ElementsAre("StreamCreateFile(Music/b.ogg, 0) = 204"));
}

TEST_F(SoundSystemTest, StoppedMusicOnlyMovesTheIndexUntilPlayTrack) {
    Start();
    sound_.Update();
    audio_.TakeCalls();
    sound_.StopMusic();
    EXPECT_TRUE(sound_.MusicStopped());
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("ChannelStop(201) = 1", "StreamFree(201)"));

    sound_.NextTrack();
    sound_.NextTrack();
    EXPECT_EQ(sound_.CurrentTrack(), 2);
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());

    // An Update run anyway finds no stream but starts nothing either.
    sound_.Update();
    EXPECT_THAT(Opened(), IsEmpty());

    EXPECT_TRUE(sound_.PlayTrack(0));
    EXPECT_FALSE(sound_.MusicStopped());
    EXPECT_EQ(sound_.CurrentTrack(), 0);
    std::vector<std::string> expected = {"ChannelStop(0) = 0", "StreamFree(0)"};
    for (const std::string& call : StartCalls("Music/a.ogg", 202, 80))
        expected.push_back(call);
    EXPECT_EQ(audio_.TakeCalls(), expected);
}

TEST_F(SoundSystemTest, MusicOffNeverStreams) {
    Start(SoundSettings(1, 0, 100, 80));
    sound_.Update();
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());
    EXPECT_FALSE(sound_.PlayTrack(0));
    sound_.NextTrack();
    sound_.PrevTrack();
    sound_.Update();
    EXPECT_THAT(Opened(), IsEmpty());
}

TEST_F(SoundSystemTest, UnreadableTrackIsSkippedOneFrameLater) {
    audio_.MarkMissing("Music/a.ogg");
    Start();
    sound_.Update();
    EXPECT_EQ(sound_.CurrentTrack(), 0);
    EXPECT_THAT(Opened(), ElementsAre("StreamCreateFile(Music/a.ogg, 0) = 0"));
    sound_.Update();
    EXPECT_EQ(sound_.CurrentTrack(), 1);
    EXPECT_THAT(Opened(), ElementsAre("StreamCreateFile(Music/b.ogg, 0) = 201"));
}

TEST_F(SoundSystemTest, TrackIndexOutsideThePlaylistPlaysNothing) {
    Start();
    EXPECT_FALSE(sound_.PlayTrack(3));
    EXPECT_FALSE(sound_.PlayTrack(-1));
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());
    EXPECT_EQ(sound_.CurrentTrack(), -1);
}

TEST_F(SoundSystemTest, MissingEffectKeepsItsSlot) {
    audio_.MarkMissing("Sounds/2.wav");
    Start();
    EXPECT_EQ(sound_.EffectCount(), 4u);
    sound_.PlayEffect(2);
    sound_.PlayEffect(3);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("SamplePlayEx(0, 0, -1, 100, 0, -1) = 0",
                                                "SamplePlayEx(103, 0, -1, 100, 0, -1) = 301"));
    // Numbers outside the list are ignored.
    sound_.PlayEffect(4);
    sound_.PlayEffect(-1);
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());
}

TEST_F(SoundSystemTest, EffectsLoadAsCappedSamplesOnePerPathLine) {
    dir_.Write("fx.m3u", "#EXTM3U\r\n#EXTINF:1,a\r\nSounds\\a.wav\r\nplain.wav\r\n" +
                             std::string("#EXTINF:2,") + "\r\n" + std::string(300, 'x') +
                             "\r\nlast.wav\r\n");
    EXPECT_EQ(sound_.LoadEffects("fx.m3u"), S_OK);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("SampleLoad(Sounds/a.wav, 3, 131072) = 101",
                                                "SampleLoad(plain.wav, 3, 131072) = 102",
                                                "SampleLoad(last.wav, 3, 131072) = 103"));
    // The over-long path line still takes its slot, silent.
    EXPECT_EQ(sound_.EffectCount(), 4u);

    EXPECT_EQ(sound_.LoadEffects("absent.m3u"), E_FAIL);
    dir_.Write("bad.m3u", "#EXTM3\r\nx.wav\r\n");
    EXPECT_EQ(sound_.LoadEffects("bad.m3u"), E_FAIL);
    EXPECT_EQ(sound_.LoadMusicPlaylist("absent.m3u"), E_FAIL);
    EXPECT_EQ(sound_.EffectCount(), 4u);
    EXPECT_EQ(sound_.TrackCount(), 0u);
}

TEST_F(SoundSystemTest, EffectsOffPlaysNothingButStillLoadsLevelSounds) {
    Start(SoundSettings(0, 1, 100, 80));
    sound_.PlayEffect(0);
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());
    sound_.AddLevelSound(0, 1, "SOUND1");
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("SampleLoad(effects/wind.wav, 30, 4) = 105"));
    sound_.PlayLevelSound(0, 50);
    sound_.SetLevelSoundVolume(0, 20);
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());
    sound_.StopLevelSound(0);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("ChannelStop(0) = 0", "SampleStop(105) = 1"));
}

TEST_F(SoundSystemTest, LevelVolumeComesOutOneLowerOnRoundProducts) {
    EXPECT_EQ(SoundSystem::LevelVolume(100, 50), 49);
    EXPECT_EQ(SoundSystem::LevelVolume(100, 100), 99);
    EXPECT_EQ(SoundSystem::LevelVolume(80, 25), 19);
    EXPECT_EQ(SoundSystem::LevelVolume(100, 0), 0);
    EXPECT_EQ(SoundSystem::LevelVolume(1, 100), 0);
    EXPECT_EQ(SoundSystem::LevelVolume(50, 33), 16);

    Start();
    sound_.AddLevelSound(0, 0, "SOUND0");
    sound_.PlayLevelSound(0, 50);
    sound_.SetLevelSoundVolume(0, 50);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("SampleLoad(effects/hum.wav, 30, 4) = 105",
                                                "SamplePlayEx(105, 0, -1, 49, 0, -1) = 301",
                                                "ChannelSetAttributes(301, -1, 49, -101) = 1"));
}

TEST_F(SoundSystemTest, LevelSoundsAreAddedByIdFromAFreshRead) {
    Start();
    sound_.AddLevelSound(-1, 0, "SOUND0");
    EXPECT_EQ(sound_.LevelSoundCount(), 0u);
    sound_.AddLevelSound(0, 1, "SOUND1");
    // The list is read again at every call.
    dir_.Write("effects/effects.m3u", M3u({"effects/new.wav"}));
    sound_.AddLevelSound(1, 0, "SOUND0");
    // Numbers beyond the list keep a silent slot, so ids stay positions.
    sound_.AddLevelSound(2, 5, "SOUND5");
    sound_.AddLevelSound(3, -2, "SOUND-2");
    EXPECT_EQ(sound_.LevelSoundCount(), 4u);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("SampleLoad(effects/wind.wav, 30, 4) = 105",
                                                "SampleLoad(effects/new.wav, 30, 4) = 106"));

    sound_.PlayLevelSound(1, 100);
    sound_.PlayLevelSound(2, 100);
    sound_.PlayLevelSound(4, 100);
    sound_.PlayLevelSound(-1, 100);
    sound_.SetLevelSoundVolume(9, 10);
    sound_.StopLevelSound(4);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("SamplePlayEx(106, 0, -1, 99, 0, -1) = 301",
                                                "SamplePlayEx(0, 0, -1, 99, 0, -1) = 0"));
}

TEST_F(SoundSystemTest, StoppingAndFreeingLevelSounds) {
    Start();
    sound_.AddLevelSound(0, 0, "SOUND0");
    sound_.AddLevelSound(1, 1, "SOUND1");
    sound_.PlayLevelSound(0, 100);
    audio_.TakeCalls();

    sound_.StopLevelSound(0);
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("ChannelStop(301) = 1", "SampleStop(105) = 1"));
    sound_.StopLevelSounds();
    EXPECT_THAT(audio_.TakeCalls(), ElementsAre("SampleStop(105) = 1", "SampleStop(106) = 1"));
    EXPECT_EQ(sound_.LevelSoundCount(), 2u);

    sound_.FreeLevelSounds();
    EXPECT_THAT(audio_.TakeCalls(),
                ElementsAre("SampleStop(105) = 1", "ChannelStop(301) = 1", "SampleFree(105)",
                            "SampleStop(106) = 1", "ChannelStop(0) = 0", "SampleFree(106)"));
    EXPECT_EQ(sound_.LevelSoundCount(), 0u);
    sound_.PlayLevelSound(0, 100);
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());
}

TEST_F(SoundSystemTest, ShutdownFreesEverythingOnceAndClosesTheDevice) {
    Start();
    sound_.Update();
    sound_.AddLevelSound(0, 0, "SOUND0");
    audio_.TakeCalls();
    sound_.Shutdown();
    EXPECT_TRUE(sound_.MusicStopped());
    EXPECT_THAT(audio_.TakeCalls(),
                ElementsAre("SampleStop(105) = 1", "ChannelStop(0) = 0", "SampleFree(105)",
                            "SampleStop(101) = 1", "SampleFree(101)", "SampleStop(102) = 1",
                            "SampleFree(102)", "SampleStop(103) = 1", "SampleFree(103)",
                            "SampleStop(104) = 1", "SampleFree(104)", "ChannelStop(201) = 1",
                            "StreamFree(201)", "Stop() = 1", "Free()"));
    EXPECT_EQ(sound_.EffectCount(), 0u);
    sound_.Shutdown();
    EXPECT_THAT(audio_.TakeCalls(), IsEmpty());
}

}  // namespace
