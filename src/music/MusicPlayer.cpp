#include "music/MusicPlayer.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "state/TextFields.h"

namespace fs = std::filesystem;

std::vector<std::string> ListSongs(const std::string& folder) {
    std::vector<std::string> songs = ListFiles(folder, "*.mid");
    std::sort(songs.begin(), songs.end());
    return songs;
}

TMusicPlayer::TMusicPlayer(TAudio& audio, TMusicView& view, std::string musicFolder)
    : Audio(audio), View(view), Folder(WithBackslash(musicFolder)) {}

std::string TMusicPlayer::StyleFolder(int style) const {
    if (style < 0 || style >= static_cast<int>(MusicStyles.size())) return "";
    const std::string name = FindFileNoCase(Folder, MusicStyles[style]);
    if (name.empty()) return "";
    std::error_code error;
    if (!fs::is_directory(fs::path(Folder) / name, error)) return "";
    return WithBackslash(Folder + name);
}

std::string TMusicPlayer::CurrentSong() const {
    if (Index < 0 || Index >= static_cast<int>(SongList.size())) return "";
    return SongList[Index];
}

std::string TMusicPlayer::SongPath(int index) const {
    return StyleFolder(StyleIndex) + SongList[index];
}

void TMusicPlayer::ShowSong(const std::string& song) {
    Banner = NowPlayingText + song;
    View.ShowBanner(Banner);
}

void TMusicPlayer::SetUp(const TRandomFunction& random) {
    Audio.SetSongVolume(VolumeValue);
    const std::string folder = StyleFolder(StyleIndex);
    if (!folder.empty()) {
        SongList = ListSongs(folder);
        const int count = static_cast<int>(SongList.size());
        // The last song is never the first one heard.
        Index = count >= 2 ? std::clamp(random(count - 1), 0, count - 2) : 0;
        const std::string intro = FindFileNoCase(Folder, IntroFileName);
        if (!intro.empty()) Audio.PlayIntro(Folder + intro, IntroStartMs);
    }
    ShowSong(CurrentSong());
}

void TMusicPlayer::StartGame() {
    Audio.StopIntro();
    if (!Off) StartSongFrom(Index);
}

bool TMusicPlayer::StartSongFrom(int index) {
    const int count = static_cast<int>(SongList.size());
    for (int tried = 0; tried < count; ++tried) {
        const int candidate = (index + tried) % count;
        const std::string path = SongPath(candidate);
        if (Audio.OpenSong(path) && Audio.PlaySong()) {
            OpenPath = path;
            Index = candidate;
            if (Banner != NowPlayingText + SongList[candidate]) ShowSong(SongList[candidate]);
            return true;
        }
    }
    // Nothing of this list can be played: stay silent rather than keep trying.
    Audio.StopSong();
    OpenPath.clear();
    return false;
}

void TMusicPlayer::NextSong() {
    View.ShowWorking("Loading Music...");
    Audio.StopSong();
    ++Index;
    if (Index >= static_cast<int>(SongList.size())) Index = 0;
    const std::string song = CurrentSong();
    if (!song.empty()) {
        ShowSong(song);
        StartSongFrom(Index);
    } else {
        Audio.StopSong();
    }
    View.CloseWorking();
}

bool TMusicPlayer::Poll() {
    if (!Audio.TakeSongEnded()) return false;
    if (!Off) NextSong();
    return true;
}

void TMusicPlayer::ChooseStyle(int style) {
    const std::string folder = StyleFolder(style);
    if (folder.empty()) return;
    StyleIndex = style;
    Index = 0;
    SongList = ListSongs(folder);
}

void TMusicPlayer::ChooseSong(int index) {
    if (Off) return;
    const bool inList = index >= 0 && index < static_cast<int>(SongList.size());
    if (!inList || SongList[index].empty()) {
        Audio.StopSong();
        return;
    }
    Index = index;
    ShowSong(SongList[index]);
    Audio.StopSong();
    StartSongFrom(index);
}

void TMusicPlayer::Play() {
    if (Off || CurrentSong().empty()) return;
    // The open song goes on where it stopped; after a change of style or list the current
    // song is opened first.
    if (!OpenPath.empty() && OpenPath == SongPath(Index) && Audio.PlaySong()) return;
    StartSongFrom(Index);
}

void TMusicPlayer::Stop() {
    Audio.StopSong();
    Off = true;
}

void TMusicPlayer::StopAll() {
    Audio.StopIntro();
    Stop();
}

void TMusicPlayer::SetMute(bool muted) {
    MuteTicked = muted;
    if (muted) {
        Audio.StopSong();
        Off = true;
    } else {
        Off = false;
    }
}

void TMusicPlayer::SetVolume(int volume) {
    VolumeValue = std::clamp(volume, 0, MaxMusicVolume);
    Audio.SetSongVolume(VolumeValue);
}
