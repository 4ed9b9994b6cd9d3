#pragma once
// The background music: songs are the MIDI files of a style's folder below the music
// folder, one after another; an intro plays while the start screen is up. The player panel
// chooses the style and the song, plays, stops, mutes and sets the volume.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "music/Audio.h"

// The styles in the order the player panel offers them; each is a folder below the music
// folder, its name matched without regard to case.
constexpr std::array<const char*, 6> MusicStyles = {"General", "C64", "PC", "Oldies", "Jazz", "Misc"};
constexpr int InitialMusicStyle = 1;
constexpr const char* IntroFileName = "FP.mp3";
// The intro's first bars stay unheard: it starts this far in.
constexpr int IntroStartMs = 18500;
constexpr int InitialMusicVolume = 7500;
constexpr int MusicVolumeStep = 1000;
constexpr const char* NowPlayingText = "Now Playing :";

// What the window shows of the music: the banner and the "Working..." window.
class TMusicView {
public:
    virtual ~TMusicView() = default;
    virtual void ShowBanner(const std::string& text) = 0;
    virtual void ShowWorking(const std::string& text) = 0;
    virtual void CloseWorking() = 0;
};

class TMusicPlayer {
public:
    // random(n) returns a whole number in 0..n-1.
    using TRandomFunction = std::function<int(int)>;

    TMusicPlayer(TAudio& audio, TMusicView& view, std::string musicFolder);

    // When the main window is made: the initial style's songs, a first song that is never the
    // last of the list, the intro, and the banner.
    void SetUp(const TRandomFunction& random);
    // The game has started: the intro stops and, unless the music is off, the song plays.
    void StartGame();
    // The menu's "Next song", and the end of a song.
    void NextSong();
    // Looks whether the song has ended, and if so goes on with the next one unless the music
    // is off; true when it had ended. The window calls it on its animation timer.
    bool Poll();

    // The player panel.
    void ChooseStyle(int style);
    void ChooseSong(int index);
    void Play();
    void Stop();
    // The program is about to end (the restart after an update): the intro and the song both
    // stop, and nothing starts again.
    void StopAll();
    void SetMute(bool muted);
    void SetVolume(int volume);

    int Style() const { return StyleIndex; }
    const std::vector<std::string>& Songs() const { return SongList; }
    int SongIndex() const { return Index; }
    // The current song's file name; empty when the list has none at SongIndex.
    std::string CurrentSong() const;
    bool MusicOff() const { return Off; }
    // "No ingame music" on the start screen.
    void SetMusicOff(bool off) { Off = off; }
    int Volume() const { return VolumeValue; }
    bool Muted() const { return MuteTicked; }
    std::string BannerText() const { return Banner; }

private:
    // The style's folder as it is spelt on disk; empty when there is none.
    std::string StyleFolder(int style) const;
    std::string SongPath(int index) const;
    void ShowSong(const std::string& song);
    // Opens and plays the song at index; a song that cannot be played is passed over for the
    // next one, each song of the list tried at most once.
    bool StartSongFrom(int index);

    TAudio& Audio;
    TMusicView& View;
    std::string Folder;
    int StyleIndex = InitialMusicStyle;
    std::vector<std::string> SongList;
    int Index = 0;
    bool Off = false;
    bool MuteTicked = false;
    int VolumeValue = InitialMusicVolume;
    std::string Banner;
    // The song the song player has open, so "Play" knows whether it is the current one.
    std::string OpenPath;
};

// The songs of a folder: its "*.mid" files, sorted by name so the order is the same on every
// machine.
std::vector<std::string> ListSongs(const std::string& folder);
