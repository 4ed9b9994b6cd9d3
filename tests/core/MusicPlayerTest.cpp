// The music rules over the fake audio: the start-up choice, songs following one another,
// "Stop" and "Mute", the style choice, and songs that cannot be played.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

#include "music/FakeAudio.h"
#include "music/MidiCheck.h"
#include "music/MusicPlayer.h"
#include "music/SoundEffects.h"
#include "state/Random.h"

namespace fs = std::filesystem;

namespace {

using namespace std::string_literals;

// A MIDI file of one track with one note: header, then the track's events.
const std::string Header = "MThd\0\0\0\6\0\0\0\1\0\x60"s;
const std::string OneNote = "\0\x90\x3C\x40\x60\x80\x3C\x40\0\xFF\x2F\0"s;
std::string Track(const std::string& events) {
    const auto n = events.size();
    return "MTrk"s + char(n >> 24) + char((n >> 16) & 0xFF) + char((n >> 8) & 0xFF) + char(n & 0xFF) + events;
}
const std::string GoodSong = Header + Track(OneNote);

class TRecordingView : public TMusicView {
public:
    void ShowBanner(const std::string& text) override { Banners.push_back(text); }
    void ShowWorking(const std::string& text) override { Working.push_back(text); }
    void CloseWorking() override { Working.push_back("closed"); }
    std::vector<std::string> Banners;
    std::vector<std::string> Working;
};

class TMusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("quillon-music-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        Root = Dir;
    }
    // A test may point Dir at a folder inside; the whole of it goes.
    void TearDown() override { fs::remove_all(Root); }

    void Write(const std::string& relative, const std::string& content) {
        fs::create_directories((Dir / relative).parent_path());
        std::ofstream(Dir / relative, std::ios::binary) << content;
    }
    // Songs in a style folder, written in an order unlike the sorted one.
    void Songs(const std::string& folder, std::initializer_list<const char*> names) {
        for (const char* name : names)
            Write(folder + "/" + name, GoodSong);
    }
    std::string Path(const std::string& relative) const { return (Dir / relative).string(); }

    TMusicPlayer& Player() {
        if (!Music) Music = std::make_unique<TMusicPlayer>(Audio, View, Dir.string());
        return *Music;
    }
    // Start-up with a draw that returns the given value, noting the range it was asked for.
    void StartUp(int draw = 0) {
        Player().SetUp([this, draw](int n) {
            DrawRange = n;
            return draw;
        });
    }
    size_t Mark() const { return Audio.Log.size(); }
    std::vector<std::string> LogSince(size_t mark) const {
        return {Audio.Log.begin() + static_cast<long>(mark), Audio.Log.end()};
    }
    bool OpenedSince(size_t mark) const {
        const auto log = LogSince(mark);
        return std::any_of(log.begin(), log.end(),
                           [](const std::string& s) { return s.rfind("open", 0) == 0; });
    }

    fs::path Dir;
    fs::path Root;
    TFakeAudio Audio;
    TRecordingView View;
    std::unique_ptr<TMusicPlayer> Music;
    int DrawRange = -1;
};

TEST_F(TMusicPlayerTest, WithoutAStyleFolderTheGameIsSilentAndNextSongStops) {
    Write("FP.mp3", "ID3 intro");
    Songs("jazz", {"a.mid"});
    StartUp();
    EXPECT_TRUE(Player().Songs().empty());
    EXPECT_EQ(Player().SongIndex(), 0);
    EXPECT_EQ(Player().CurrentSong(), "");
    EXPECT_EQ(View.Banners, std::vector<std::string>{"Now Playing :"});
    EXPECT_FALSE(Audio.IntroPlaying) << "the intro belongs to a music folder with C64 songs";

    Player().StartGame();
    size_t mark = Mark();
    Player().NextSong();
    EXPECT_EQ(LogSince(mark), (std::vector<std::string>{"stop", "stop"}));
    EXPECT_EQ(Player().SongIndex(), 0);
    EXPECT_EQ(View.Working, (std::vector<std::string>{"Loading Music...", "closed"}));
    EXPECT_FALSE(Audio.Playing);
}

TEST_F(TMusicPlayerTest, WithoutAnyMusicFolderNothingBreaks) {
    Dir /= "nowhere";
    fs::remove_all(Dir);
    StartUp();
    Player().StartGame();
    Player().NextSong();
    Player().ChooseStyle(4);
    Player().ChooseSong(0);
    Player().Play();
    EXPECT_TRUE(Player().Songs().empty());
    EXPECT_FALSE(Audio.Playing);
    EXPECT_FALSE(OpenedSince(0));
}

TEST_F(TMusicPlayerTest, StartUpListsSortedSongsPlaysTheIntroAndNeverPicksTheLastSong) {
    Songs("c64", {"d.mid", "b.mid", "a.mid", "c.mid", "notes.txt"});
    Write("fp.MP3", "ID3 intro");
    // The largest draw the rule can ask for still leaves the last song out.
    StartUp(2);
    EXPECT_EQ(Player().Songs(), (std::vector<std::string>{"a.mid", "b.mid", "c.mid", "d.mid"}));
    EXPECT_EQ(DrawRange, 3);
    EXPECT_EQ(Player().SongIndex(), 2);
    EXPECT_EQ(Player().BannerText(), "Now Playing :c.mid");
    EXPECT_EQ(Audio.Log, (std::vector<std::string>{"volume 7500", "intro " + Path("fp.MP3") + " 18500"}));
    EXPECT_FALSE(Audio.Playing) << "the song waits for the game to start";

    Player().StartGame();
    EXPECT_FALSE(Audio.IntroPlaying);
    EXPECT_TRUE(Audio.Playing);
    EXPECT_EQ(Audio.OpenPath, Path("c64/c.mid"));
}

TEST_F(TMusicPlayerTest, TheFirstSongIsDrawnFromAllButTheLast) {
    Songs("C64", {"1.mid", "2.mid", "3.mid"});
    TRandom random(7);
    std::set<int> first;
    for (int run = 0; run < 200; ++run) {
        TFakeAudio audio;
        TRecordingView view;
        TMusicPlayer player(audio, view, Dir.string());
        player.SetUp([&random](int n) { return random.Random(n); });
        first.insert(player.SongIndex());
    }
    EXPECT_EQ(first, (std::set<int>{0, 1}));

    // A list of one song has nothing to choose from.
    fs::remove_all(Dir / "C64");
    Songs("C64", {"only.mid"});
    StartUp(5);
    EXPECT_EQ(Player().SongIndex(), 0);
    EXPECT_EQ(Player().CurrentSong(), "only.mid");
}

TEST_F(TMusicPlayerTest, SongsFollowOneAnotherAndWrapAround) {
    Songs("c64", {"a.mid", "b.mid", "c.mid"});
    StartUp(1);
    Player().StartGame();
    Player().Poll();
    EXPECT_EQ(Audio.OpenPath, Path("c64/b.mid")) << "nothing has ended yet";

    const char* expected[] = {"c.mid", "a.mid", "b.mid"};
    for (const char* song : expected) {
        Audio.FinishSong();
        Player().Poll();
        EXPECT_EQ(Player().CurrentSong(), song);
        EXPECT_EQ(Audio.OpenPath, Path(std::string("c64/") + song));
        EXPECT_TRUE(Audio.Playing);
        EXPECT_EQ(View.Banners.back(), std::string("Now Playing :") + song);
    }
    EXPECT_EQ(View.Working.back(), "closed");
}

TEST_F(TMusicPlayerTest, AfterStopNothingPlaysUntilMuteIsTickedAndUnticked) {
    Songs("c64", {"a.mid", "b.mid", "c.mid"});
    StartUp(0);
    Player().StartGame();
    ASSERT_TRUE(Audio.Playing);

    Player().Stop();
    EXPECT_FALSE(Audio.Playing);
    EXPECT_TRUE(Player().MusicOff());
    size_t mark = Mark();
    Player().ChooseSong(2);
    Player().Play();
    Audio.Playing = true; // a song that ended anyway must not lead to the next one
    Audio.FinishSong();
    Player().Poll();
    EXPECT_FALSE(OpenedSince(mark));
    EXPECT_EQ(Player().SongIndex(), 0);

    Player().SetMute(true);
    Player().Play();
    EXPECT_FALSE(OpenedSince(mark));
    EXPECT_TRUE(Player().MusicOff());
    Player().SetMute(false);
    EXPECT_FALSE(Player().MusicOff());
    EXPECT_FALSE(OpenedSince(mark)) << "unticking Mute does not start a song by itself";

    Player().ChooseSong(2);
    EXPECT_TRUE(Audio.Playing);
    EXPECT_EQ(Audio.OpenPath, Path("c64/c.mid"));
    EXPECT_EQ(Player().BannerText(), "Now Playing :c.mid");
}

// The restart after an update ends the program: the intro (still playing on the start
// screen) and the song both stop, and nothing starts again.
TEST_F(TMusicPlayerTest, StopAllStopsTheIntroAndTheSong) {
    Songs("c64", {"a.mid", "b.mid"});
    Write("FP.mp3", "ID3 intro");
    StartUp(0);
    ASSERT_TRUE(Audio.IntroPlaying);
    Player().StopAll();
    EXPECT_FALSE(Audio.IntroPlaying);
    EXPECT_FALSE(Audio.Playing);
    EXPECT_TRUE(Player().MusicOff());
    Player().StartGame();
    EXPECT_FALSE(Audio.Playing) << "the music is off for good";
}

TEST_F(TMusicPlayerTest, MuteStopsTheSongAndPlayGoesOnWithTheOpenSong) {
    Songs("c64", {"a.mid", "b.mid"});
    StartUp(0);
    Player().StartGame();
    Player().SetMute(true);
    EXPECT_FALSE(Audio.Playing);
    EXPECT_TRUE(Player().Muted());
    Player().SetMute(false);
    size_t mark = Mark();
    Player().Play();
    EXPECT_EQ(LogSince(mark), std::vector<std::string>{"play"})
        << "the open song goes on, it is not reopened";
    EXPECT_TRUE(Audio.Playing);
}

TEST_F(TMusicPlayerTest, NoIngameMusicKeepsTheGameSilentButNextSongStillPlays) {
    Songs("c64", {"a.mid", "b.mid"});
    Write("FP.mp3", "ID3 intro");
    StartUp(0);
    ASSERT_TRUE(Audio.IntroPlaying);
    Player().SetMusicOff(true);
    Player().StartGame();
    EXPECT_FALSE(Audio.IntroPlaying);
    EXPECT_FALSE(OpenedSince(0));
    Player().Play();
    EXPECT_FALSE(OpenedSince(0));

    // The menu's "Next song" is the player's own request.
    Player().NextSong();
    EXPECT_TRUE(Audio.Playing);
    EXPECT_EQ(Audio.OpenPath, Path("c64/b.mid"));
}

TEST_F(TMusicPlayerTest, StyleChoiceResetsSongIndexOnlyWhenTheFolderExists) {
    Songs("c64", {"a.mid", "b.mid", "c.mid"});
    Songs("JAZZ", {"y.mid", "x.mid"});
    StartUp(1);
    Player().StartGame();
    ASSERT_EQ(Player().SongIndex(), 1);

    Player().ChooseStyle(2); // "PC": no folder
    EXPECT_EQ(Player().Style(), 1);
    EXPECT_EQ(Player().SongIndex(), 1);
    EXPECT_EQ(Player().Songs().size(), 3u);

    Player().ChooseStyle(4); // "Jazz", found whatever its letter case
    EXPECT_EQ(Player().Style(), 4);
    EXPECT_EQ(Player().SongIndex(), 0);
    EXPECT_EQ(Player().Songs(), (std::vector<std::string>{"x.mid", "y.mid"}));
    EXPECT_EQ(Audio.OpenPath, Path("c64/b.mid")) << "the song playing goes on";

    // "Play" now means the current song of the new style.
    Player().Play();
    EXPECT_EQ(Audio.OpenPath, Path("JAZZ/x.mid"));
    EXPECT_EQ(Player().BannerText(), "Now Playing :x.mid");
    Audio.FinishSong();
    Player().Poll();
    EXPECT_EQ(Audio.OpenPath, Path("JAZZ/y.mid"));
}

TEST_F(TMusicPlayerTest, SongsThatCannotBePlayedArePassedOver) {
    Songs("c64", {"a.mid", "e.mid"});
    Write("c64/b.mid", "this is not a song");
    Write("c64/c.mid", "");
    Write("c64/d.mid", Header + Track("\0\xFF\x2F\0"s));
    StartUp(0);
    Player().StartGame();
    ASSERT_EQ(Audio.OpenPath, Path("c64/a.mid"));

    Audio.FinishSong();
    Player().Poll();
    EXPECT_EQ(Player().SongIndex(), 4);
    EXPECT_EQ(Audio.OpenPath, Path("c64/e.mid"));
    EXPECT_TRUE(Audio.Playing);
    EXPECT_EQ(Player().BannerText(), "Now Playing :e.mid");

    // Clicking a damaged song plays the next one that works.
    Player().ChooseSong(1);
    EXPECT_EQ(Player().SongIndex(), 4);
    EXPECT_TRUE(Audio.Playing);
}

TEST_F(TMusicPlayerTest, AListOfDamagedSongsIsTriedOnceEachThenLeftSilent) {
    Write("c64/a.mid", "");
    Write("c64/b.mid", "RIFF");
    Write("c64/c.mid", "garbage");
    StartUp(1);
    size_t mark = Mark();
    Player().StartGame();
    Player().NextSong();
    const auto log = LogSince(mark);
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("open", 0) == 0; }),
        6)
        << "three songs, each tried once by the start and once by Next song";
    EXPECT_FALSE(Audio.Playing);
    EXPECT_EQ(Player().SongIndex(), 2);
    EXPECT_EQ(View.Working.back(), "closed");
}

TEST_F(TMusicPlayerTest, VolumeStaysInTheSliderRange) {
    Songs("c64", {"a.mid"});
    StartUp();
    EXPECT_EQ(Audio.Volume, 7500);
    const std::pair<int, int> cases[] = {{0, 0}, {65000, 65000}, {8500, 8500}, {70000, 65000}, {-5, 0}};
    for (const auto& [asked, set] : cases) {
        Player().SetVolume(asked);
        EXPECT_EQ(Player().Volume(), set);
        EXPECT_EQ(Audio.Volume, set);
    }
}

TEST_F(TMusicPlayerTest, SoundEffectsLoadByNameInAnyCase) {
    Write("sounds/LINK.wav", "RIFF....");
    Write("sounds/close.wav", "RIFF....");
    Write("sounds/options.wav", "broken");
    EXPECT_EQ(LoadSoundEffects(Audio, Path("sounds")), 2);
    EXPECT_EQ(Audio.LoadedEffects, (std::set<int>{0, 3}));
    EXPECT_EQ(LoadSoundEffects(Audio, Path("no-such-folder")), 0);
}

struct TMidiCase {
    const char* What;
    std::string Bytes;
    bool Playable;
};

TEST(MidiCheckTest, DamagedMidiFilesAreRecognised) {
    const std::string format1 = "MThd\0\0\0\6\0\1\0\2\1\xE0"s;
    const std::string tempoOnly = "\0\xFF\x51\x03\x07\xA1\x20\0\xFF\x2F\0"s;
    const TMidiCase cases[] = {
        {"one note", GoodSong, true},
        {"two tracks, notes in the second", format1 + Track(tempoOnly) + Track(OneNote), true},
        {"running status and a program change",
         Header + Track("\0\xC0\x05\0\x90\x3C\x40\x10\x3C\0\0\xFF\x2F\0"s), true},
        {"an unknown chunk before the track", Header + "XFIH\0\0\0\2ab"s + Track(OneNote), true},
        {"no end marker", Header + Track("\0\x90\x3C\x40\x60\x80\x3C\x40"s), true},
        {"empty", "", false},
        {"text", "this is not a song", false},
        {"header only", Header, false},
        {"no notes", Header + Track(tempoOnly), false},
        {"a silent note-on only", Header + Track("\0\x90\x3C\0\0\xFF\x2F\0"s), false},
        {"track longer than the file", (Header + Track(OneNote)).substr(0, Header.size() + 12), false},
        {"running status at the start", Header + Track("\0\x3C\x40\0\xFF\x2F\0"s), false},
        {"status byte where data belongs", Header + Track("\0\x90\x3C\x90\0\xFF\x2F\0"s), false},
        {"meta event cut short", Header + Track("\0\x90\x3C\x40\0\xFF\x51\x09\x07"s), false},
        {"no tracks declared", "MThd\0\0\0\6\0\0\0\0\0\x60"s + Track(OneNote), false},
        {"zero division", "MThd\0\0\0\6\0\0\0\1\0\0"s + Track(OneNote), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPlayableMidiData(c.Bytes), c.Playable) << c.What;
    EXPECT_FALSE(IsPlayableMidi("/no/such/song.mid"));
}

} // namespace
