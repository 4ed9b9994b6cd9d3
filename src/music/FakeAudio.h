#pragma once
// An audio stand-in for tests and for running without sound: it plays nothing, keeps a log
// of what it was asked, and opens a song only when the file reads as a MIDI file with notes,
// as the real player refuses a damaged one.
#include <set>
#include <string>
#include <vector>

#include "music/Audio.h"

class TFakeAudio : public TAudio {
public:
    bool OpenSong(const std::string& path) override;
    bool PlaySong() override;
    void StopSong() override;
    bool TakeSongEnded() override;
    void SetSongVolume(int volume) override;
    bool PlayIntro(const std::string& path, int startMs) override;
    void StopIntro() override;
    bool LoadEffect(int effect, const std::string& path) override;
    void PlayEffect(int effect) override;

    // The open song plays to its end.
    void FinishSong();

    // Every request in order: "open PATH", "play", "stop", "volume N", "intro PATH N",
    // "stop intro", "effect N".
    std::vector<std::string> Log;
    std::string OpenPath;
    bool Playing = false;
    bool IntroPlaying = false;
    int Volume = -1;
    std::set<int> LoadedEffects;

private:
    bool Ended = false;
};
