#include "platform/audio_mixer_backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/sound_system.h"
#include "support/ogg_tone.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"

namespace {

void SleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Waits (at most three seconds) until the playback has ended.
bool WaitUntilEnded(AudioBackend& audio, HCHANNEL channel) {
    for (int i = 0; i < 300; ++i) {
        if (!audio.ChannelSetAttributes(channel, -1, -1, -101))
            return true;
        SleepMs(10);
    }
    return false;
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            previous_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (previous_)
            setenv(name_, previous_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

// SDL's disk driver writes the mixed output (16-bit stereo) to a file.
class MixerOnDisk : public ::testing::Test {
protected:
    MixerOnDisk()
        : driver_("SDL_AUDIODRIVER", "disk"), output_("SDL_DISKAUDIOFILE", dir_.File("out.raw")) {}

    std::string Wav(const std::string& name, double seconds) {
        WavTone tone;
        tone.seconds = seconds;
        dir_.Write(name, MakeWavFile(tone));
        return dir_.File(name);
    }

    // Samples louder than a quiet hiss in the output written so far.
    int LoudSamples() const {
        std::ifstream file(dir_.File("out.raw"), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        int loud = 0;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const int16_t sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                        (static_cast<uint8_t>(bytes[i + 1]) << 8));
            if (sample > 2000 || sample < -2000)
                ++loud;
        }
        return loud;
    }

    TempDir dir_;
    ScopedEnv driver_;
    ScopedEnv output_;
};

TEST_F(MixerOnDisk, PlayedEffectReachesTheOutput) {
    const std::string path = Wav("beep.wav", 0.2);
    {
        AudioMixerBackend audio;
        ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
        const HSAMPLE sample = audio.SampleLoad(path.c_str(), 3, kAudioSampleOverPos);
        ASSERT_NE(sample, 0u);
        const HCHANNEL channel = audio.SamplePlayEx(sample, 0, -1, 100, 0, -1);
        EXPECT_NE(channel, 0u);
        EXPECT_TRUE(WaitUntilEnded(audio, channel));
        audio.Free();
    }
    // 0.2 s of a square wave is 17640 loud samples over both channels.
    EXPECT_GT(LoudSamples(), 10000);
}

TEST_F(MixerOnDisk, VolumeZeroIsSilent) {
    const std::string path = Wav("beep.wav", 0.2);
    AudioMixerBackend audio;
    ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
    const HSAMPLE sample = audio.SampleLoad(path.c_str(), 3, kAudioSampleOverPos);
    const HCHANNEL channel = audio.SamplePlayEx(sample, 0, -1, 0, 0, -1);
    EXPECT_NE(channel, 0u);
    EXPECT_TRUE(WaitUntilEnded(audio, channel));
    audio.Free();
    EXPECT_EQ(LoudSamples(), 0);
}

TEST_F(MixerOnDisk, FourthPlaybackOfACappedSampleReplacesTheLongestPlaying) {
    const std::string path = Wav("long.wav", 2.0);
    AudioMixerBackend audio;
    ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
    const HSAMPLE sample = audio.SampleLoad(path.c_str(), 3, kAudioSampleOverPos);
    std::vector<HCHANNEL> channels;
    for (int i = 0; i < 4; ++i) {
        channels.push_back(audio.SamplePlayEx(sample, 0, -1, 50, 0, -1));
        ASSERT_NE(channels.back(), 0u);
    }
    // The first playback is gone: its handle no longer controls anything.
    EXPECT_FALSE(audio.ChannelSetAttributes(channels[0], -1, 10, -101));
    EXPECT_FALSE(audio.ChannelStop(channels[0]));
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(audio.ChannelSetAttributes(channels[i], -1, 10, -101)) << i;

    // The next one replaces the second.
    EXPECT_NE(audio.SamplePlayEx(sample, 0, -1, 50, 0, -1), 0u);
    EXPECT_FALSE(audio.ChannelStop(channels[1]));
    EXPECT_TRUE(audio.ChannelStop(channels[2]));
}

TEST_F(MixerOnDisk, SampleWithoutOverrideRefusesPlaybacksAtItsCapAndLoops) {
    const std::string path = Wav("blip.wav", 0.05);
    AudioMixerBackend audio;
    ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
    const HSAMPLE sample = audio.SampleLoad(path.c_str(), 2, kAudioSampleLoop);
    const HCHANNEL first = audio.SamplePlayEx(sample, 0, -1, 50, 0, -1);
    const HCHANNEL second = audio.SamplePlayEx(sample, 0, -1, 50, 0, -1);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_EQ(audio.SamplePlayEx(sample, 0, -1, 50, 0, -1), 0u);
    // A 50 ms looping sample still plays long after its length.
    SleepMs(300);
    EXPECT_TRUE(audio.ChannelSetAttributes(first, -1, 20, -101));
    EXPECT_TRUE(audio.ChannelStop(first));
    EXPECT_NE(audio.SamplePlayEx(sample, 0, -1, 50, 0, -1), 0u);

    EXPECT_TRUE(audio.SampleStop(sample));
    EXPECT_FALSE(audio.ChannelStop(second));
}

TEST_F(MixerOnDisk, StaleHandlesDoNotControlLaterSounds) {
    AudioMixerBackend audio;
    ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
    const HSAMPLE shortSample = audio.SampleLoad(Wav("short.wav", 0.03).c_str(), 3, 0);
    const HSAMPLE longSample = audio.SampleLoad(Wav("long.wav", 2.0).c_str(), 3, 0);
    const HCHANNEL finished = audio.SamplePlayEx(shortSample, 0, -1, 50, 0, -1);
    ASSERT_NE(finished, 0u);
    ASSERT_TRUE(WaitUntilEnded(audio, finished));

    // The new playback takes the free mixer channel of the finished one.
    const HCHANNEL playing = audio.SamplePlayEx(longSample, 0, -1, 50, 0, -1);
    ASSERT_NE(playing, 0u);
    EXPECT_FALSE(audio.ChannelStop(finished));
    EXPECT_TRUE(audio.ChannelSetAttributes(playing, -1, 20, -101));

    // A freed sample's handle is refused, also after its slot is reused.
    audio.SampleFree(shortSample);
    EXPECT_FALSE(audio.SampleStop(shortSample));
    const HSAMPLE reloaded = audio.SampleLoad(dir_.File("short.wav").c_str(), 3, 0);
    ASSERT_NE(reloaded, 0u);
    EXPECT_NE(reloaded, shortSample);
    EXPECT_EQ(audio.SamplePlayEx(shortSample, 0, -1, 50, 0, -1), 0u);
    EXPECT_TRUE(audio.ChannelSetAttributes(playing, -1, 20, -101));
}

TEST_F(MixerOnDisk, OggVorbisPlaysAsSampleAndAsStream) {
    dir_.Write("tone.ogg", OggToneFile());
    const std::string path = dir_.File("tone.ogg");
    {
        AudioMixerBackend audio;
        ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
        const HSAMPLE sample = audio.SampleLoad(path.c_str(), 3, 0);
        ASSERT_NE(sample, 0u);
        const HCHANNEL channel = audio.SamplePlayEx(sample, 0, -1, 100, 0, -1);
        EXPECT_TRUE(WaitUntilEnded(audio, channel));

        const HSTREAM stream = audio.StreamCreateFile(path.c_str(), 0);
        ASSERT_NE(stream, 0u);
        EXPECT_NEAR(static_cast<double>(audio.StreamGetLength(stream)), 0.25 * 44100 * 4,
                    44100 * 4 * 0.02);
        EXPECT_TRUE(audio.StreamPlay(stream, false, 0));
        audio.Free();
    }
    EXPECT_GT(LoudSamples(), 10000);
}

TEST_F(MixerOnDisk, StreamPlaysOnceThenReadsAsEnded) {
    AudioMixerBackend audio;
    ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
    const HSTREAM stream = audio.StreamCreateFile(Wav("track.wav", 0.2).c_str(), 0);
    ASSERT_NE(stream, 0u);
    const uint64_t length = audio.StreamGetLength(stream);
    EXPECT_NEAR(static_cast<double>(length), 0.2 * 44100 * 4, 44100 * 4 * 0.01);
    EXPECT_EQ(audio.ChannelGetPosition(stream), 0u);
    ASSERT_TRUE(audio.StreamPlay(stream, false, 0));
    EXPECT_TRUE(audio.ChannelSetAttributes(stream, 0, 100, -101));
    EXPECT_LT(audio.ChannelGetPosition(stream), length);
    for (int i = 0; i < 300 && audio.ChannelGetPosition(stream) < length; ++i)
        SleepMs(10);
    EXPECT_EQ(audio.ChannelGetPosition(stream), length);

    audio.StreamFree(stream);
    EXPECT_EQ(audio.ChannelGetPosition(stream), kAudioInvalidPosition);
    EXPECT_EQ(audio.StreamGetLength(stream), kAudioInvalidPosition);
    EXPECT_EQ(audio.ChannelGetPosition(0), kAudioInvalidPosition);
    EXPECT_EQ(audio.StreamGetLength(0), kAudioInvalidPosition);
}

TEST_F(MixerOnDisk, NewStreamStartsAtTheLastMusicVolume) {
    const std::string path = Wav("track.wav", 0.1);
    {
        AudioMixerBackend audio;
        ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
        const HSTREAM first = audio.StreamCreateFile(path.c_str(), 0);
        ASSERT_TRUE(audio.ChannelSetAttributes(first, 0, 0, -101));
        audio.StreamFree(first);
        const HSTREAM second = audio.StreamCreateFile(path.c_str(), 0);
        ASSERT_TRUE(audio.StreamPlay(second, false, 0));
        for (int i = 0; i < 300 && audio.ChannelGetPosition(second) < audio.StreamGetLength(second);
             ++i)
            SleepMs(10);
        audio.Free();
    }
    EXPECT_EQ(LoudSamples(), 0);
}

TEST_F(MixerOnDisk, MusicMovesOnWhenATrackEnds) {
    Wav("Music/one.wav", 0.15);
    Wav("Music/two.wav", 0.15);
    dir_.Write("Music/playlist.m3u",
               "#EXTM3U\r\n#EXTINF:1,one\r\nMusic/one.wav\r\n#EXTINF:1,two\r\nMusic/two.wav\r\n");
    dir_.Write("settings.ini", "[Sound]\r\nmusic=1\r\nmusic_vol=100\r\neffects=1\r\n");
    ScopedWorkingDir cwd(dir_.Path());
    AudioMixerBackend audio;
    SoundSystem sound(audio);
    ASSERT_EQ(sound.Init(nullptr), S_OK);
    ASSERT_EQ(sound.LoadMusicPlaylist("Music/playlist.m3u"), S_OK);
    sound.Update();
    EXPECT_EQ(sound.CurrentTrack(), 0);
    for (int frame = 0; frame < 300 && sound.CurrentTrack() == 0; ++frame) {
        SleepMs(10);
        sound.Update();
    }
    EXPECT_EQ(sound.CurrentTrack(), 1);
    EXPECT_FALSE(sound.MusicStopped());
    sound.Shutdown();
    EXPECT_GT(LoudSamples(), 10000);
}

TEST(MixerFailures, NoDeviceLeavesEveryCallWithoutEffect) {
    TempDir dir;
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    WavTone tone;
    dir.Write("a.wav", MakeWavFile(tone));
    AudioMixerBackend audio;
    EXPECT_FALSE(audio.Init(1, 44100, 0, nullptr));
    EXPECT_EQ(audio.SampleLoad(dir.File("a.wav").c_str(), 3, 0), 0u);
    EXPECT_EQ(audio.StreamCreateFile(dir.File("a.wav").c_str(), 0), 0u);
    EXPECT_EQ(audio.SamplePlayEx(0, 0, -1, 100, 0, -1), 0u);
    EXPECT_FALSE(audio.StreamPlay(0, false, 0));
    EXPECT_FALSE(audio.Stop());
    audio.Free();
}

TEST(MixerFailures, SoundSystemWithoutDeviceRunsSilently) {
    TempDir dir;
    ScopedWorkingDir cwd(dir.Path());
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    WavTone tone;
    dir.Write("Sounds/a.wav", MakeWavFile(tone));
    dir.Write("Sounds/effects.m3u", "#EXTM3U\r\n#EXTINF:1,a\r\nSounds/a.wav\r\n");
    dir.Write("Music/playlist.m3u", "#EXTM3U\r\n#EXTINF:1,a\r\nSounds/a.wav\r\n");
    AudioMixerBackend audio;
    SoundSystem sound(audio);
    EXPECT_EQ(sound.Init(nullptr), E_FAIL);
    EXPECT_EQ(sound.LoadEffects("Sounds/effects.m3u"), S_OK);
    EXPECT_EQ(sound.LoadMusicPlaylist("Music/playlist.m3u"), S_OK);
    for (int frame = 0; frame < 3; ++frame)
        sound.Update();
    EXPECT_EQ(sound.CurrentTrack(), 0);  // tried again every frame, silently
    sound.PlayEffect(0);
    sound.AddLevelSound(0, 0, "SOUND0");
    sound.PlayLevelSound(0, 100);
    sound.FreeLevelSounds();
    sound.Shutdown();
}

TEST_F(MixerOnDisk, UnreadableFilesAndASecondDeviceFail) {
    dir_.Write("garbage.wav", "RIFF this is not a sound file at all");
    AudioMixerBackend audio;
    ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr));
    EXPECT_EQ(audio.SampleLoad(dir_.File("garbage.wav").c_str(), 3, 0), 0u);
    EXPECT_EQ(audio.SampleLoad(dir_.File("absent.wav").c_str(), 3, 0), 0u);
    EXPECT_EQ(audio.StreamCreateFile(dir_.File("garbage.wav").c_str(), 0), 0u);
    EXPECT_EQ(audio.StreamCreateFile(dir_.File("absent.ogg").c_str(), 0), 0u);

    AudioMixerBackend second;
    EXPECT_FALSE(second.Init(1, 44100, 0, nullptr));

    // After Free nothing loads until the device is opened again.
    const std::string path = Wav("a.wav", 0.05);
    audio.Free();
    EXPECT_EQ(audio.SampleLoad(path.c_str(), 3, 0), 0u);
    ASSERT_TRUE(second.Init(1, 44100, 0, nullptr));
    EXPECT_NE(second.SampleLoad(path.c_str(), 3, 0), 0u);
}

}  // namespace
