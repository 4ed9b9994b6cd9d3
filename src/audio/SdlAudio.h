#pragma once
// The game's sound through SDL2_mixer: songs are MIDI files played by the mixer's FluidSynth
// with a General MIDI soundfont, the intro is an MP3, the effects are WAV or OGG samples.
// The mixer has one music stream, so the intro and the songs share it; the game never wants
// both at once. Without a sound device or a soundfont everything fails quietly.
#include <array>
#include <atomic>
#include <string>

#include "music/Audio.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

class TSdlAudio : public TAudio {
public:
    // soundFont: a General MIDI soundfont; FindSoundFont() picks one from the system.
    explicit TSdlAudio(const std::string& soundFont = FindSoundFont());
    ~TSdlAudio() override;
    TSdlAudio(const TSdlAudio&) = delete;
    TSdlAudio& operator=(const TSdlAudio&) = delete;

    // The soundfont named by SDL_SOUNDFONTS if it exists, else the first of Debian's
    // General MIDI soundfonts found; empty if there is none.
    static std::string FindSoundFont();

    // Whether a sound device was opened.
    bool Available() const { return Opened; }
    // What went wrong last, for a developer who wonders why it is quiet.
    const std::string& LastError() const { return Error; }
    // The mixer's music volume 0..128 for a slider value 0..MaxMusicVolume.
    static int MixerVolume(int volume);

    bool OpenSong(const std::string& path) override;
    bool PlaySong() override;
    void StopSong() override;
    bool TakeSongEnded() override;
    void SetSongVolume(int volume) override;
    bool PlayIntro(const std::string& path, int startMs) override;
    void StopIntro() override;
    bool LoadEffect(int effect, const std::string& path) override;
    void PlayEffect(int effect) override;

private:
    static void MusicFinished();
    // Stops the music stream without that counting as the end of a song.
    void Halt();
    void FreeMusic(Mix_Music*& music);
    bool Fail();

    bool SdlStarted = false;
    bool Opened = false;
    bool HasSoundFont = false;
    std::string Error;
    Mix_Music* Song = nullptr;
    Mix_Music* Intro = nullptr;
    bool SongPaused = false;
    int SongVolume = MaxMusicVolume;
    std::array<Mix_Chunk*, 8> Effects{};

    // Written by the mixer's thread when the stream ends, read by the window's thread.
    std::atomic<bool> SongOnStream{false};
    std::atomic<bool> Halting{false};
    std::atomic<bool> Ended{false};
    static std::atomic<TSdlAudio*> Current;
};
