// The SDL2_mixer sound on SDL's dummy driver: every shipped song, the intro and every effect
// open; a song's end is reported and a stop is not; without a device or a soundfont the game
// stays silent and the music rules give up after one try per song.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

#include "audio/SdlAudio.h"
#include "music/MusicPlayer.h"
#include "music/SoundEffects.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const std::string ShippedMusic = QUILLON_SOURCE_DIR "/data/music/";
const std::string ShippedSounds = QUILLON_SOURCE_DIR "/data/sounds/";

// A MIDI file of one note of the given length in sixteenths at 120 beats a minute.
std::string OneNoteSong(int sixteenths) {
    const std::string events = "\0\x90\x3C\x50"s + char(sixteenths * 24) + "\x80\x3C\x40\0\xFF\x2F\0"s;
    return "MThd\0\0\0\6\0\0\0\1\0\x60"s + "MTrk\0\0\0"s + char(events.size()) + events;
}

class TQuietView : public TMusicView {
public:
    void ShowBanner(const std::string&) override {}
    void ShowWorking(const std::string&) override { ++Loads; }
    void CloseWorking() override {}
    int Loads = 0;
};

class TSdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_STREQ(std::getenv("SDL_AUDIODRIVER"), "dummy") << "see AudioMain.cpp";
        Dir = fs::temp_directory_path() / ("quillon-audio-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }
    std::string Write(const std::string& name, const std::string& bytes) {
        fs::create_directories((Dir / name).parent_path());
        std::ofstream((Dir / name), std::ios::binary) << bytes;
        return (Dir / name).string();
    }
    // Waits for the mixer's thread to report the end of the song (the dummy driver plays in
    // real time); gives up after ten seconds.
    static bool WaitForEnd(TSdlAudio& audio) {
        for (int i = 0; i < 500; ++i) {
            if (audio.TakeSongEnded()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    fs::path Dir;
};

TEST_F(TSdlAudioTest, EveryShippedSongTheIntroAndEveryEffectOpen) {
    TSdlAudio audio;
    ASSERT_TRUE(audio.Available()) << audio.LastError();
    ASSERT_FALSE(TSdlAudio::FindSoundFont().empty()) << "no General MIDI soundfont installed";
    int songs = 0;
    for (const char* style : MusicStyles) {
        const std::string folder = FindFileNoCase(ShippedMusic, style);
        ASSERT_FALSE(folder.empty()) << "no folder for " << style;
        const std::vector<std::string> names = ListSongs(ShippedMusic + folder);
        EXPECT_GE(names.size(), 3u) << style;
        for (const std::string& name : names) {
            EXPECT_TRUE(audio.OpenSong(ShippedMusic + folder + "/" + name))
                << name << ": " << audio.LastError();
            ++songs;
        }
    }
    EXPECT_GE(songs, 18);
    EXPECT_TRUE(audio.PlaySong()) << audio.LastError();
    audio.StopSong();
    EXPECT_TRUE(audio.PlayIntro(ShippedMusic + IntroFileName, IntroStartMs)) << audio.LastError();
    audio.StopIntro();
    EXPECT_EQ(LoadSoundEffects(audio, ShippedSounds), static_cast<int>(SoundEffectFiles.size()))
        << audio.LastError();
    for (int effect = 0; effect < static_cast<int>(SoundEffectFiles.size()); ++effect)
        audio.PlayEffect(effect);
}

TEST_F(TSdlAudioTest, TheEndOfASongIsReportedAndAStopIsNot) {
    TSdlAudio audio;
    ASSERT_TRUE(audio.Available()) << audio.LastError();
    const std::string longSong = Write("long.mid", OneNoteSong(64));
    const std::string shortSong = Write("short.mid", OneNoteSong(2));

    ASSERT_TRUE(audio.OpenSong(longSong)) << audio.LastError();
    ASSERT_TRUE(audio.PlaySong());
    audio.StopSong();
    ASSERT_TRUE(audio.PlaySong()) << "the stopped song goes on";
    // Opening the next song halts the stream at once; that is no end of a song.
    ASSERT_TRUE(audio.OpenSong(shortSong)) << audio.LastError();
    EXPECT_FALSE(audio.TakeSongEnded());

    ASSERT_TRUE(audio.PlaySong());
    EXPECT_TRUE(WaitForEnd(audio));
    EXPECT_FALSE(audio.TakeSongEnded()) << "reported once";
}

TEST_F(TSdlAudioTest, DamagedAndEmptySongsDoNotOpen) {
    TSdlAudio audio;
    ASSERT_TRUE(audio.Available()) << audio.LastError();
    EXPECT_FALSE(audio.OpenSong(Write("empty.mid", "")));
    EXPECT_FALSE(audio.OpenSong(Write("text.mid", "not a song at all")));
    EXPECT_FALSE(audio.OpenSong(Write("cut.mid", OneNoteSong(4).substr(0, 24))));
    EXPECT_FALSE(audio.OpenSong((Dir / "missing.mid").string()));
    EXPECT_FALSE(audio.PlaySong());
    EXPECT_FALSE(audio.PlayIntro(Write("FP.mp3", "no mp3"), IntroStartMs));
    EXPECT_FALSE(audio.LoadEffect(0, Write("link.wav", "RIFF")));
    EXPECT_FALSE(audio.LoadEffect(99, ShippedSounds + SoundEffectFiles[0]));
}

TEST_F(TSdlAudioTest, WithoutASoundDeviceEverythingFailsQuietly) {
    const std::string driver = std::getenv("SDL_AUDIODRIVER");
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        TSdlAudio audio;
        EXPECT_FALSE(audio.Available());
        EXPECT_FALSE(audio.LastError().empty());
        TQuietView view;
        TMusicPlayer player(audio, view, ShippedMusic);
        player.SetUp([](int) { return 0; });
        player.StartGame();
        player.NextSong();
        player.SetVolume(20000);
        EXPECT_FALSE(player.Songs().empty()) << "the songs are listed even if nothing can play them";
        EXPECT_FALSE(audio.OpenSong(ShippedMusic + "C64/" + player.CurrentSong()));
        EXPECT_EQ(LoadSoundEffects(audio, ShippedSounds), 0);
        audio.PlayEffect(0);
    }
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
}

// The sound must not take Ctrl+C and SIGTERM away from the program: whatever the process had
// for them (the default, which ends it, or an ignore inherited from a shell) stays.
TEST_F(TSdlAudioTest, InterruptAndTerminateStillEndTheProgram) {
    const auto handler = [](int signal) {
        struct sigaction action {};
        EXPECT_EQ(sigaction(signal, nullptr, &action), 0);
        return action.sa_handler;
    };
    const auto interrupt = handler(SIGINT), terminate = handler(SIGTERM);
    TSdlAudio audio;
    ASSERT_TRUE(audio.Available()) << audio.LastError();
    EXPECT_EQ(handler(SIGINT), interrupt);
    EXPECT_EQ(handler(SIGTERM), terminate);
}

TEST_F(TSdlAudioTest, WithoutASoundfontTheMusicRulesTryEachSongOnce) {
    TSdlAudio audio((Dir / "no-such-font.sf2").string());
    ASSERT_TRUE(audio.Available()) << audio.LastError();
    Write("c64/a.mid", OneNoteSong(4));
    Write("c64/b.mid", OneNoteSong(4));
    Write("c64/c.mid", "");
    TQuietView view;
    TMusicPlayer player(audio, view, Dir.string());
    player.SetUp([](int) { return 0; });
    player.StartGame();
    player.NextSong();
    player.Poll();
    EXPECT_EQ(view.Loads, 1);
    EXPECT_FALSE(audio.TakeSongEnded());
    EXPECT_FALSE(audio.PlaySong());
}

TEST(SdlAudioVolume, TheSliderRangeMapsOntoTheMixers) {
    const std::pair<int, int> cases[] = {{0, 0},       {7500, 15},   {32500, 64},
                                         {65000, 128}, {70000, 128}, {-1, 0}};
    for (const auto& [slider, mixer] : cases)
        EXPECT_EQ(TSdlAudio::MixerVolume(slider), mixer) << slider;
}

} // namespace
