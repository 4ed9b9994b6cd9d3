#include "music/FakeAudio.h"

#include <fstream>

#include "music/MidiCheck.h"

namespace {
bool StartsWith(const std::string& path, const std::string& magic) {
    std::ifstream file(path, std::ios::binary);
    std::string head(magic.size(), '\0');
    return file.read(head.data(), static_cast<std::streamsize>(head.size())) && head == magic;
}
} // namespace

bool TFakeAudio::OpenSong(const std::string& path) {
    Log.push_back("open " + path);
    Playing = false;
    Ended = false;
    OpenPath = IsPlayableMidi(path) ? path : "";
    return !OpenPath.empty();
}

bool TFakeAudio::PlaySong() {
    Log.push_back("play");
    if (OpenPath.empty()) return false;
    // One music channel: a song replaces the intro.
    IntroPlaying = false;
    Playing = true;
    return true;
}

void TFakeAudio::StopSong() {
    Log.push_back("stop");
    Playing = false;
    Ended = false;
}

bool TFakeAudio::TakeSongEnded() {
    const bool ended = Ended;
    Ended = false;
    return ended;
}

void TFakeAudio::SetSongVolume(int volume) {
    Log.push_back("volume " + std::to_string(volume));
    Volume = volume;
}

bool TFakeAudio::PlayIntro(const std::string& path, int startMs) {
    Log.push_back("intro " + path + " " + std::to_string(startMs));
    IntroPlaying = StartsWith(path, "ID3") || StartsWith(path, "\xff\xfb");
    return IntroPlaying;
}

void TFakeAudio::StopIntro() {
    Log.push_back("stop intro");
    IntroPlaying = false;
}

bool TFakeAudio::LoadEffect(int effect, const std::string& path) {
    if (!StartsWith(path, "RIFF")) return false;
    LoadedEffects.insert(effect);
    return true;
}

void TFakeAudio::PlayEffect(int effect) {
    Log.push_back("effect " + std::to_string(effect));
}

void TFakeAudio::FinishSong() {
    if (!Playing) return;
    Playing = false;
    Ended = true;
}
