#include <gtest/gtest.h>

#include "app/application.h"
#include "audio/sound_system.h"
#include "core/clock.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"

namespace {

// The shipped program's sound, driven as the application frame drives it:
// through the subsystem interface, with the start-up paths.
TEST(SoundWiring, TheProgramPlaysMusicThroughTheMixer) {
    TempDir dir;
    ScopedWorkingDir cwd(dir.Path());
    WavTone tone;
    tone.seconds = 0.1;
    dir.Write("Music/a.wav", MakeWavFile(tone));
    dir.Write("Music/playlist.m3u", "#EXTM3U\r\n#EXTINF:1,a\r\nMusic/a.wav\r\n");
    dir.Write("Sounds/hit.wav", MakeWavFile(tone));
    dir.Write("Sounds/effects.m3u", "#EXTM3U\r\n#EXTINF:1,hit\r\nSounds/hit.wav\r\n");
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");

    std::unique_ptr<SoundSubsystem> subsystem = DefaultSubsystems(SystemClock()).createSound();
    ASSERT_NE(subsystem, nullptr);
    auto* sound = dynamic_cast<SoundSystem*>(subsystem.get());
    ASSERT_NE(sound, nullptr);

    EXPECT_EQ(subsystem->Init(nullptr), S_OK);
    subsystem->LoadEffects("Sounds/effects.m3u");
    subsystem->LoadMusicPlaylist("Music/playlist.m3u");
    EXPECT_EQ(sound->EffectCount(), 1u);
    EXPECT_EQ(sound->TrackCount(), 1u);
    EXPECT_FALSE(subsystem->MusicStopped());
    subsystem->Update();
    EXPECT_EQ(sound->CurrentTrack(), 0);
    sound->StopMusic();
    EXPECT_TRUE(subsystem->MusicStopped());
    subsystem->Shutdown();
}

}  // namespace
